//===- qtguimodule.cpp - Finding and loading korhost's on-screen dialogs --===//
#include "host/gui/qtguimodule.h"
#include <dlfcn.h>
#include <filesystem>

namespace {
/// The module's file name, given by the build when it builds the module.
#ifdef KORHOST_QT_MODULE
constexpr const char *kModuleFile = KORHOST_QT_MODULE;
#else
constexpr const char *kModuleFile = nullptr;
#endif
} // namespace

std::string findQtGuiModule(const std::string &binaryDir) {
  if (!kModuleFile)
    return {};
  const std::filesystem::path folder(binaryDir);
  for (const std::filesystem::path &candidate :
       {folder / kModuleFile,
        folder.parent_path() / "lib" / "kortest" / kModuleFile}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec))
      return candidate.string();
  }
  return {};
}

IGuiUtil *loadQtGui(const std::string &path, std::string &error) {
  // Never closed: Qt keeps process-wide state (its application, platform
  // plugin and threads) that must outlive every window.
  void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  void *entry = module ? dlsym(module, kQtGuiEntry) : nullptr;
  if (!entry) {
    const char *reason = dlerror();
    error = reason ? reason : "cannot load " + path;
    return nullptr;
  }
  return reinterpret_cast<decltype(&korhostQtGui)>(entry)();
}
