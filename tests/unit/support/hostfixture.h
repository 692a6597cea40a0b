//===- hostfixture.h - A real host component manager, a scoped environment ===//
#pragma once
#include "host/services/componentmanager.h"
#include "component/ikorerrorservice.h"
#include "component/korcomponentstate.h"
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <string_view>
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

/// Sets (or unsets, with nullopt) environment variables for one test and
/// restores them afterwards.
class ScopedEnvironment {
public:
  ~ScopedEnvironment() {
    for (const auto &[name, value] : saved_)
      apply(name.c_str(), value);
  }
  void set(const char *name, std::optional<std::string> value) {
    if (!saved_.count(name)) {
      const char *old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    apply(name, value);
  }

private:
  static void apply(const char *name, const std::optional<std::string> &value) {
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    if (std::string_view(name) == "TZ")
      tzset();
  }
  std::map<std::string, std::optional<std::string>> saved_;
};
