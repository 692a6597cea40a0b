//===- hostservicesfixture.h - Every korhost service around a test --------===//
#pragma once
#include "tests/unit/support/hostfixture.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "frame/ikortestservice.h"
#include "host/services/settingsstore.h"
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

/// A host manager holding every korhost service, a settings store whose data
/// directory lies in a fresh temporary folder, and the caller's test service.
class HostServicesTest : public HostManagerTest {
protected:
  /// Registers the services, leaving out the error service and `skipped`;
  /// `tag` names the temporary folder.
  void setUpServices(const std::string &tag, IKorTestService *testService,
                     std::string_view skipped = {}) {
    HostManagerTest::SetUp();
    HostOptions options;
    for (const HostServiceEntry &entry : hostServiceTable())
      if (entry.name != "IKorErrorService" && entry.name != skipped)
        manager_->RegisterService(entry.name.c_str(), entry.make(options));
    dir_ = std::filesystem::temp_directory_path() /
           (tag + "_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_ / "data");
    host_->offer("IDataStore", new HostSettingsStore)
        ->loadText("[Directories]\nData Directory = " + dir_.string() +
                   "/data/\n");
    host_->offer("IKorTestService", testService);
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    HostManagerTest::TearDown();
  }

  std::filesystem::path dir_;
};
