// Unit tests of GenTestService: numbering, the steps and console lines of a
// run, suite order, selection, seeding, the leak check, the assertion hook,
// progress forwarding, load failures, and bodies that fault, stop the run
// or end the process. The built-in suites' transcripts and the fault
// component's runs are checked end to end (tests/e2e).
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
#include <cstring>
#include <gmock/gmock.h>
#include <stdexcept>
#include <thread>

namespace {
std::string gSteps; // what the hooks and bodies did, in order
int gRandomSeen = 0;
void *gKept[4];
int gKeptCount = 0;
volatile int *volatile gNowhere = nullptr;
volatile bool gSpin = true;

void keepABlock() { gKept[gKeptCount++] = std::malloc(16); }

// The fault must reach the processor: sanitizers would report it first.
__attribute__((noinline, no_sanitize("address", "undefined"))) void
writeNowhere() {
  *gNowhere = 1;
}

class AlphaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(AlphaSuite, "Alpha Suite")
  void SuiteSetUp() override { gSteps += "setup "; }
  void SuiteTearDown() override { gSteps += "teardown"; }
  void BeforeTest() override { gSteps += "before "; }
  void AfterTest() override { gSteps += "after "; }

  KOR_TEST(PassTest, "Passes", "UNIT") { gSteps += "pass "; }
  KOR_TEST(FailTest, "Fails", "UNIT") { TEST_FAIL("failed on purpose"); }
  KOR_TEST(AbortTest, "aborts", "UNIT") { TEST_ABORT("stopped"); }
  KOR_TEST(RandomTest, "Random", "UNIT") { gRandomSeen = std::rand(); }
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
  KOR_TEST(lowerTest, "lower", "UNIT") {}
  KOR_TEST_DISABLED(OffTest, "Off", "UNIT", "Beta is off") {}
  KOR_TEST(NullWriteTest, "Null Write", "FAULT") { writeNowhere(); }
  KOR_TEST(TermTest, "Terminated", "FAULT") {
    raise(SIGTERM);
    while (gSpin) {
    }
  }
  KOR_TEST(QuickExitTest, "Quick Exit", "FAULT") { std::quick_exit(5); }
  KOR_TEST(AbortTest, "Abort", "FAULT") { std::abort(); }
  KOR_TEST(Usr1Test, "Raise USR1", "FAULT") { raise(SIGUSR1); }
  KOR_TEST(ThreadFaultTest, "Fault On Thread", "FAULT") {
    std::thread([] { writeNowhere(); }).join();
  }
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

/// Names a case of a parameterised test after its row.
template <class Row>
std::string nameOf(const testing::TestParamInfo<Row> &info) {
  return info.param.name;
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

const char *const kPassLine =
    "   Alpha Suite.Passes ... \033[32mSuccess\033[39m\n";
const char *const kFailLine =
    "   Alpha Suite.Fails ... \033[31mFailed\033[39m\n";
const char *const kOneLine = "   Beta Suite.One ... \033[32mSuccess\033[39m\n";
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

TEST_F(GenTestServiceTest, RunsEachTestBetweenItsSuiteHooksAndPrintsItsLine) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *fail = make<AlphaSuite::FailTest>(alpha_);
  IKorTest *abort = make<AlphaSuite::AbortTest>(alpha_);
  EXPECT_EQ(run({}), "");
  EXPECT_EQ(run({fail, pass, abort}),
            std::string(kFailLine) + kPassLine +
                "   Alpha Suite.aborts ... \033[31mFailed\033[39m\n");
  EXPECT_EQ(gSteps, "setup before after before pass after before after "
                    "teardown");
  ASSERT_EQ(results_.GetCount(), 3);
  EXPECT_EQ(record(1)->GetTest(), fail);
  EXPECT_EQ(textOf(record(3)), "Aborted\nstopped\n");
}

TEST_F(GenTestServiceTest, VisitsSuitesInTheOrderTheirFirstTestWasRegistered) {
  IKorTest *a1 = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *b1 = make<BetaSuite::OneTest>(beta_);
  IKorTest *a2 = make<AlphaSuite::FailTest>(alpha_);
  // Unregistered tests: the suites in the order of their first appearance.
  EXPECT_EQ(run({a1, b1, a2}), std::string(kPassLine) + kFailLine + kOneLine);
  for (IKorTest *test : {b1, a2, a1})
    service_->AddTest(test);
  EXPECT_EQ(run({a1, b1, a2}), std::string(kOneLine) + kPassLine + kFailLine);
  ASSERT_EQ(results_.GetCount(), 6);
  EXPECT_EQ(record(4)->GetTest(), b1) << "records follow the run";
  EXPECT_EQ(record(5)->GetTest(), a1) << "tests of a suite in list order";
}

TEST_F(GenTestServiceTest, SelectsEnabledTestsByPatternsAndExclusions) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *fail = make<AlphaSuite::FailTest>(alpha_);
  IKorTest *one = make<BetaSuite::OneTest>(beta_);
  IKorTest *lower = make<BetaSuite::lowerTest>(beta_);
  IKorTest *off = make<BetaSuite::OffTest>(beta_);
  struct Row {
    Texts patterns, excluded;
    IKorTest *test;
    bool selected;
  } rows[] = {
      // clang-format off
      {{}, {}, pass, true},
      {{}, {}, off, false},
      {{"*"}, {}, off, false},
      {{"Alpha Suite.*"}, {}, one, false},
      {{"Nothing", "Beta*"}, {}, one, true},
      {{"Alpha Suite.*"}, {"Alpha Suite.Other", "Alpha Suite.Fails"}, fail, false},
      {{"Alpha Suite.*"}, {"Alpha Suite.Other", "Alpha Suite.Fails"}, pass, true},
      {{}, {"Alpha Suite.Passes"}, pass, false},
      {{"B?ta Suite.[A-Z]*"}, {}, one, true},
      {{"B?ta Suite.[A-Z]*"}, {}, lower, false},
      {{"b?ta suite.[a-z]*"}, {}, lower, false},
      // clang-format on
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
            std::string(kPassLine) +
                "   Beta Suite.Off ...    Beta Suite.One ... Skipped\n");
  EXPECT_EQ(gSteps, "setup before pass after teardown");
  EXPECT_EQ(textOf(record(2)), "NotRun\nBeta is off\n");
  EXPECT_STREQ(record(2)->GetMessageFile(1), off->SourceFile());
  EXPECT_EQ(record(2)->GetMessageLine(1), off->DeclarationLine());
  EXPECT_EQ(textOf(record(3)), "Skipped\n\n") << "an empty message";

