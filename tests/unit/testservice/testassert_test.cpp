// Unit tests of the test macros, the run wrapper and the assertion hook.
#define KOR_ENABLE_APP_ASSERT 1
#include "frame/kortestdecl.h"
#include "tests/unit/support/hostfixture.h"
#include "testservice/genteststatus.h"
#include "testservice/testassertcb.h"
#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr const char *kFile = "tests/unit/testservice/testassert_test.cpp";
int gLine = 0;                  // line of the macro under test
volatile bool gReached = false; // a statement after the macro ran
volatile int *volatile gNull = nullptr;

// The fault must reach the processor: sanitizers would report it first.
__attribute__((noinline, no_sanitize("address", "undefined"))) void
dereferenceNull() {
  *gNull = 1;
}

// Each macro under test stands on the line that sets gLine, below the line
// of its test's declaration.
// clang-format off
class AssertSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(AssertSuite, "Assert Suite")

  KOR_TEST(AssertHolds, "assert holds", "T") {
    TEST_ASSERT(1 + 1 == 2);
    TEST_ASSERT_EQUALS(2 * 7 + 3, 17);
    TEST_ASSERT_NOT_EQUAL(2 + 2, 5);
    TEST_ASSERT_DOUBLE_EQUALS(2 * asin(1.0), 3.14, 0.01);
    TEST_ASSERT_MESSAGE(true, "unused");
  }
  KOR_TEST(AssertFails, "assert fails", "T") {
    gLine = __LINE__; TEST_ASSERT(1 + 1 == 3);
    gReached = true;
  }
  KOR_TEST(MessageFails, "message fails", "T") {
    gLine = __LINE__; TEST_ASSERT_MESSAGE(false, "This an explict failure message!"); TEST_ASSERT_MESSAGE(false, KorCString("from a string"));
  }
  KOR_TEST(EqualsFails, "equals fails", "T") {
    gLine = __LINE__; TEST_ASSERT_EQUALS(2*7+3, 18);
  }
  KOR_TEST(NotEqualFails, "not equal fails", "T") {
    gLine = __LINE__; TEST_ASSERT_NOT_EQUAL(2+2, 4);
  }
  KOR_TEST(DoubleEqualsFails, "double equals fails", "T") {
    gLine = __LINE__; TEST_ASSERT_DOUBLE_EQUALS(2*asin(1.0), 3.14, 0.001);
  }
  KOR_TEST(FailContinues, "fail", "T") {
    gLine = __LINE__; TEST_FAIL("Explicit Failure");
    gReached = true;
  }
  KOR_TEST(AbortLeaves, "abort", "T") {
    gLine = __LINE__; TEST_ABORT("Testing the test abort facility");
    gReached = true;
  }
  KOR_TEST(PassAfterFailure, "pass", "T") {
    gLine = __LINE__; TEST_FAIL("first a failure");
    TEST_PASS;
    gReached = true;
  }
  KOR_TEST(ExpectedAssertMissing, "expect assert", "T") { EXPECT_ASSERT; TEST_PASS; }
  KOR_TEST(UnexpectedThrow, "throw", "T") { throw std::runtime_error("boom"); }
  KOR_TEST(ThrowNonException, "throw int", "T") { throw 42; }
  KOR_TEST(ExpectedThrow, "expected throw", "T") { EXPECT_EXCEPTION; throw 1; }
  KOR_TEST(ExpectedThrowMissing, "expected throw missing", "T") { EXPECT_EXCEPTION; }
  KOR_TEST(NullDereference, "null", "T") { dereferenceNull(); gReached = true; }
  KOR_TEST(AppAssertFails, "app assert", "T") {
    gLine = __LINE__; APP_ASSERT(1 == 2);
  }
  KOR_TEST(AppAssertExpected, "app assert expected", "T") {
    EXPECT_ASSERT;
    gLine = __LINE__; APP_ASSERT(false);
  }
};
// clang-format on

IKorTest *testNamed(const char *name) {
  AssertSuite &suite = korCreateSuite<AssertSuite>();
  for (int i = 1; i <= suite.TestCount(); ++i)
    if (std::string(suite.TestAt(i)->ClassName()) == name)
      return suite.TestAt(i);
  return nullptr;
}

