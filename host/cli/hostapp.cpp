//===- hostapp.cpp - The running host: manager, settings and services -----===//
#include "host/cli/hostapp.h"
#include "host/services/hostservices.h"
#include "component/korcomponentstate.h"
#include "host/services/testservicebridge.h"
#include <filesystem>

std::string hostBinaryDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

HostApp::HostApp(HostOptions options)
    : options_(std::move(options)), manager_(new HostComponentManager),
      settings_(new HostSettingsStore) {
  manager_->AddRef();
  settings_->AddRef();
  // The host's own copy of the core library finds services through the
  // same manager the components get.
  korSetComponentName("korhost");
  korSetComponentManager(manager_);
}

HostApp::~HostApp() {
  manager_->releaseServices();
  settings_->Release();
  korSetComponentManager(nullptr);
  manager_->Release();
}

void HostApp::start() {
  if (!options_.configFile.empty())
    settings_->loadFile(options_.configFile);
  manager_->RegisterService("IKorComponentManager", manager_);
  manager_->RegisterService("IDataStore", settings_);
  for (const HostServiceEntry &entry : hostServiceTable())
    if (IKorUnknown *service = makeHostService(entry, options_))
      manager_->RegisterService(entry.name.c_str(), service);
  manager_->loadPluginFolder(options_.pluginDir);
  registerComponentServices(*manager_);
}
