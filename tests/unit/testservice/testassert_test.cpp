// Unit tests of the test macros, the run wrapper and the assertion hook.
#define KOR_ENABLE_APP_ASSERT 1
#include "tests/unit/support/hostfixture.h"
#include "frame/kortestdecl.h"
#include "testservice/genteststatus.h"
#include "testservice/testassertcb.h"
#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr const char *kFile = "tests/unit/testservice/testassert_test.cpp";
int gLine = 0;          // line of the macro under test
volatile bool gReached = false; // a statement after the macro ran
bool gCleanedUp = false;
volatile int *volatile gNull = nullptr;
volatile int gZero = 0;
volatile bool gNeverStop = true;

__attribute__((noinline)) int recurse(int depth) {
  volatile char frame[512];
  frame[0] = static_cast<char>(depth);
  if (!gNeverStop)
    return frame[0];
  return recurse(depth + 1) + frame[0];
}

// The faults must reach the processor: sanitizers would report them first.
#define KOR_RAW_FAULT __attribute__((noinline, no_sanitize("address", "undefined")))

KOR_RAW_FAULT void dereferenceNull() { *gNull = 1; }
volatile int gQuotient = 0;
KOR_RAW_FAULT void divideByZero() { gQuotient = 7 / gZero; }

struct Cleanup {
  ~Cleanup() { gCleanedUp = true; }
};

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
    TEST_ASSERT_MESSAGE(false, "This an explict failure message!");
    TEST_ASSERT_MESSAGE(false, KorCString("from a string"));
  }
  KOR_TEST(EqualsFails, "equals fails", "T") {
    TEST_ASSERT_EQUALS(2*7+3, 18);
  }
  KOR_TEST(NotEqualFails, "not equal fails", "T") {
    TEST_ASSERT_NOT_EQUAL(2+2, 4);
  }
  KOR_TEST(DoubleEqualsFails, "double equals fails", "T") {
    TEST_ASSERT_DOUBLE_EQUALS(2*asin(1.0), 3.14, 0.001);
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
    TEST_FAIL("first a failure");
    TEST_PASS;
    gReached = true;
  }
  KOR_TEST(ExpectedAssertMissing, "expect assert", "T") {
    EXPECT_ASSERT;
    TEST_PASS;
  }
  KOR_TEST(UnexpectedThrow, "throw", "T") {
    Cleanup cleanup;
    throw std::runtime_error("boom");
  }
  KOR_TEST(ThrowNonException, "throw int", "T") { throw 42; }
  KOR_TEST(ExpectedThrow, "expected throw", "T") {
    EXPECT_EXCEPTION;
    throw 1;
  }
  KOR_TEST(ExpectedThrowMissing, "expected throw missing", "T") {
    EXPECT_EXCEPTION;
  }
  KOR_TEST(NullDereference, "null", "T") {
    dereferenceNull();
    gReached = true;
  }
  KOR_TEST(DivisionByZero, "division", "T") {
    divideByZero();
  }
  KOR_TEST(StackOverflow, "overflow", "T") { recurse(0); }
  KOR_TEST(AppAssertFails, "app assert", "T") {
    gLine = __LINE__; APP_ASSERT(1 == 2);
  }
  KOR_TEST(AppAssertExpected, "app assert expected", "T") {
    EXPECT_ASSERT;
    APP_ASSERT(false);
  }
  KOR_TEST(SeesCurrentStatus, "current status", "T") {
    gReached = kor_test_->currentStatus() == kor_status_;
  }
};

IKorTest *testNamed(const char *name) {
  AssertSuite &suite = korCreateSuite<AssertSuite>();
  for (int i = 1; i <= suite.TestCount(); ++i)
    if (std::string(suite.TestAt(i)->ClassName()) == name)
      return suite.TestAt(i);
  return nullptr;
}

struct Outcome {
  int state = -1;
  std::vector<std::string> messages;
  std::vector<std::string> files;
  std::vector<int> lines;
};

Outcome run(const char *name, bool breakOnFailure = false) {
  gLine = 0;
  gReached = false;
  IKorTest *test = testNamed(name);
  test->SetBreakOnFailure(breakOnFailure);
  GenTestStatus status(test);
  test->Run(&status);
  test->SetBreakOnFailure(false);
  Outcome outcome;
  outcome.state = status.GetState();
  for (int i = 1; i <= status.GetMessageCount(); ++i) {
    outcome.messages.push_back(status.GetMessage(i));
    outcome.files.push_back(status.GetMessageFile(i));
    outcome.lines.push_back(status.GetMessageLine(i));
  }
  return outcome;
}

using Texts = std::vector<std::string>;

int declarationLine(const char *name) {
  return testNamed(name)->DeclarationLine();
}
} // namespace

