//===- strtestsupport.h - Printing strings, a scoped string-service host --===//
#pragma once
#include "host/services/componentmanager.h"
#include "component/korcomponentstate.h"
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/korstrsupport.h"
#include "KorBasicTypes/translate.h"
#include <ostream>
#include <string>

/// GoogleTest prints narrow strings as quoted text.
inline void PrintTo(const KorCString &text, std::ostream *out) {
  *out << (text.isNull() ? "(null)" : "\"" + std::string(text.c_str()) + "\"");
}

/// GoogleTest prints wide strings as their UTF-8 form.
inline void PrintTo(const KorString &text, std::ostream *out) {
  *out << (text.isNull() ? "(null)" : "u\"" + std::string(text.utf8()) + "\"");
}

/// Installs a fresh component manager for the life of a test, so that
/// services offered through it are found by the string classes and the
/// translator; restores the previous manager afterwards.
class ScopedServiceHost {
public:
  ScopedServiceHost()
      : previous_(korComponentManager()), manager_(new HostComponentManager) {
    manager_->AddRef();
    korSetComponentManager(manager_);
    forgetServices();
  }
  ~ScopedServiceHost() {
    forgetServices();
    manager_->releaseServices();
    korSetComponentManager(previous_);
    manager_->Release();
  }
  ScopedServiceHost(const ScopedServiceHost &) = delete;
  ScopedServiceHost &operator=(const ScopedServiceHost &) = delete;

  /// Registers `service` under `name` (the manager takes a reference).
  void offer(const char *name, IKorUnknown *service) {
    manager_->RegisterService(name, service);
  }

private:
  static void forgetServices() {
    korResetStrSupport();
    korResetTranslator();
  }
  IKorComponentManager *previous_;
  HostComponentManager *manager_;
};
