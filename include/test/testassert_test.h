//===- testassert_test.h - Self-tests of the explicit test statements -----===//
//
// TEST_PASS and TEST_ABORT leave the body at once; TEST_FAIL records a
// failure. Tests that fail on purpose are disabled.
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/kortestdecl.h"

class TestAssertSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(TestAssertSuite, "Test Assert Tests")
  static constexpr const char *kCategories = "METATESTING,ASSERT";
  KOR_TEST(TEST_PASSTest, "TEST_PASS Test", kCategories) {
    TEST_PASS;
    TEST_FAIL("TEST_PASS macro did not exit test function");
  }

  static constexpr const char *kToFail =
      "Test designed to fail, so its disabled";
  KOR_TEST_DISABLED(TEST_FAILTest, "TEST_FAIL Test", kCategories, kToFail) {
    TEST_FAIL("This an intentional Failure");
  }

  // The state is Aborted and no statement after TEST_ABORT runs; it never
  // ends the process, whatever the break-on-failure flag says.
  KOR_TEST_DISABLED(TEST_ABORTTest, "TEST_ABORT Test", kCategories, kToFail) {
    TEST_ABORT("Testing the test abort facility");
    TEST_FAIL("TEST_ABORT macro did not exit test function");
  }

  // Both checks hold: an integer and a double compared with ==.
  KOR_TEST(TEST_ASSERT_EQUALSTest, "TEST_ASSERT_EQUALS  Test", kCategories) {
    int a = 34;
    double pi = 3.14159;
    TEST_ASSERT_EQUALS(a, 34);
    TEST_ASSERT_EQUALS(pi, 3.14159);
  }
};
