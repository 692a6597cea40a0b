// Unit tests of GenTestService: numbering, the steps and console lines of a
// run, suite order, selection, the leak check, the assertion hook, progress
// forwarding, and bodies that end the process. The built-in suites'
// transcripts, seeding and the fault component's runs (faults, interrupts,
// unhandled signals) are checked end to end (tests/e2e).
#include "KorBasicTypes/progress.h"
#include "component/korassert.h"
#include "frame/kortestdecl.h"
#include "host/services/clock.h"
#include "tests/unit/support/hostfixture.h"
#include "tests/unit/support/resultsfakes.h"
#include "testservice/gentestservice.h"
#include "testservice/heapentrycount.h"
#include "testservice/progressforwarder.h"
#include "testservice/testassertcb.h"
#include <csignal>
#include <cstdlib>
#include <gmock/gmock.h>
#include <stdexcept>

namespace {
std::string gSteps; // what the hooks and bodies did, in order
void *gKept[4];
int gKeptCount = 0;

void keepABlock() { gKept[gKeptCount++] = std::malloc(16); }

class AlphaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(AlphaSuite, "Alpha Suite")
  void SuiteSetUp() override { gSteps += "setup "; }
  void SuiteTearDown() override { gSteps += "teardown "; }
  void BeforeTest() override { gSteps += "before "; }
  void AfterTest() override { gSteps += "after "; }

  KOR_TEST(PassTest, "Passes", "UNIT") { gSteps += "pass "; }
  KOR_TEST(FailTest, "Fails", "UNIT") { TEST_FAIL("failed on purpose"); }
  KOR_TEST(AbortTest, "aborts", "UNIT") { TEST_ABORT("stopped"); }
  KOR_TEST(LeakTest, "Leaks", "UNIT") { keepABlock(); }
  KOR_TEST(TidyTest, "Tidy", "UNIT") { std::free(std::malloc(16)); }
  KOR_TEST(OptOutLeakTest, "Opts out", "UNIT") {
    kor_status_->SetCheckMemory(false);
    keepABlock();
  }
  KOR_TEST(FailedLeakTest, "Fails and leaks", "UNIT") {
    TEST_FAIL("failed first");
    keepABlock();
  }
  KOR_TEST(AppAssertTest, "Asserts", "UNIT") {
    Assert_basic("x > 0", "KorBasicTypes/sample", 12);
  }
  KOR_TEST(ExpectedAssertTest, "Asserts as expected", "UNIT") {
    EXPECT_ASSERT;
    Assert_basic("x > 0", "KorBasicTypes/sample", 12);
  }
  KOR_TEST(ExpectedThrowTest, "Throws as expected", "UNIT") {
    EXPECT_EXCEPTION;
    throw std::runtime_error("expected");
  }
  KOR_TEST(ProgressTest, "Progress", "UNIT") {
    kor_status_->ExpectProgress(2);
    SPtr<IKorProgress> progress;
    progress->Report(progress.get(), 0.5f);
    progress->Report(progress.get(), 1.0f);
  }
};

class BetaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(BetaSuite, "Beta Suite")
  KOR_TEST(OneTest, "One", "UNIT") { gSteps += "one "; }
  KOR_TEST_DISABLED(OffTest, "Off", "UNIT", "Beta is off") {}
  KOR_TEST(QuickExitTest, "Quick Exit", "FAULT") { std::quick_exit(5); }
  KOR_TEST(AbortTest, "Abort", "FAULT") { std::abort(); }
};

using Texts = std::vector<std::string>;

/// An assertion handler that remembers what it saw.
class RecordingAssertHandler : public IKorAssertHandlerCB {
public:
  KOR_CLASS(RecordingAssertHandler, IKorAssertHandlerCB)
  void HandleAssert(const char *text, const char *, int) override {
    texts.push_back(text);
  }
  Texts texts;
};

/// The record's state and messages, a line each.
std::string textOf(IKorTestStatus *status) {
  KorCString text;
  return status->ToString(text).c_str();
}

class GenTestServiceTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    manager_->RegisterService("IKorClock", new HostClock);
    service_ = IPtr<GenTestService>(new GenTestService);
    // As korhost does: run wrappers report through the service.
    manager_->RegisterService("IKorTestService", service_.get());
    gSteps.clear();
  }
  void TearDown() override {
    service_.reset();
    while (gKeptCount > 0)
      std::free(gKept[--gKeptCount]);
    HostManagerTest::TearDown();
  }
  IKorTestStatus *record(int index) { return results_.GetStatus(index); }

  /// Adds a new test of suite S made by the test class T to the suite.
  template <template <class> class T, class S> IKorTest *make(S &suite) {
    IKorTest *test = new T<S>;
    suite.AddTest(test);
    return test;
  }

  /// Runs the tests and returns what the run printed.
  std::string run(std::initializer_list<IKorTest *> tests,
                  TestRunOptions options = {}) {
    KorArray<IKorTest *> list;
    for (IKorTest *test : tests)
      list.append(test);
    testing::internal::CaptureStdout();
    service_->RunTests(list, &results_, options.breakOnFailure,
                       options.checkMemory, options.keepApplicationAsserts,
                       options.randomize, options.seed, options.selectedOnly);
    return testing::internal::GetCapturedStdout();
  }

  // The suites outlive the service, which holds references on their tests.
  AlphaSuite alpha_;
  BetaSuite beta_;
  FakeResults results_;
  IPtr<GenTestService> service_;
};

