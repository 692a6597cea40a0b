//===- hostservices.cpp - The table of named host services ----------------===//
#include "host/services/hostservices.h"

std::vector<HostServiceEntry> &hostServiceTable() {
  static std::vector<HostServiceEntry> table;
  return table;
}

bool registerHostService(
    const char *name, std::function<IKorUnknown *(const HostOptions &)> make) {
  hostServiceTable().push_back({name, std::move(make)});
  return true;
}

std::vector<HostServiceOverride> &hostServiceOverrides() {
  static std::vector<HostServiceOverride> overrides;
  return overrides;
}

bool registerHostServiceOverride(
    const char *name, std::function<bool(const HostOptions &)> applies,
    std::function<IKorUnknown *(const HostOptions &)> make) {
  hostServiceOverrides().push_back({name, std::move(applies), std::move(make)});
  return true;
}

IKorUnknown *makeHostService(const HostServiceEntry &entry,
                             const HostOptions &options) {
  for (const HostServiceOverride &replacement : hostServiceOverrides())
    if (replacement.name == entry.name && replacement.applies(options))
      return replacement.make(options);
  return entry.make(options);
}
