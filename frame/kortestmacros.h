//===- kortestmacros.h - Checks, exits and expectations of test bodies ----===//
//
// The statements a test body uses. They write into the status record of
// the running test (the body's kor_status_) with the file and line of their
// own use; a failing check also ends the process through abort when the
// test's break-on-failure flag is set. TEST_PASS and TEST_ABORT leave the
// body; every other failing check lets the body go on.
//
// A helper function of a test can use these statements when it takes the
// same two parameters as a body:
//   void checkMesh(KorTestBase *kor_test_, IKorTestStatus *kor_status_);
//
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/ikorteststatus.h"
#include "component/korassert.h"
#include "frame/kortestbase.h"
#include <cmath>
#include <string>
#include <type_traits>

/// Records a failed check: the message with file and line, then the state;
/// ends the process through abort when breakOnFailure is set.
void korTestRecord(KorTestBase *test, IKorTestStatus *status,
                   const char *text, const char *file, int line, int state,
                   bool mayBreak);

/// The characters of a message argument: a C string, or any string object
/// with c_str().
inline const char *korTestText(const char *text) { return text ? text : ""; }
template <class T>
  requires requires(const T &t) { t.c_str(); }
const char *korTestText(const T &text) {
  return korTestText(text.c_str());
}

/// Records a failed check with a message made of a fixed prefix and text.
inline void korTestRecordWithPrefix(KorTestBase *test, IKorTestStatus *status,
                                    const char *prefix, const char *text,
                                    const char *file, int line) {
  std::string message(prefix);
  message += text;
  korTestRecord(test, status, message.c_str(), file, line, kTestFailed, true);
}

#define KOR_TEST_FAILED_(text)                                                 \
  korTestRecord(kor_test_, kor_status_, text, __FILE__, __LINE__, kTestFailed, \
                true)

/// Fails the test when expr is false.
#define TEST_ASSERT(expr)                                                      \
  do {                                                                         \
    if (!(expr))                                                               \
      KOR_TEST_FAILED_("Failed Test assertion: '" #expr);                      \
  } while (0)

/// Fails the test with msg (a text value) when expr is false.
#define TEST_ASSERT_MESSAGE(expr, msg)                                         \
  do {                                                                         \
    if (!(expr))                                                               \
      korTestRecordWithPrefix(kor_test_, kor_status_,                          \
                              "Failed Test assertion: '", korTestText(msg),    \
                              __FILE__, __LINE__);                             \
  } while (0)

/// Fails the test unless (expr) == (expected).
#define TEST_ASSERT_EQUALS(expr, expected)                                     \
  do {                                                                         \
    if (!((expr) == (expected)))                                               \
      KOR_TEST_FAILED_("Failed test assertion. Expression '" #expr             \
                       "' does not result in expected: ('" #expected "')");    \
  } while (0)

/// Fails the test unless (expr) != (value).
#define TEST_ASSERT_NOT_EQUAL(expr, value)                                     \
  do {                                                                         \
    if (!((expr) != (value)))                                                  \
      KOR_TEST_FAILED_("Failed Test assertion. Expression '" #expr             \
                       "' should not result in: ('" #value "' )");             \
  } while (0)

/// Fails the test unless expr lies within tol of expected (as doubles).
#define TEST_ASSERT_DOUBLE_EQUALS(expr, expected, tol)                         \
  do {                                                                         \
    if (!(static_cast<double>(tol) >=                                          \
          std::fabs(static_cast<double>(expected) -                            \
                    static_cast<double>(expr))))                               \
      KOR_TEST_FAILED_("Failed test assertion. Expression '" #expr             \
                       "' does not result in expected: ('" #expected           \
                       "') within ('" #tol "')");                              \
  } while (0)

/// Fails the test with msg.
#define TEST_FAIL(msg) KOR_TEST_FAILED_(korTestText(msg))

/// Ends the body at once with the state Aborted and msg.
#define TEST_ABORT(msg)                                                        \
  do {                                                                         \
    korTestRecord(kor_test_, kor_status_, korTestText(msg), __FILE__,          \
                  __LINE__, kTestAborted, false);                              \
    return;                                                                    \
  } while (0)

/// Ends the body at once with the state Passed (also after failed checks).
#define TEST_PASS                                                              \
  do {                                                                         \
    kor_status_->SetState(kTestPassed);                                        \
    return;                                                                    \
  } while (0)

/// Declares that a failed application assertion will happen in the body.
#define EXPECT_ASSERT kor_status_->ExpectAssert()

/// Declares that an exception will leave the body.
#define EXPECT_EXCEPTION kor_status_->ExpectException()

/// Application assertions are compiled in unless the build defines NDEBUG;
/// KOR_ENABLE_APP_ASSERT set to 0 or 1 before this header decides instead.
#ifndef KOR_ENABLE_APP_ASSERT
#ifdef NDEBUG
#define KOR_ENABLE_APP_ASSERT 0
#else
#define KOR_ENABLE_APP_ASSERT 1
#endif
#endif

/// The application's assertion: a false expr is reported through
/// Assert_basic with its text, file and line; nothing in release builds.
#if KOR_ENABLE_APP_ASSERT
#define APP_ASSERT(expr)                                                       \
  ((expr) ? (void)0 : Assert_basic(#expr, __FILE__, __LINE__))
#else
#define APP_ASSERT(expr) ((void)0)
#endif