using Texts = std::vector<std::string>;

/// Runs the bodies with the assertion hook installed, as a test run does.
class TestMacros : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    TestAssertCB::install(hook_);
  }
  /// Runs the test named `name` and fills state and messages.
  void run(const char *name, bool breakOnFailure = false) {
    gLine = 0;
    gReached = false;
    IKorTest *test = testNamed(name);
    GenTestStatus status(test);
    test->SetBreakOnFailure(breakOnFailure);
    hook_->setStatus(&status);
    test->Run(&status);
    hook_->setStatus(nullptr);
    test->SetBreakOnFailure(false);
    state = status.GetState();
    messages.clear();
    lines.clear();
    for (int i = 1; i <= status.GetMessageCount(); ++i) {
      messages.push_back(status.GetMessage(i));
      EXPECT_STREQ(status.GetMessageFile(i), kFile);
      lines += status.GetMessageLine(i) == gLine                     ? 'm'
               : status.GetMessageLine(i) == test->DeclarationLine() ? 'd'
                                                                     : '?';
    }
  }
  IPtr<TestAssertCB> hook_;
  int state = -1;
  Texts messages;
  std::string lines; // per message: 'm' the macro's line, 'd' the test's
};

const Texts kCaught{"Exception Occurred", "An exception occurred."};
} // namespace

TEST_F(TestMacros, StateMessagesAndLinesOfEachOutcome) {
  struct Row {
    const char *test;
    int state;
    Texts messages;
    const char *lines;
    bool reached; // the statement after the macro ran
  } rows[] = {
      // clang-format off
      {"AssertHolds", kTestPassed, {}, "", false},
      {"AssertFails", kTestFailed, {"Failed Test assertion: '1 + 1 == 3"}, "m", true},
      {"MessageFails", kTestFailed, {"Failed Test assertion: 'This an explict failure message!",
                                     "Failed Test assertion: 'from a string"}, "mm", false},
      {"EqualsFails", kTestFailed, {"Failed test assertion. Expression '2*7+3' does not result in expected: ('18')"}, "m", false},
      {"NotEqualFails", kTestFailed, {"Failed Test assertion. Expression '2+2' should not result in: ('4' )"}, "m", false},
      {"DoubleEqualsFails", kTestFailed, {"Failed test assertion. Expression '2*asin(1.0)' does not result in "
                                          "expected: ('3.14') within ('0.001')"}, "m", false},
      {"FailContinues", kTestFailed, {"Explicit Failure"}, "m", true},
      {"AbortLeaves", kTestAborted, {"Testing the test abort facility"}, "m", false},
      {"PassAfterFailure", kTestPassed, {"first a failure"}, "m", false},
      {"ExpectedAssertMissing", kTestFailed, {"A failed assertion was expected, but never occurred."}, "d", false},
      {"UnexpectedThrow", kTestFailed, kCaught, "dd", false},
      {"ThrowNonException", kTestFailed, kCaught, "dd", false},
      {"ExpectedThrow", kTestPassed, {"Exception Occurred"}, "d", false},
      {"ExpectedThrowMissing", kTestFailed, {"An exception was expected, but never occurred."}, "d", false},
      {"NullDereference", kTestFailed, kCaught, "dd", false},
      {"AppAssertFails", kTestFailed, {"1 == 2", "A failed assertion occurred, but was not expected."}, "md", false},
      {"AppAssertExpected", kTestPassed, {"false"}, "m", false},
      // clang-format on
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.test);
    run(row.test);
    EXPECT_EQ(state, row.state);
    EXPECT_EQ(messages, row.messages);
    EXPECT_EQ(lines, row.lines);
    EXPECT_EQ(gReached, row.reached);
  }
}

TEST_F(TestMacros, BreakOnFailureEndsTheProcessThroughAbort) {
  EXPECT_DEATH(run("FailContinues", true), "");
  EXPECT_DEATH(run("AssertFails", true), "");
  run("AbortLeaves", true);
  EXPECT_EQ(state, kTestAborted);
}
