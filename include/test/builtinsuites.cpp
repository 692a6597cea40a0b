//===- builtinsuites.cpp - The component's self-test suites ---------------===//
#include "include/test/builtinsuites.h"
#include "include/test/emptysuite_test.h"
#include "include/test/specsuite_test.h"
#include "include/test/testappassertexceptions_test.h"
#include "include/test/testassert_test.h"

void korCreateBuiltInSuites() {
  static const bool created = [] {
    korCreateSuite<TestAssertSuite>();
    korCreateSuite<TestAppAssertExceptionsSuite>();
    korCreateSuite<EmptySuite>();
    korCreateSuite<SpecSuite>();
    return true;
  }();
  (void)created;
}
