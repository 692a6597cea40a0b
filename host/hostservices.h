//===- hostservices.h - The table of named host services ------------------===//
//
// Each service file registers a maker under the service name with
// KORHOST_SERVICE; korhost creates every service once at start-up and
// registers it with the component manager under that name.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "korobject.h"
#include <functional>
#include <string>
#include <vector>

struct HostOptions;

/// One named service and how to make it.
struct HostServiceEntry {
  std::string name;
  std::function<IKorUnknown *(const HostOptions &)> make;
};

/// Every service a service file registered, in registration order.
std::vector<HostServiceEntry> &hostServiceTable();

/// Adds a service maker to the table; used through KORHOST_SERVICE.
bool registerHostService(const char *name,
                         std::function<IKorUnknown *(const HostOptions &)> make);

#define KORHOST_CONCAT_(a, b) a##b
#define KORHOST_CONCAT(a, b) KORHOST_CONCAT_(a, b)
/// Registers a host service maker at start-up.
#define KORHOST_SERVICE(Name, ...)                                             \
  static const bool KORHOST_CONCAT(korhost_service_, __LINE__) =               \
      registerHostService(Name, __VA_ARGS__)
