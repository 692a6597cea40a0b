//===- korsuiteregistration.h - Suites a component creates on hand-over ---===//
//
// A test component built with kortest_add_test_component() names each of
// its suites once, after the suite class:
//
//   KOR_REGISTER_SUITE(MeshSuite);
//
// and its generated customizer calls korCreateRegisteredSuites() when the
// host hands over its manager. Suites of one source are created in the order
// they are registered there.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include "frame/kortestsuitebase.h"

/// Creates one suite and its tests (korCreateSuite<S> of one suite S).
using KorSuiteCreator = void (*)();

/// The suites registered with KOR_REGISTER_SUITE, in registration order.
inline KorArray<KorSuiteCreator> &korRegisteredSuites() {
  static KorArray<KorSuiteCreator> creators;
  return creators;
}

/// Records suite S for korCreateRegisteredSuites (used by KOR_REGISTER_SUITE).
template <class S> bool korRegisterSuite() {
  korRegisteredSuites().append([] { korCreateSuite<S>(); });
  return true;
}

/// Creates every registered suite with its tests; later calls do nothing.
inline void korCreateRegisteredSuites() {
  static const bool created = [] {
    for (KorSuiteCreator create : korRegisteredSuites())
      create();
    return true;
  }();
  (void)created;
}

/// Registers suite class Suite with the component at load time.
#define KOR_REGISTER_SUITE(Suite)                                              \
  [[maybe_unused]] static const bool kor_registered_##Suite =                  \
      korRegisterSuite<Suite>()
