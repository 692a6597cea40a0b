// The "Write IKorMesh" command: when it is available, what it needs to run,
// what its save dialog is asked and what a failed write leaves. A written
// mesh read back by mesh-info, and a cancelled dialog, are checked by
// tests/e2e/writemesh.sh.
#include "KorBasicTypes/binoutput.h"
#include "commands/genwriteikormeshcmd.h"
#include "host/gui/headlessgui.h"
#include "host/services/document.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/commandcontext.h"
#include "tests/unit/support/memoryhost.h"
#include "tests/unit/support/strtestsupport.h"
#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace {
namespace fs = std::filesystem;

class PlainObject : public IKorUnknown {
public:
  KOR_CLASS(PlainObject)
};

/// A mesh whose write puts 100 bytes into the stream's buffer and fails.
class FailingMesh : public IKorMesh {
public:
  KOR_CLASS(FailingMesh, IKorMesh)
  bool WriteMesh(BinOutput *out) override {
    ++calls;
    uint8_t data[100] = {};
    out->writeRaw(data, sizeof data);
    return false;
  }
  int calls = 0;
};

/// The headless dialog, recording the start name, folder and filter each
/// save dialog was shown.
class RecordingGui : public HostHeadlessGui {
public:
  bool GetSaveFileName(const KorWChar **fileName, int32_t *flags,
                       const KorWChar *directory,
                       const KorWChar *filter) override {
    shown.push_back({*fileName, directory, filter});
    return HostHeadlessGui::GetSaveFileName(fileName, flags, directory, filter);
  }
  std::vector<std::array<std::u16string, 3>> shown;
};

TEST(GenWriteIKorMeshCmd, AvailableOnlyOutsideCommandsWithAMeshModel) {
  IPtr<GenWriteIKorMeshCmd> command(new GenWriteIKorMeshCmd);
  IPtr<FakeCommandContext> context(new FakeCommandContext);
  IPtr<HostModelContainer> model(new HostModelContainer);
  EXPECT_FALSE(command->IsAvailable(nullptr));
  EXPECT_FALSE(command->IsAvailable(context.get())) << "no model";
  context->model = model.get();
  // Only a mesh in the item named GenModel counts.
  const std::tuple<const char *, IKorUnknown *, bool> items[] = {
      {"Other", static_cast<IKorMesh *>(new FailingMesh), false},
      {"GenModel", nullptr, false},
      {"GenModel", new PlainObject, false},
      {"GenModel", static_cast<IKorMesh *>(new FailingMesh), true}};
  for (auto [name, object, available] : items) {
    model->setItem(name, object);
    EXPECT_EQ(command->IsAvailable(context.get()), available) << name;
  }
  context->inCommand = true;
  EXPECT_FALSE(command->IsAvailable(context.get())) << "inside a command";
}

// A document holding a failing mesh, the recording dialog answering "x.ikm"
// in a scratch folder, and settings naming that folder; each run is a new
// command in a host of its own offering some of them.
TEST(GenWriteIKorMeshCmd,
     NeedsItsServicesAndAMeshAsksTheSaveFolderKeepsNoBytes) {
  ScratchFolder scratch;
  fs::path dir = scratch.path();
  auto *mesh = new FailingMesh;
  IPtr<HostDocument> document(new HostDocument), empty(new HostDocument);
  IPtr<RecordingGui> gui(new RecordingGui);
  IPtr<HostSettingsStore> settings(new HostSettingsStore);
  settings->set("Directories/Save Directory", dir.string());
  document->model().setItem("GenModel", static_cast<IKorMesh *>(mesh));
  gui->setPresetSaveName((dir / "x.ikm").u16string());
  using Services = std::vector<std::pair<const char *, IKorUnknown *>>;
  auto execute = [](const Services &services) {
    ScopedServiceHost host;
    for (auto [name, service] : services)
      host.offer(name, service);
    return IPtr<GenWriteIKorMeshCmd>(new GenWriteIKorMeshCmd)->Execute();
  };
  std::pair<const char *, IKorUnknown *> doc{"IKorDoc", document.get()},
      dialog{"IGuiUtil", gui.get()}, store{"IDataStore", settings.get()};
  EXPECT_FALSE(execute({dialog, store}));
  EXPECT_FALSE(execute({doc, store}));
  EXPECT_FALSE(execute({doc, dialog}));
  EXPECT_FALSE(execute({{"IKorDoc", empty.get()}, dialog, store}));
  EXPECT_TRUE(gui->shown.empty());
  EXPECT_FALSE(execute({doc, dialog, store})); // the mesh's write fails
  EXPECT_EQ(gui->shown, (std::vector<std::array<std::u16string, 3>>{
                            {u"", dir.u16string(), u"IKorMesh (*.ikm)"}}));
  EXPECT_EQ(mesh->calls, 1);
  ASSERT_TRUE(fs::exists(dir / "x.ikm"));
  EXPECT_EQ(fs::file_size(dir / "x.ikm"), 0u);
}

} // namespace