TEST(TestMacros, PassingChecksWriteNothing) {
  Outcome outcome = run("AssertHolds");
  EXPECT_EQ(outcome.state, kTestPassed);
  EXPECT_TRUE(outcome.messages.empty());
}

TEST(TestMacros, FailedAssertRecordsItsUseAndGoesOn) {
  Outcome outcome = run("AssertFails");
  EXPECT_EQ(outcome.state, kTestFailed);
  EXPECT_EQ(outcome.messages, Texts{"Failed Test assertion: '1 + 1 == 3"});
  EXPECT_EQ(outcome.files, Texts{kFile});
  EXPECT_EQ(outcome.lines, std::vector<int>{gLine});
  EXPECT_TRUE(gReached) << "a failing check does not leave the body";
}

TEST(TestMacros, ExactMessageTexts) {
  EXPECT_EQ(run("MessageFails").messages,
            (Texts{"Failed Test assertion: 'This an explict failure message!",
                   "Failed Test assertion: 'from a string"}));
  EXPECT_EQ(run("EqualsFails").messages,
            Texts{"Failed test assertion. Expression '2*7+3' does not result "
                  "in expected: ('18')"});
  EXPECT_EQ(run("NotEqualFails").messages,
            Texts{"Failed Test assertion. Expression '2+2' should not result "
                  "in: ('4' )"});
  Outcome dbl = run("DoubleEqualsFails");
  EXPECT_EQ(dbl.state, kTestFailed);
  EXPECT_EQ(dbl.messages,
            Texts{"Failed test assertion. Expression '2*asin(1.0)' does not "
                  "result in expected: ('3.14') within ('0.001')"});
}

TEST(TestMacros, FailAbortAndPass) {
  Outcome fail = run("FailContinues");
  EXPECT_EQ(fail.state, kTestFailed);
  EXPECT_EQ(fail.messages, Texts{"Explicit Failure"});
  EXPECT_EQ(fail.lines, std::vector<int>{gLine});
  EXPECT_TRUE(gReached);

  Outcome abort = run("AbortLeaves");
  EXPECT_EQ(abort.state, kTestAborted);
  EXPECT_EQ(abort.messages, Texts{"Testing the test abort facility"});
  EXPECT_EQ(abort.lines, std::vector<int>{gLine});
  EXPECT_FALSE(gReached) << "TEST_ABORT leaves the body";

  Outcome pass = run("PassAfterFailure");
  EXPECT_EQ(pass.state, kTestPassed);
  EXPECT_EQ(pass.messages, Texts{"first a failure"});
  EXPECT_FALSE(gReached) << "TEST_PASS leaves the body";
}

TEST(TestMacros, BreakOnFailureEndsTheProcessThroughAbort) {
  EXPECT_DEATH(run("FailContinues", true), "");
  EXPECT_DEATH(run("AssertFails", true), "");
  EXPECT_EQ(run("AbortLeaves", true).state, kTestAborted);
  EXPECT_EQ(run("PassAfterFailure", false).state, kTestPassed);
  EXPECT_EQ(run("AssertHolds", true).state, kTestPassed);
}

TEST(RunWrapper, MissingExpectedAssertFailsEvenAfterPass) {
  Outcome outcome = run("ExpectedAssertMissing");
  EXPECT_EQ(outcome.state, kTestFailed);
  EXPECT_EQ(outcome.messages,
            Texts{"A failed assertion was expected, but never occurred."});
  EXPECT_EQ(outcome.files, Texts{kFile});
  EXPECT_EQ(outcome.lines,
            std::vector<int>{declarationLine("ExpectedAssertMissing")});
}

TEST(RunWrapper, ExceptionsAreCaughtAndExplained) {
  gCleanedUp = false;
  Outcome thrown = run("UnexpectedThrow");
  EXPECT_EQ(thrown.state, kTestFailed);
  EXPECT_EQ(thrown.messages,
            (Texts{"Exception Occurred", "An exception occurred."}));
  int line = declarationLine("UnexpectedThrow");
  EXPECT_EQ(thrown.lines, (std::vector<int>{line, line}));
  EXPECT_EQ(thrown.files, (Texts{kFile, kFile}));
  EXPECT_TRUE(gCleanedUp) << "a thrown exception destroys the body's locals";

  EXPECT_EQ(run("ThrowNonException").messages,
            (Texts{"Exception Occurred", "An exception occurred."}));

  Outcome expected = run("ExpectedThrow");
  EXPECT_EQ(expected.state, kTestPassed);
  EXPECT_EQ(expected.messages, Texts{"Exception Occurred"});

  Outcome missing = run("ExpectedThrowMissing");
  EXPECT_EQ(missing.state, kTestFailed);
  EXPECT_EQ(missing.messages,
            Texts{"An exception was expected, but never occurred."});
}