const std::string kPassLine =
    "   Alpha Suite.Passes ... \033[32mSuccess\033[39m\n";
const std::string kFailLine = "   Alpha Suite.Fails ... \033[31mFailed\033[39m\n";
const std::string kOneLine = "   Beta Suite.One ... \033[32mSuccess\033[39m\n";
} // namespace

TEST_F(GenTestServiceTest, NumbersTestsInRegistrationOrder) {
  IKorTest *a = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *b = make<AlphaSuite::FailTest>(alpha_);
  service_->AddTest(a);
  service_->AddTest(b);
  EXPECT_EQ(service_->FindTest(1), b);
  EXPECT_EQ(service_->FindTest(2), nullptr);
  EXPECT_EQ(service_->GetTest(1), a);
  EXPECT_EQ(service_->GetTest(3), nullptr);
}

TEST_F(GenTestServiceTest, RunsSuiteBySuiteBetweenItsHooksAndPrintsALinePerTest) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *one = make<BetaSuite::OneTest>(beta_);
  IKorTest *fail = make<AlphaSuite::FailTest>(alpha_);
  IKorTest *abort = make<AlphaSuite::AbortTest>(alpha_);
  EXPECT_EQ(run({}), "");
  // Unregistered tests: the suites in the order of their first appearance.
  EXPECT_EQ(run({fail, one, pass, abort}),
            kFailLine + kPassLine +
                "   Alpha Suite.aborts ... \033[31mFailed\033[39m\n" + kOneLine);
  EXPECT_EQ(gSteps, "setup before after before pass after before after "
                    "teardown one ");
  EXPECT_EQ(textOf(record(3)), "Aborted\nstopped\n");
  // Registered tests: the suites in the order of their first registration.
  for (IKorTest *test : {one, fail, pass})
    service_->AddTest(test);
  EXPECT_EQ(run({pass, one, fail}), kOneLine + kPassLine + kFailLine);
  ASSERT_EQ(results_.GetCount(), 7);
  EXPECT_EQ(record(5)->GetTest(), one) << "records follow the run";
  EXPECT_EQ(record(6)->GetTest(), pass) << "tests of a suite in list order";
}

TEST_F(GenTestServiceTest, SelectsEnabledTestsByPatternsAndExclusions) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *fail = make<AlphaSuite::FailTest>(alpha_);
  IKorTest *one = make<BetaSuite::OneTest>(beta_);
  IKorTest *off = make<BetaSuite::OffTest>(beta_);
  const Texts alphaOut{"Alpha Suite.Other", "Alpha Suite.Fails"};
  struct Row {
    Texts patterns, excluded;
    IKorTest *test;
    bool selected;
  } rows[] = {
      {{}, {}, pass, true},
      {{}, {}, off, false},
      {{"*"}, {}, off, false},
      {{"Alpha Suite.*"}, {}, one, false},
      {{"Nothing", "Beta*"}, {}, one, true},
      {{"Alpha Suite.*"}, alphaOut, fail, false},
      {{"Alpha Suite.*"}, alphaOut, pass, true},
      {{}, {"Alpha Suite.Passes"}, pass, false},
  };
  for (const Row &row : rows) {
    GenTestService service;
    for (const std::string &pattern : row.patterns)
      service.AddIncludePattern(pattern.c_str());
    for (const std::string &name : row.excluded)
      service.AddExcludedTest(name.c_str());
    KorCString text;
    SCOPED_TRACE(row.test->Description(text).c_str());
    EXPECT_EQ(service.Selected(row.test->Suite(), row.test), row.selected);
  }
  EXPECT_FALSE(service_->Selected(nullptr, pass)) << "no suite";
}

TEST_F(GenTestServiceTest, OthersLeaveRecordsButRunNoHooks) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *off = make<BetaSuite::OffTest>(beta_);
  IKorTest *one = make<BetaSuite::OneTest>(beta_);
  service_->AddIncludePattern("Alpha*");
  EXPECT_EQ(run({pass, off, one}),
            kPassLine + "   Beta Suite.Off ...    Beta Suite.One ... Skipped\n");
  EXPECT_EQ(gSteps, "setup before pass after teardown ");
  EXPECT_EQ(textOf(record(2)), "NotRun\nBeta is off\n");
  EXPECT_STREQ(record(2)->GetMessageFile(1), off->SourceFile());
  EXPECT_EQ(record(2)->GetMessageLine(1), off->DeclarationLine());
  EXPECT_EQ(textOf(record(3)), "Skipped\n\n") << "an empty message";
  EXPECT_EQ(run({pass, off, one}, {.selectedOnly = true}), kPassLine);
  EXPECT_EQ(results_.GetCount(), 6);
}

