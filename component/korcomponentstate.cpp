//===- korcomponentstate.cpp - Identity and manager of this component -----===//
#include "component/korcomponentstate.h"
#include <utility>

namespace {
struct ComponentState {
  IKorComponentManager *manager = nullptr;
  const char *name = "";
  KorGuid id;
  std::string instanceName;
  IKorComponentCustomizer *customizer = nullptr;
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
IKorComponentCustomizer *korComponentCustomizer() { return state().customizer; }
IKorComponentCustomizer *
korSetComponentCustomizer(IKorComponentCustomizer *customizer) {
  return std::exchange(state().customizer, customizer);
}
