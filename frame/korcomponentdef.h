//===- korcomponentdef.h - A component's identity and its EntryPoint ------===//
//
// A component source says once who it is:
//   KOR_DEFINE_COMPONENT("kortest", MyCustomizer, 0x74372F72, 0xBA35, ...);
// which sets the identity at load time, creates the customizer and the
// component factory, reads KOR_BREAK_ENABLED and defines EntryPoint.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikorclassfactory.h"
#include "component/kortypes.h"
#include <cstdint>

/// The component factory, or null before load-time set-up.
IKorComponentFactory *korComponentFactory();
/// The component object the last EntryPoint call created.
IKorComponent *korComponentObject();

/// Load-time set-up of a component's identity, customizer and factory.
void korDefineComponent(const char *name, const KorGuid &id,
                        IKorComponentCustomizer *customizer);

/// The body of EntryPoint: version 100 and a new component object.
int32_t korEntryPoint(uint32_t *version, void **component);

#define KOR_DEFINE_COMPONENT(Name, Customizer, ...)                            \
  static const bool kor_component_defined = [] {                               \
    korDefineComponent(Name, korGuid(__VA_ARGS__), new Customizer);            \
    return true;                                                               \
  }();                                                                         \
  extern "C" __attribute__((visibility("default"))) int32_t EntryPoint(        \
      uint32_t *version, void **component) {                                   \
    return korEntryPoint(version, component);                                  \
  }
