//===- hostservices.cpp - The table of named host services ----------------===//
#include "hostservices.h"

std::vector<HostServiceEntry> &hostServiceTable() {
  static std::vector<HostServiceEntry> table;
  return table;
}

bool registerHostService(
    const char *name, std::function<IKorUnknown *(const HostOptions &)> make) {
  hostServiceTable().push_back({name, std::move(make)});
  return true;
}