TEST_F(GenTestServiceTest, LeakCheckFailsOnlyPassedTestsThatKeepABlock) {
  if (!HeapEntryCountAvailable())
    GTEST_SKIP() << "this build does not count heap blocks";
  IKorTest *leak = make<AlphaSuite::LeakTest>(alpha_);
  testing::internal::CaptureStderr();
  // The records' own messages (an expected assertion, an expected
  // exception) are blocks the body did not keep.
  run({make<AlphaSuite::TidyTest>(alpha_), leak,
       make<AlphaSuite::OptOutLeakTest>(alpha_),
       make<AlphaSuite::FailedLeakTest>(alpha_),
       make<AlphaSuite::ExpectedAssertTest>(alpha_),
       make<AlphaSuite::ExpectedThrowTest>(alpha_)},
      {.checkMemory = true});
  testing::internal::GetCapturedStderr();
  run({leak});
  Texts records;
  for (int i = 1; i <= results_.GetCount(); ++i)
    records.push_back(textOf(record(i)));
  EXPECT_EQ(records,
            (Texts{"Passed\n", "Failed\nMemory leak detected in test.\n",
                   "Passed\n", "Failed\nfailed first\n", "Passed\nx > 0\n",
                   "Passed\nException Occurred\n", "Passed\n"}));
  EXPECT_STREQ(record(2)->GetMessageFile(1), leak->SourceFile());
  EXPECT_EQ(record(2)->GetMessageLine(1), leak->DeclarationLine());
}

TEST_F(GenTestServiceTest, HookRecordsAssertsAndChainsOnlyWhenAsked) {
  auto *previous = new RecordingAssertHandler;
  manager_->RegisterService("IKorAssertHandlerCB", previous);
  IKorTest *asserts = make<AlphaSuite::AppAssertTest>(alpha_);
  run({asserts});
  TestAssertCB *hook = service_->assertHook();
  SPtr<IKorAssertHandlerCB> installed;
  EXPECT_EQ(installed.get(), static_cast<IKorAssertHandlerCB *>(hook));
  EXPECT_TRUE(previous->texts.empty());
  EXPECT_EQ(textOf(record(1)), "Failed\nx > 0\nA failed assertion occurred, "
                               "but was not expected.\n");
  run({asserts}, {.keepApplicationAsserts = true});
  EXPECT_EQ(service_->assertHook(), hook) << "a second run keeps the hook";
  EXPECT_EQ(previous->texts, Texts{"x > 0"});
  EXPECT_EQ(hook->status(), nullptr) << "none between tests";
}

TEST_F(GenTestServiceTest, ForwardsProgressOfTheRunningTestOnly) {
  auto *progress = new NyrGlobalCallbackProgress;
  progress->Reset();
  manager_->RegisterService("IKorProgress", progress);
  run({make<AlphaSuite::ProgressTest>(alpha_)});
  EXPECT_EQ(service_->progressForwarder()->progress(), progress);
  EXPECT_EQ(record(1)->GetState(), kTestPassed);
  auto *status = dynamic_cast<GenTestStatus *>(record(1));
  EXPECT_EQ(status->progressCount(), 2);
  EXPECT_TRUE(progress->Report(progress, 0.25f));
  EXPECT_EQ(status->progressCount(), 2) << "dropped between tests";

  auto other = [](IKorProgress *, void *, float) { return 1; };
  {
    KorTestProgressForwarder forwarder;
    progress->RegisterCallback(other, nullptr);
  }
  EXPECT_NE(progress->callback(), nullptr) << "another's callback stays";
}

// The fault component's runs check exit; quick_exit ends the run the same
// way with a record and line of its own.
TEST_F(GenTestServiceTest, QuickExitStopsTheRunAfterTheTestsRecord) {
  IKorTest *quits = make<BetaSuite::QuickExitTest>(beta_);
  IKorTest *next = make<BetaSuite::OneTest>(beta_);
  testing::internal::CaptureStderr();
  std::string out = run({quits, next});
  EXPECT_THAT(testing::internal::GetCapturedStderr(),
              testing::ContainsRegex(": test \"Beta Suite\\.Quick Exit\" ended "
                                     "the process \\(quick_exit\\)\n"));
  EXPECT_EQ(textOf(record(1)), "Failed\nTest ended the process (quick_exit).\n");
  EXPECT_EQ(service_->lastRunStop(), -1);
  EXPECT_EQ(results_.GetCount(), 1) << "no records after a stop";
  EXPECT_EQ(out.find(kOneLine), std::string::npos);
}

// Breaking on failure leaves abort to end the process, after the line that
// names the running test.
TEST_F(GenTestServiceTest, AbortWithBreakOnFailureEndsTheProcess) {
  IKorTest *passes = make<BetaSuite::OneTest>(beta_);
  IKorTest *aborts = make<BetaSuite::AbortTest>(beta_);
  EXPECT_EXIT(run({passes, aborts}, {.breakOnFailure = true}),
              testing::KilledBySignal(SIGABRT),
              ": SIGABRT while \"Beta Suite\\.Abort\" was running \\(1 of 2 "
              "tests finished\\)");
}
