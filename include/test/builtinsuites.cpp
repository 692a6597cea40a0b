//===- builtinsuites.cpp - The component's self-test suites ---------------===//
#include "builtinsuites.h"
#include "emptysuite_test.h"
#include "specsuite_test.h"
#include "testappassertexceptions_test.h"
#include "testassert_test.h"

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
