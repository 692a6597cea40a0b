//===- specsuite_test.h - Self-tests of suite data and the checks ---------===//
//
// SpecSuite prepares data in its set-up that its tests read through
// SUITE_VAR, and runs each check statement once with a check that holds.
// Tests that fail on purpose are disabled. The checks' source text is part
// of their messages, so this file is kept out of automatic formatting.
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/kortestdecl.h"
#include <cmath>
// clang-format off
class SpecSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(SpecSuite, "Spec Suite")
  static constexpr const char *kMeta = "METATESTING";
  static constexpr const char *kTooMuch = "This one's failing too much";
  /// Set to 3 by the suite set-up, before any test of the suite runs.
  int32_t count = 0;
  void SuiteSetUp() override { count = 3; }

  KOR_TEST(SuiteDataTest, "Acces Suite data test.", kMeta) {
    TEST_ASSERT(SUITE_VAR->count == 3);
  }

  KOR_TEST_DISABLED(SpecTESTFAILTest, "Explicit fail test", kMeta, kTooMuch) {
    TEST_FAIL("Explicit Failure");
  }

  // No statement after TEST_PASS runs.

  KOR_TEST(SpecTESTPASSTest, "Explicit pass test", kMeta) {
    TEST_PASS;
    TEST_FAIL("TEST_PASS macro did not exit test function");
  }

  // The messages the checks below would record carry their source text.
  KOR_TEST(AssertEqualsTest, "Assert Equals Test", kMeta) {
    TEST_ASSERT_EQUALS(2*7+3, 17);
  }

  KOR_TEST(AssertNotEqualTest, "Assert Not Equal Test", kMeta) {
    TEST_ASSERT_NOT_EQUAL(2+2, 5);
  }

  // A check that always fails, with a message of its own.
  KOR_TEST_DISABLED(AssertMessageTest, "Assert message Test", kMeta,
                    "This test is designed to fail, so it is disabled") {
    TEST_ASSERT_MESSAGE(false, "This an explict failure message!");
  }

  KOR_TEST(AssertDoubleEqualsTest, "Assert double equals test", kMeta) {
    TEST_ASSERT_DOUBLE_EQUALS(2*asin(1.0), 3.14, 0.01);
  }
};
// clang-format on
