//===- korcomponentstate.cpp - Identity and manager of this component -----===//
#include "component/korcomponentstate.h"

namespace {
struct ComponentState {
  IKorComponentManager *manager = nullptr;
  const char *name = "";
  KorGuid id;
  std::string instanceName;
};

ComponentState &state() {
  static ComponentState instance;
  return instance;
}
} // namespace

IKorComponentManager *korComponentManager() { return state().manager; }
void korSetComponentManager(IKorComponentManager *manager) {
  state().manager = manager;
}
const char *korComponentName() { return state().name; }
void korSetComponentName(const char *name) { state().name = name ? name : ""; }
const KorGuid &korComponentId() { return state().id; }
void korSetComponentId(const KorGuid &id) { state().id = id; }
const std::string &korInstanceName() { return state().instanceName; }
void korSetInstanceName(const char *name) {
  state().instanceName = name ? name : "";
}
