//===- testappassertexceptions_test.h - Self-tests of asserts and throws --===//
//
// Application assertions (APP_ASSERT, reported through Assert_basic to the
// test's assertion hook) and exceptions that leave a test body, with and
// without the expectation statements EXPECT_ASSERT and EXPECT_EXCEPTION.
//
// Application assertions, and the processor faults raised below, exist only
// in builds with application assertions (KOR_ENABLE_APP_ASSERT). In a
// release build those statements do nothing, so the tests that rely on them
// are disabled there; run anyway, they end as a release build dictates.
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/kortestdecl.h"

class TestAppAssertExceptionsSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(TestAppAssertExceptionsSuite,
                 "Application Asserts and Exceptions Tests")

  /// The test file's own exception type, thrown by the tests below; it is
  /// no std::exception, so only a handler that catches everything sees it.
  struct Exceptor {
    int code;
  };

  /// Sets a flag when destroyed, which shows that a thrown exception
  /// unwound the frame that held it.
  class CleanupWatch {
  public:
    explicit CleanupWatch(bool &cleanedUp) : cleanedUp_(cleanedUp) {}
    ~CleanupWatch() { cleanedUp_ = true; }

  private:
    bool &cleanedUp_;
  };

  /// Writes through a null pointer where application assertions are
  /// compiled in; does nothing in a release build. The fault guard around
  /// the body reports the fault like an exception.
  __attribute__((no_sanitize("undefined"))) static void
  raiseSystemException() {
#if KOR_ENABLE_APP_ASSERT
    volatile int *nowhere = nullptr;
    *nowhere = 1;
#endif
  }

  // Category lists, and the reasons shared by several disabled tests.
  static constexpr const char *kAssert = "METATESTING,ASSERT";
  static constexpr const char *kException = "METATESTING,EXCEPTION";
  static constexpr const char *kReleaseBuild = "Disabled in Release build";
  static constexpr const char *kToFail = "Test designed to fail";
  static constexpr const char *kTooLate = "Test disabled, EXPECT_EXCEPTION "
      "must be called before exception actually occurs.";

  // An expectation stated after the assertion it expects still counts.
  KOR_TEST_DISABLED(EXPECT_ASSERT_AtEndTest, "EXPECT_ASSERT At End Test",
                    kAssert, kReleaseBuild) {
    APP_ASSERT(1 == 2);
    EXPECT_ASSERT;
  }

  // Expectations are checked after the body has ended, so the place of the
  // assertion makes no difference. In a release build no assertion happens
  // and both tests end Failed with "A failed assertion was expected, but
  // never occurred.", carrying the test's definition file and line.
  // (The expectation must come first only for exceptions, below.)

  KOR_TEST_DISABLED(EXPECT_ASSERT_AtStartTest, "EXPECT_ASSERT At Start Test",
                    kAssert, kReleaseBuild) {
    EXPECT_ASSERT;
    APP_ASSERT(1 == 2);
  }

  // An application assertion nobody expected fails the test with "A failed
  // assertion occurred, but was not expected."
  KOR_TEST_DISABLED(APP_ASSERT_FAIL_Test, "APP_ASSERT fail", kAssert,
                    "This test fails under normal circumstances") {
    APP_ASSERT(1 == 2);
  }

  KOR_TEST_DISABLED(EXPECT_EXCEPTION_AtEndTest, "EXPECT_EXCEPTION At End Test",
                    kException, kTooLate) {
    raiseSystemException();
    EXPECT_EXCEPTION;
  }

  KOR_TEST_DISABLED(EXPECT_EXCEPTION_AtStartTest,
                    "EXPECT_EXCEPTION At Start Test", kException, kToFail) {
    EXPECT_EXCEPTION;
    raiseSystemException();
  }

  KOR_TEST_DISABLED(UnexpectedSystemExceptionTest,
                    "Unexpected System Exception", kException, kToFail) {
    raiseSystemException();
  }

  KOR_TEST_DISABLED(UnexpectedCPPExceptionTest, "Unexpected C++ Exception",
                    kException, kToFail) {
    throw Exceptor{42};
  }

  /// Throws past a local whose destructor marks that it ran.
  static void throwPastWatch(bool &cleanedUp) {
    CleanupWatch watch(cleanedUp);
    throw Exceptor{7};
  }

  // An exception thrown and caught inside the body unwinds the frames it
  // leaves, destroying their locals; the body goes on after the handler.

  KOR_TEST(STACK_CLEANUPTest, "Verify Stack Cleanup After Exception",
           kException) {
    bool cleanedUp = false;
    try {
      throwPastWatch(cleanedUp);
    } catch (const Exceptor &) {
    }
    TEST_ASSERT(cleanedUp == true);
  }
};
