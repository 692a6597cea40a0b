// Unit tests of korhost's on-screen dialog builder before and without its
// Qt module: where the module is looked for, and the save dialog a preset
// name answers without it (dialog.sh checks what `korhost dialog` says
// without the module or with --headless).
#include "host/gui/filenamewidget.h"
#include "host/gui/qtguimodule.h"
#include "host/gui/screengui.h"
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(QtGuiModule, FoundBesideKorhostElseInTheInstalledPluginFolder) {
  const fs::path root = fs::temp_directory_path() /
                        ("screengui_test_" + std::to_string(getpid()));
  const fs::path beside = root / "bin" / "korhost_qt.so";
  const fs::path installed = root / "lib" / "kortest" / "korhost_qt.so";
  fs::create_directories(beside.parent_path());
  fs::create_directories(installed.parent_path());
  EXPECT_EQ(findQtGuiModule(beside.parent_path()), "");
  std::ofstream(installed).put('x');
  const std::string found = findQtGuiModule(beside.parent_path());
  std::ofstream(beside).put('x');
  if (!found.empty()) { // empty when korhost is built without its Qt module
    EXPECT_EQ(found, installed.string());
    EXPECT_EQ(findQtGuiModule(beside.parent_path()), beside.string());
  }
  fs::remove_all(root);
}

TEST(HostScreenGui, WithoutItsModuleGoesOnHeadless) {
  FILE *errors = std::tmpfile();
  IPtr<HostScreenGui> gui(
      new HostScreenGui("/nonexistent/korhost_qt.so", errors));
  const KorWChar *name = nullptr;
  int32_t flags = 0;
  auto save = [&] {
    return gui->GetSaveFileName(&name, &flags, u"/tmp", u"(*.ikm)");
  };
  // A preset name answers without a window, so nothing is loaded.
  gui->setPresetSaveName(u"/tmp/mesh.ikm");
  ASSERT_TRUE(save());
  EXPECT_EQ(std::u16string(name), u"/tmp/mesh.ikm");
  gui->setPresetSaveName(u"");
  EXPECT_FALSE(save());
  EXPECT_EQ(gui->loadError(), "");
  // Asking the user needs the module; without it the dialog is cancelled
  // and layouts go on in the headless GUI, file-name fields included.
  gui->setPresetSaveName(std::nullopt);
  EXPECT_FALSE(save());
  EXPECT_NE(gui->loadError(), "");
  gui->AddCheckBox("Randomize", 23, u"Randomize");
  EXPECT_FALSE(gui->GetCheck("Randomize", 23));
  IPtr<HostFileNameWidget> field(new HostFileNameWidget);
  field->AddToDialog(gui.get(), "OutputFilename", 11, 0);
  std::fclose(errors);
}
