//===- hostfixture.h - A real host component manager for unit tests -------===//
#pragma once
#include "host/services/componentmanager.h"
#include "component/ikorerrorservice.h"
#include "component/korcomponentstate.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

/// An error service that keeps every report.
class RecordingErrorService : public IKorErrorService {
public:
  KOR_CLASS(RecordingErrorService, IKorErrorService)
  struct Entry {
    std::u16string message;
    int severity;
    std::string source;
  };
  void Report(const KorWChar *message, const int &severity,
              const char *source) override {
    reports.push_back({message ? message : u"", severity, source ? source : ""});
  }
  std::vector<Entry> reports;
};

/// Hands a fresh host manager to this process's component state and takes
/// it back after the test.
class HostManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    manager_ = new HostComponentManager;
    manager_->AddRef();
    errors_ = new RecordingErrorService;
    manager_->RegisterService("IKorErrorService", errors_);
    korSetComponentManager(manager_);
  }
  void TearDown() override {
    manager_->releaseServices();
    korSetComponentManager(nullptr);
    manager_->Release();
  }
  HostComponentManager *manager_ = nullptr;
  RecordingErrorService *errors_ = nullptr;
};
