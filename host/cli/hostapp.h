//===- hostapp.h - The running host: manager, settings and services -------===//
#pragma once
#include "host/services/componentmanager.h"
#include "host/cli/hostoptions.h"
#include "host/services/settingsstore.h"

/// Owns the component manager and the settings store of one korhost run.
class HostApp {
public:
  explicit HostApp(HostOptions options);
  ~HostApp();
  HostApp(const HostApp &) = delete;
  HostApp &operator=(const HostApp &) = delete;

  /// Reads settings, creates every host service and loads the plugins.
  void start();
  HostComponentManager &manager() { return *manager_; }
  HostSettingsStore &settings() { return *settings_; }
  const HostOptions &options() const { return options_; }

private:
  HostOptions options_;
  HostComponentManager *manager_;
  HostSettingsStore *settings_;
};

/// The folder that holds the running korhost executable.
std::string hostBinaryDir();