  TestRunOptions selectedOnly;
  selectedOnly.selectedOnly = true;
  EXPECT_EQ(run({pass, off, one}, selectedOnly), kPassLine);
  EXPECT_EQ(results_.GetCount(), 6);
}

TEST_F(GenTestServiceTest, SeedsTheRandomGeneratorBeforeEachTest) {
  IKorTest *random = make<AlphaSuite::RandomTest>(alpha_);
  std::srand(1);
  int firstDraw = std::rand();
  run({random});
  EXPECT_EQ(gRandomSeen, firstDraw) << "seed 1 unless one is given";
}

TEST_F(GenTestServiceTest, LeakCheckFailsOnlyPassedTestsThatKeepABlock) {
  if (!HeapEntryCountAvailable())
    GTEST_SKIP() << "this build does not count heap blocks";
  IKorTest *leak = make<AlphaSuite::LeakTest>(alpha_);
  TestRunOptions check;
  check.checkMemory = true;
  testing::internal::CaptureStderr();
  // The records' own messages (an expected assertion, an expected
  // exception) are blocks the body did not keep.
  run({make<AlphaSuite::TidyTest>(alpha_), leak,
       make<AlphaSuite::OptOutLeakTest>(alpha_),
       make<AlphaSuite::FailedLeakTest>(alpha_),
       make<AlphaSuite::ExpectedAssertTest>(alpha_),
       make<AlphaSuite::ExpectedThrowTest>(alpha_)},
      check);
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
  TestRunOptions keep;
  keep.keepApplicationAsserts = true;
  run({asserts}, keep);
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

namespace {
/// A body that ends early, what its record says, the stderr line after
/// `test "Beta Suite.`, and how the run ends: 0 it goes on to the next
/// test, else the run's stop value.
struct FaultCase {
  const char *name;
  IKorTest *(*make)();
  const char *record, *line;
  int32_t stop;
};

template <template <class> class T> IKorTest *create() {
  return new T<BetaSuite>;
}

class FaultRunTest : public GenTestServiceTest,
                     public testing::WithParamInterface<FaultCase> {};

const char *const kCaught =
    "Failed\nException Occurred\nAn exception occurred.\n";
} // namespace

TEST_P(FaultRunTest, RecordsWhatEndedTheBodyAndGoesOnOrStops) {
  const FaultCase &c = GetParam();
  IKorTest *faulty = c.make();
  beta_.AddTest(faulty);
  IKorTest *next = make<BetaSuite::OneTest>(beta_);
  testing::internal::CaptureStderr();
  std::string out = run({faulty, next});
  EXPECT_THAT(testing::internal::GetCapturedStderr(),
              testing::ContainsRegex(std::string(": test \"Beta Suite\\.") +
                                     c.line + "\n"));
  EXPECT_EQ(textOf(record(1)), c.record);
  EXPECT_EQ(service_->lastRunStop(), c.stop);
  EXPECT_EQ(results_.GetCount(), c.stop == 0 ? 2 : 1)
      << "a stopped run leaves the rest without records";
  EXPECT_EQ(out.find(kOneLine) != std::string::npos, c.stop == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultRunTest,
    testing::Values(
        FaultCase{"NullWrite", create<BetaSuite::NullWriteTest>, kCaught,
                  "Null Write\" ended by SIGSEGV at address 0x0", 0},
        FaultCase{"Sigterm", create<BetaSuite::TermTest>,
                  "Failed\nTest interrupted by SIGTERM.\n",
                  "Terminated\" interrupted by SIGTERM", SIGTERM},
        FaultCase{"QuickExit", create<BetaSuite::QuickExitTest>,
                  "Failed\nTest ended the process (quick_exit).\n",
                  "Quick Exit\" ended the process \\(quick_exit\\)", -1}),
    nameOf<FaultCase>);

namespace {
/// A death no run survives: the process ends by `signal` after one stderr
/// line naming the signal and the running test.
struct DeathCase {
  const char *name;
  IKorTest *(*make)();
  bool breakOnFailure;
  int signal;
};

class DeathRunTest : public GenTestServiceTest,
                     public testing::WithParamInterface<DeathCase> {};
} // namespace

TEST_P(DeathRunTest, TellsTheSignalAndTheRunningTestBeforeDying) {
  const DeathCase &c = GetParam();
#if defined(__SANITIZE_ADDRESS__)
  if (c.signal == SIGSEGV)
    GTEST_SKIP() << "AddressSanitizer owns SIGSEGV and reports it itself";
#endif
  IKorTest *passes = make<BetaSuite::OneTest>(beta_);
  IKorTest *dies = c.make();
  beta_.AddTest(dies);
  TestRunOptions options;
  options.breakOnFailure = c.breakOnFailure;
  EXPECT_EXIT(run({passes, dies}, options), testing::KilledBySignal(c.signal),
              std::string(": SIG") + sigabbrev_np(c.signal) +
                  " while \"Beta Suite\\.[A-Za-z0-9 ]+\" was running \\(1 of 2 "
                  "tests finished\\)");
}

INSTANTIATE_TEST_SUITE_P(
    Deaths, DeathRunTest,
    testing::Values(DeathCase{"UnhandledSignal", create<BetaSuite::Usr1Test>,
                              false, SIGUSR1},
                    DeathCase{"FaultOnAnotherThread",
                              create<BetaSuite::ThreadFaultTest>, false,
                              SIGSEGV},
                    DeathCase{"AbortWithBreakOnFailure",
                              create<BetaSuite::AbortTest>, true, SIGABRT}),
    nameOf<DeathCase>);