TEST(RunWrapper, ProcessorFaultsAreCaughtLikeExceptions) {
  const Texts caught{"Exception Occurred", "An exception occurred."};
  Outcome null = run("NullDereference");
  EXPECT_EQ(null.state, kTestFailed);
  EXPECT_EQ(null.messages, caught);
  EXPECT_FALSE(gReached);
#if defined(__x86_64__) || defined(__i386__)
  EXPECT_EQ(run("DivisionByZero").messages, caught);
#endif
  EXPECT_EQ(run("StackOverflow").messages, caught);
  EXPECT_EQ(run("AssertHolds").state, kTestPassed) << "the next test runs";
}

TEST(RunWrapper, RestoresThePreviousCurrentStatus) {
  auto *test = dynamic_cast<KorTestBase *>(testNamed("SeesCurrentStatus"));
  EXPECT_EQ(test->currentStatus(), nullptr);
  GenTestStatus outer, inner;
  test->exchangeCurrentStatus(&outer);
  test->Run(&inner);
  EXPECT_TRUE(gReached) << "the body sees its status as the current one";
  EXPECT_EQ(test->currentStatus(), &outer);
  test->exchangeCurrentStatus(nullptr);
  run("NullDereference");
  EXPECT_EQ(dynamic_cast<KorTestBase *>(testNamed("NullDereference"))
                ->currentStatus(),
            nullptr)
      << "also after a fault";
}

namespace {
/// A host assertion handler that keeps what it is given.
class RecordingHandler : public IKorAssertHandlerCB {
public:
  KOR_CLASS(RecordingHandler, IKorAssertHandlerCB)
  void HandleAssert(const char *text, const char *file, int line) override {
    seen.push_back(std::string(text) + "|" + file + "|" + std::to_string(line));
  }
  std::vector<std::string> seen;
};

class AssertHookTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    host_ = new RecordingHandler;
    manager_->RegisterService("IKorAssertHandlerCB", host_);
  }
  RecordingHandler *host_ = nullptr;
};
} // namespace

TEST_F(AssertHookTest, InstallChainsToThePreviousHandlerOnce) {
  IPtr<TestAssertCB> hook;
  EXPECT_TRUE(TestAssertCB::install(hook));
  ASSERT_TRUE(hook);
  EXPECT_EQ(hook->previous(), host_);
  SPtr<IKorAssertHandlerCB> registered;
  EXPECT_EQ(registered.get(), hook.get());
  TestAssertCB *first = hook.get();
  EXPECT_FALSE(TestAssertCB::install(hook)) << "already in place";
  EXPECT_EQ(hook.get(), first);

  manager_->RegisterService("IKorAssertHandlerCB", host_);
  EXPECT_TRUE(TestAssertCB::install(hook)) << "replaced by someone else";
  EXPECT_NE(hook.get(), first);
}

TEST_F(AssertHookTest, BetweenTestsTheHookOnlyForwards) {
  IPtr<TestAssertCB> hook;
  TestAssertCB::install(hook);
  Assert_basic("x != 0", "KorBasicTypes/unit", 12);
  EXPECT_EQ(host_->seen, Texts{"x != 0|KorBasicTypes/unit|12"});
  EXPECT_TRUE(hook->assertSeen());
  hook->clearAssertSeen();
  hook->setChain(false);
  Assert_basic("y", "f", 1);
  EXPECT_EQ(host_->seen.size(), 1u) << "no chaining";
  EXPECT_TRUE(hook->assertSeen());
}

TEST_F(AssertHookTest, ApplicationAssertionsReachTheRunningTest) {
  IPtr<TestAssertCB> hook;
  TestAssertCB::install(hook);
  IKorTest *test = testNamed("AppAssertFails");
  GenTestStatus status(test);
  hook->setStatus(&status);
  test->Run(&status);
  hook->setStatus(nullptr);
  EXPECT_EQ(status.GetState(), kTestFailed);
  ASSERT_EQ(status.GetMessageCount(), 2);
  EXPECT_STREQ(status.GetMessage(1), "1 == 2");
  EXPECT_STREQ(status.GetMessageFile(1), kFile);
  EXPECT_EQ(status.GetMessageLine(1), gLine);
  EXPECT_STREQ(status.GetMessage(2),
               "A failed assertion occurred, but was not expected.");
  EXPECT_EQ(host_->seen.size(), 1u) << "chained to the host's handler";

  IKorTest *expected = testNamed("AppAssertExpected");
  GenTestStatus expectedStatus(expected);
  hook->setStatus(&expectedStatus);
  expected->Run(&expectedStatus);
  hook->setStatus(nullptr);
  EXPECT_EQ(expectedStatus.GetState(), kTestPassed);
  EXPECT_EQ(expectedStatus.GetMessageCount(), 1);
}
