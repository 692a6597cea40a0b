//===- hostfixture.h - A real host component manager, a scoped environment ===//
#pragma once
#include "component/ikorerrorservice.h"
#include "component/korcomponentstate.h"
#include "host/services/componentmanager.h"
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

/// Installs a fresh host component manager for one scope and puts the
/// previous one back afterwards, releasing the services offered to it.
class ScopedHost {
public:
  ScopedHost() { manager->AddRef(), korSetComponentManager(manager); }
  ~ScopedHost() {
    manager->releaseServices();
    korSetComponentManager(previous_);
    manager->Release();
  }
  /// Registers `service` (the manager takes a reference) and returns it.
  template <class T> T *offer(const char *name, T *service) {
    manager->RegisterService(name, service);
    return service;
  }
  HostComponentManager *const manager = new HostComponentManager;

private:
  IKorComponentManager *previous_ = korComponentManager();
};

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

/// A fresh host manager with a recording error service for each test.
class HostManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    manager_ = host_.emplace().manager;
    errors_ = host_->offer("IKorErrorService", new RecordingErrorService);
  }
  void TearDown() override { host_.reset(); }
  std::optional<ScopedHost> host_;
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
    const char *old = std::getenv(name);
    saved_.try_emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
    apply(name, value);
  }

private:
  static void apply(const char *name, const std::optional<std::string> &value) {
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    if (std::string(name) == "TZ")
      tzset();
  }
  std::map<std::string, std::optional<std::string>> saved_;
};
