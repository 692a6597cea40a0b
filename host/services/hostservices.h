//===- hostservices.h - The table of named host services ------------------===//
//
// Each service file registers a maker under the service name with
// KORHOST_SERVICE; korhost creates every service once at start-up and
// registers it with the component manager under that name. A service with
// a second form (the on-screen "IGuiUtil") registers that form with
// KORHOST_SERVICE_OVERRIDE and the condition under which it replaces the
// plain one.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korobject.h"
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

/// A maker that replaces the plain one of the same name when it applies.
struct HostServiceOverride {
  std::string name;
  std::function<bool(const HostOptions &)> applies;
  std::function<IKorUnknown *(const HostOptions &)> make;
};

/// Every override a service file registered, in registration order.
std::vector<HostServiceOverride> &hostServiceOverrides();

/// Adds an override; used through KORHOST_SERVICE_OVERRIDE.
bool registerHostServiceOverride(
    const char *name, std::function<bool(const HostOptions &)> applies,
    std::function<IKorUnknown *(const HostOptions &)> make);

/// Makes the service of `entry`: the first override of its name that
/// applies to `options`, else the entry's own maker.
IKorUnknown *makeHostService(const HostServiceEntry &entry,
                             const HostOptions &options);

#define KORHOST_CONCAT_(a, b) a##b
#define KORHOST_CONCAT(a, b) KORHOST_CONCAT_(a, b)
/// Registers a host service maker at start-up.
#define KORHOST_SERVICE(Name, ...)                                             \
  static const bool KORHOST_CONCAT(korhost_service_, __LINE__) =               \
      registerHostService(Name, __VA_ARGS__)

/// Replaces the service `Name` when `Applies(options)` holds at start-up.
#define KORHOST_SERVICE_OVERRIDE(Name, Applies, ...)                           \
  static const bool KORHOST_CONCAT(korhost_override_, __LINE__) =              \
      registerHostServiceOverride(Name, Applies, __VA_ARGS__)
