// Unit tests of GenTestService: numbering, selection, the run's console
// lines, records, suite hooks, seeding, the leak check, the assertion hook,
// progress forwarding, loading test components from the registry, and
// bodies that fault, throw, abort, time out, are stopped or end the process.
#undef NDEBUG // the fault suite's failed assert() is compiled in
#include "host/services/clock.h"
#include "tests/unit/support/hostfixture.h"
#include "component/ikorprogress.h"
#include "frame/ikortestresults.h"
#include "include/test/builtinsuites.h"
#include "component/korassert.h"
#include "frame/korbasecomponent.h"
#include "frame/kortestbase.h"
#include "frame/kortestdecl.h"
#include "frame/kortestregistry.h"
#include "KorBasicTypes/progress.h"
#include "host/services/registry.h"
#include "host/services/settingsstore.h"
#include "testservice/gentestservice.h"
#include "testservice/genteststatus.h"
#include "testservice/heapentrycount.h"
#include "testservice/progressforwarder.h"
#include "testservice/testassertcb.h"
#include <cassert>
#include <csignal>
#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {
int gRandomSeen = 0;
void *gKept = nullptr;

template <class T> void escape(T *block) {
  asm volatile("" : : "g"(block) : "memory");
}

/// Counts the calls of each hook.
struct HookCounts {
  int setUps = 0, tearDowns = 0, befores = 0, afters = 0;
};

class AlphaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(AlphaSuite, "Alpha Suite")
  HookCounts hooks;
  void SuiteSetUp() override { ++hooks.setUps; }
  void SuiteTearDown() override { ++hooks.tearDowns; }
  void BeforeTest() override { ++hooks.befores; }
  void AfterTest() override { ++hooks.afters; }

  KOR_TEST(PassTest, "Passes", "UNIT") {}
  KOR_TEST(FailTest, "Fails", "UNIT") { TEST_FAIL("failed on purpose"); }
  KOR_TEST(AbortTest, "aborts", "UNIT") { TEST_ABORT("stopped"); }
  KOR_TEST_DISABLED(OffTest, "Off", "UNIT", "Not today") {}
  KOR_TEST(RandomTest, "Random", "UNIT") { gRandomSeen = std::rand(); }
  KOR_TEST(LeakTest, "Leaks", "UNIT") {
    gKept = std::malloc(16);
    escape(gKept);
  }
  KOR_TEST(TidyTest, "Tidy", "UNIT") {
    void *block = std::malloc(16);
    escape(block);
    std::free(block);
  }
  KOR_TEST(OptOutLeakTest, "Opts out", "UNIT") {
    kor_status_->SetCheckMemory(false);
    gKept = std::malloc(16);
    escape(gKept);
  }
  KOR_TEST(FailedLeakTest, "Fails and leaks", "UNIT") {
    TEST_FAIL("failed first");
    gKept = std::malloc(16);
    escape(gKept);
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
  HookCounts hooks;
  void SuiteSetUp() override { ++hooks.setUps; }
  void SuiteTearDown() override { ++hooks.tearDowns; }
  void BeforeTest() override { ++hooks.befores; }
  void AfterTest() override { ++hooks.afters; }

  KOR_TEST(OneTest, "One", "UNIT") {}
  KOR_TEST(lowerTest, "lower", "UNIT") {}
  KOR_TEST_DISABLED(OffTest, "Off", "UNIT", "Beta is off") {}
};

/// Results that keep one reference on each record.
class RecordingResults : public IKorTestResults {
public:
  KOR_CLASS(RecordingResults, IKorTestResults)
  void AddStatus(IKorTestStatus *status) override {
    records.emplace_back(status);
  }
  int GetCount() override { return static_cast<int>(records.size()); }
  IKorTestStatus *GetStatus(uint32_t index) override {
    return index >= 1 && index <= records.size() ? records[index - 1].get()
                                                 : nullptr;
  }
  IKorTestStatus *FindStatus(int) override { return nullptr; }
  bool AllPassed() override { return false; }
  IKorDate *GetDate() override { return nullptr; }
  IKorTime *GetTime() override { return nullptr; }
  const char *GetHostName() override { return ""; }
  const char *GetProductInfo() override { return ""; }
  std::vector<IPtr<IKorTestStatus>> records;
};

/// An assertion handler that remembers what it saw.
class RecordingAssertHandler : public IKorAssertHandlerCB {
public:
  KOR_CLASS(RecordingAssertHandler, IKorAssertHandlerCB)
  void HandleAssert(const char *text, const char *, int) override {
    texts.push_back(text);
  }
  std::vector<std::string> texts;
};

std::vector<std::string> messagesOf(IKorTestStatus *status) {
  std::vector<std::string> texts;
  for (int i = 1; i <= status->GetMessageCount(); ++i)
    texts.push_back(status->GetMessage(i));
  return texts;
}

class GenTestServiceTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    manager_->RegisterService("IKorClock", new HostClock);
    service_ = IPtr<IKorTestService>(new GenTestService);
    // As korhost does: run wrappers report through the service.
    manager_->RegisterService("IKorTestService", service_.get());
    results_ = IPtr<IKorTestResults>(new RecordingResults);
  }
  void TearDown() override {
    results_.reset();
    service_.reset();
    std::free(gKept);
    gKept = nullptr;
    HostManagerTest::TearDown();
  }

  GenTestService &service() {
    return *static_cast<GenTestService *>(service_.get());
  }
  RecordingResults &results() {
    return *static_cast<RecordingResults *>(results_.get());
  }
  IKorTestStatus *record(int index) { return results().GetStatus(index); }

  /// Adds a new test of suite S made by the test class T to the suite.
  template <template <class> class T, class S> IKorTest *make(S &suite) {
    IKorTest *test = new T<S>;
    suite.AddTest(test);
    return test;
  }

  /// Runs the tests and returns what the run printed.
  std::string run(std::initializer_list<IKorTest *> tests,
                  bool checkMemory = false, bool keepAsserts = false,
                  bool randomize = false, uint32_t *seed = nullptr,
                  bool selectedOnly = false) {
    KorArray<IKorTest *> list;
    for (IKorTest *test : tests)
      list.append(test);
    testing::internal::CaptureStdout();
    service_->RunTests(list, results_.get(), false, checkMemory, keepAsserts,
                       randomize, seed, selectedOnly);
    return testing::internal::GetCapturedStdout();
  }

  // The suites outlive the service, which holds references on their tests.
  AlphaSuite alpha_;
  BetaSuite beta_;
  IPtr<IKorTestService> service_;
  IPtr<IKorTestResults> results_;
};
} // namespace

TEST_F(GenTestServiceTest, NumbersTestsInRegistrationOrder) {
  IKorTest *a = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *b = make<AlphaSuite::FailTest>(alpha_);
  IKorTest *c = make<BetaSuite::OneTest>(beta_);
  EXPECT_EQ(a->TestNumber(), -1);
  for (IKorTest *test : {a, b, c})
    service_->AddTest(test);
  EXPECT_EQ(a->TestNumber(), 0);
  EXPECT_EQ(c->TestNumber(), 2);
  EXPECT_EQ(a->RefCount(), 1u);
  EXPECT_EQ(service_->GetTestCount(), 3);
  EXPECT_EQ(service_->FindTest(1), b);
  EXPECT_EQ(service_->FindTest(3), nullptr);
  EXPECT_EQ(service_->GetTest(1), a);
  EXPECT_EQ(service_->GetTest(0), nullptr);
  EXPECT_EQ(service_->GetTest(4), nullptr);
  KorArray<IKorTest *> all;
  all.append(c);
  service_->GetTests(all);
  ASSERT_EQ(all.count(), 3u);
  EXPECT_EQ(all[1], a);
  EXPECT_EQ(all[3], c);
}

TEST_F(GenTestServiceTest, EmptyListPrintsNothingAndAddsNoRecord) {
  EXPECT_EQ(run({}), "");
  EXPECT_EQ(results().GetCount(), 0);
}

TEST_F(GenTestServiceTest, PrintsNameLineAndColouredOutcomeInInputOrder) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *fail = make<AlphaSuite::FailTest>(alpha_);
  IKorTest *abort = make<AlphaSuite::AbortTest>(alpha_);
  std::string out = run({fail, pass, abort});
  EXPECT_EQ(out, "   Alpha Suite.Fails ... \033[31mFailed\033[39m\n"
                 "   Alpha Suite.Passes ... \033[32mSuccess\033[39m\n"
                 "   Alpha Suite.aborts ... \033[31mFailed\033[39m\n");
  ASSERT_EQ(results().GetCount(), 3);
  EXPECT_EQ(record(1)->GetTest(), fail);
  EXPECT_EQ(record(1)->GetState(), kTestFailed);
  EXPECT_EQ(record(2)->GetState(), kTestPassed);
  EXPECT_EQ(record(3)->GetState(), kTestAborted);
  EXPECT_EQ(alpha_.hooks.setUps, 1);
  EXPECT_EQ(alpha_.hooks.tearDowns, 1);
  EXPECT_EQ(alpha_.hooks.befores, 3);
  EXPECT_EQ(alpha_.hooks.afters, 3);
}

TEST_F(GenTestServiceTest, DisabledTestStaysNotRunAndLeavesItsLineOpen) {
  IKorTest *off = make<BetaSuite::OffTest>(beta_);
  std::string out = run({off});
  EXPECT_EQ(out, "   Beta Suite.Off ... ");
  ASSERT_EQ(results().GetCount(), 1);
  IKorTestStatus *status = record(1);
  EXPECT_EQ(status->GetState(), kTestNotRun);
  ASSERT_EQ(status->GetMessageCount(), 1);
  EXPECT_STREQ(status->GetMessage(1), "Beta is off");
  EXPECT_STREQ(status->GetMessageFile(1), off->SourceFile());
  EXPECT_EQ(status->GetMessageLine(1), off->DeclarationLine());
  EXPECT_EQ(beta_.hooks.setUps + beta_.hooks.tearDowns + beta_.hooks.befores +
                beta_.hooks.afters,
            0);
}

TEST_F(GenTestServiceTest, VisitsSuitesInTheOrderTheirFirstTestWasRegistered) {
  IKorTest *a1 = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *b1 = make<BetaSuite::OneTest>(beta_);
  IKorTest *a2 = make<AlphaSuite::FailTest>(alpha_);
  const char *alpha = "   Alpha Suite.Passes ... \033[32mSuccess\033[39m\n"
                      "   Alpha Suite.Fails ... \033[31mFailed\033[39m\n";
  const char *beta = "   Beta Suite.One ... \033[32mSuccess\033[39m\n";
  // Unregistered tests: the suites in the order of their first appearance.
  EXPECT_EQ(run({a1, b1, a2}), std::string(alpha) + beta);
  for (IKorTest *test : {b1, a2, a1})
    service_->AddTest(test);
  EXPECT_EQ(run({a1, b1, a2}), std::string(beta) + alpha);
  ASSERT_EQ(results().GetCount(), 6);
  EXPECT_EQ(record(4)->GetTest(), b1) << "records follow the run";
  EXPECT_EQ(record(5)->GetTest(), a1) << "tests of a suite in list order";
  EXPECT_EQ(record(6)->GetTest(), a2);
}

TEST_F(GenTestServiceTest, IncludePatternSkipsOtherSuitesWithoutHooks) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *one = make<BetaSuite::OneTest>(beta_);
  service_->AddIncludePattern("Alpha Suite.*");
  std::string out = run({one, pass});
  EXPECT_NE(out.find("   Beta Suite.One ... Skipped\n"), std::string::npos);
  IKorTestStatus *skipped = record(1)->GetTest() == one ? record(1) : record(2);
  EXPECT_EQ(skipped->GetState(), kTestSkipped);
  EXPECT_EQ(messagesOf(skipped), std::vector<std::string>{""});
  EXPECT_EQ(beta_.hooks.setUps + beta_.hooks.befores, 0);
  EXPECT_EQ(alpha_.hooks.setUps, 1);
}

TEST_F(GenTestServiceTest, ExcludedNameWinsOverMatchingPattern) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *fail = make<AlphaSuite::FailTest>(alpha_);
  service_->AddIncludePattern("Alpha Suite.*");
  service_->AddExcludedTest("Alpha Suite.Other");
  service_->AddExcludedTest("Alpha Suite.Fails");
  EXPECT_TRUE(service().Selected(&alpha_, pass));
  EXPECT_FALSE(service().Selected(&alpha_, fail));
  EXPECT_FALSE(service().Selected(nullptr, pass));
  run({fail});
  EXPECT_EQ(record(1)->GetState(), kTestSkipped);
}

TEST_F(GenTestServiceTest, PatternsAreCaseSensitive) {
  IKorTest *one = make<BetaSuite::OneTest>(beta_);
  IKorTest *lower = make<BetaSuite::lowerTest>(beta_);
  service_->AddIncludePattern("B?ta Suite.[A-Z]*");
  EXPECT_TRUE(service().Selected(&beta_, one));
  EXPECT_FALSE(service().Selected(&beta_, lower));

  GenTestService lowerCase;
  lowerCase.AddIncludePattern("b?ta suite.[a-z]*");
  EXPECT_FALSE(lowerCase.Selected(&beta_, one));
  EXPECT_FALSE(lowerCase.Selected(&beta_, lower));
}

TEST_F(GenTestServiceTest, SelectedOnlyPrintsNothingForOthers) {
  IKorTest *pass = make<AlphaSuite::PassTest>(alpha_);
  IKorTest *off = make<BetaSuite::OffTest>(beta_);
  IKorTest *one = make<BetaSuite::OneTest>(beta_);
  service_->AddIncludePattern("Alpha*");
  std::string out = run({pass, off, one}, false, false, false, nullptr, true);
  EXPECT_EQ(out, "   Alpha Suite.Passes ... \033[32mSuccess\033[39m\n");
  ASSERT_EQ(results().GetCount(), 3);
  for (int i = 1; i <= 3; ++i) {
    IKorTestStatus *status = record(i);
    if (status->GetTest() == one) {
      EXPECT_EQ(status->GetState(), kTestSkipped);
    } else if (status->GetTest() == off) {
      EXPECT_EQ(status->GetState(), kTestNotRun);
    }
  }
}

TEST_F(GenTestServiceTest, SeedsTheRandomGeneratorBeforeEachTest) {
  IKorTest *random = make<AlphaSuite::RandomTest>(alpha_);
  std::srand(1);
  int afterOne = std::rand();
  std::srand(77);
  int afterSeventySeven = std::rand();

  std::rand();
  run({random});
  EXPECT_EQ(gRandomSeen, afterOne);

  uint32_t seed = 77;
  run({random}, false, false, false, &seed);
  EXPECT_EQ(gRandomSeen, afterSeventySeven);
  EXPECT_EQ(seed, 77u);

  run({random}, false, false, true, &seed);
  std::srand(seed);
  EXPECT_EQ(gRandomSeen, std::rand()) << "seed " << seed;
}

TEST_F(GenTestServiceTest, LeakCheckFailsOnlyPassedTestsThatKeepABlock) {
  if (!HeapEntryCountAvailable())
    GTEST_SKIP() << "this build does not count heap blocks";
  IKorTest *leak = make<AlphaSuite::LeakTest>(alpha_);
  IKorTest *tidy = make<AlphaSuite::TidyTest>(alpha_);
  run({tidy, leak}, true);
  EXPECT_EQ(record(1)->GetState(), kTestPassed);
  EXPECT_EQ(messagesOf(record(1)), std::vector<std::string>{});
  EXPECT_EQ(record(2)->GetState(), kTestFailed);
  ASSERT_EQ(record(2)->GetMessageCount(), 1);
  EXPECT_STREQ(record(2)->GetMessage(1), "Memory leak detected in test.");
  EXPECT_STREQ(record(2)->GetMessageFile(1), leak->SourceFile());
  EXPECT_EQ(record(2)->GetMessageLine(1), leak->DeclarationLine());
  std::free(gKept);

  IKorTest *optOut = make<AlphaSuite::OptOutLeakTest>(alpha_);
  IKorTest *failed = make<AlphaSuite::FailedLeakTest>(alpha_);
  run({optOut}, true);
  std::free(gKept);
  run({failed}, true);
  std::free(gKept);
  run({leak}, false);
  EXPECT_EQ(record(3)->GetState(), kTestPassed);
  EXPECT_EQ(messagesOf(record(4)), std::vector<std::string>{"failed first"});
  EXPECT_EQ(record(5)->GetState(), kTestPassed) << "check memory off";
}

TEST_F(GenTestServiceTest, LeakCheckSkipsTheBlocksOfTheRecordsOwnMessages) {
  if (!HeapEntryCountAvailable())
    GTEST_SKIP() << "this build does not count heap blocks";
  IKorTest *asserts = make<AlphaSuite::ExpectedAssertTest>(alpha_);
  IKorTest *throws = make<AlphaSuite::ExpectedThrowTest>(alpha_);
  IKorTest *leak = make<AlphaSuite::LeakTest>(alpha_);
  testing::internal::CaptureStderr();
  run({asserts, throws, leak}, true);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(record(1)->GetState(), kTestPassed) << record(1)->GetMessage(2);
  EXPECT_EQ(messagesOf(record(2)),
            std::vector<std::string>{"Exception Occurred"});
  EXPECT_EQ(record(2)->GetState(), kTestPassed);
  EXPECT_EQ(record(3)->GetState(), kTestFailed) << "a kept block still counts";
}

TEST_F(GenTestServiceTest, HookRecordsAssertsAndChainsOnlyWhenAsked) {
  auto *previous = new RecordingAssertHandler;
  manager_->RegisterService("IKorAssertHandlerCB", previous);
  IKorTest *asserts = make<AlphaSuite::AppAssertTest>(alpha_);
  run({asserts});
  SPtr<IKorAssertHandlerCB> installed;
  EXPECT_EQ(installed.get(),
            static_cast<IKorAssertHandlerCB *>(service().assertHook()));
  EXPECT_TRUE(previous->texts.empty());
  EXPECT_EQ(record(1)->GetState(), kTestFailed);
  EXPECT_EQ(
      messagesOf(record(1)),
      (std::vector<std::string>{
          "x > 0", "A failed assertion occurred, but was not expected."}));

  TestAssertCB *hook = service().assertHook();
  run({asserts}, false, true);
  EXPECT_EQ(service().assertHook(), hook) << "a second run keeps the hook";
  EXPECT_EQ(previous->texts, std::vector<std::string>{"x > 0"});
  EXPECT_TRUE(hook->chain());
  EXPECT_EQ(hook->status(), nullptr);
}

TEST_F(GenTestServiceTest, ForwardsProgressOfTheRunningTestOnly) {
  auto *progress = new NyrGlobalCallbackProgress;
  progress->Reset();
  manager_->RegisterService("IKorProgress", progress);
  IKorTest *reports = make<AlphaSuite::ProgressTest>(alpha_);
  run({reports});
  ASSERT_NE(service().progressForwarder(), nullptr);
  EXPECT_EQ(service().progressForwarder()->progress(), progress);
  EXPECT_EQ(record(1)->GetState(), kTestPassed);
  auto *status = dynamic_cast<GenTestStatus *>(record(1));
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->progressCount(), 2);
  // Between tests the forwarder has no record: the report is dropped.
  EXPECT_TRUE(progress->Report(progress, 0.25f));
  EXPECT_EQ(status->progressCount(), 2);
}

TEST_F(GenTestServiceTest, ForwarderRemovesOnlyItsOwnCallback) {
  auto *progress = new NyrGlobalCallbackProgress;
  manager_->RegisterService("IKorProgress", progress);
  {
    KorTestProgressForwarder forwarder;
    EXPECT_EQ(progress->context(), &forwarder);
  }
  EXPECT_EQ(progress->callback(), nullptr);
  auto other = [](IKorProgress *, void *, float) { return 1; };
  {
    KorTestProgressForwarder forwarder;
    progress->RegisterCallback(other, nullptr);
  }
  EXPECT_NE(progress->callback(), nullptr);
  EXPECT_FALSE(KorTestProgressForwarder::forward(progress, nullptr, 0.5f));
}

namespace {
const KorGuid kKortestId = korGuid(0x74372F72, 0xBA35, 0x4766, 0xA9, 0x53, 0x74,
                                   0x13, 0x03, 0xA2, 0x38, 0x51);

/// A component manager whose catalogue holds this process's own kortest
/// component (with a reference, as a loaded library's component has).
class CatalogueManager : public HostComponentManager {
public:
  CatalogueManager() { kortest->AddRef(); }
  ~CatalogueManager() override { kortest->Release(); }
  int LoadComponent(const KorGuid &id, const char *name,
                    IKorComponent **component) override {
    ++loads;
    if (!(id == kKortestId))
      return HostComponentManager::LoadComponent(id, name, component);
    *component = kortest;
    return 1;
  }
  TestComponent *kortest = new TestComponent;
  int loads = 0;
};

class LoadComponentsTest : public GenTestServiceTest {
protected:
  void SetUp() override {
    GenTestServiceTest::SetUp();
    settings_ = new HostSettingsStore;
    manager_->RegisterService("IDataStore", settings_);
    manager_->RegisterService("IKorRegistry", new HostRegistry);
    manager_->RegisterService("IKorTestService", service_.get());
    catalogue_ = new CatalogueManager;
    manager_->RegisterService("IKorComponentManager", catalogue_);
  }
  void TearDown() override {
    GenTestServiceTest::TearDown();
    // Give the process-wide tests their unnumbered state back.
    for (IKorTest *test : korTestRegistry()) {
      void *base = nullptr;
      test->QueryInterface("KorTestBase", &base, 0);
      static_cast<KorTestBase *>(base)->setTestNumber(-1);
    }
  }
  HostSettingsStore *settings_ = nullptr;
  CatalogueManager *catalogue_ = nullptr;
};
} // namespace

TEST_F(LoadComponentsTest, LoadsListedComponentsOnceAndReportsFailures) {
  korCreateBuiltInSuites();
  ASSERT_EQ(settings_->loadText(
                "[KorTest]\n"
                "missing = 1,2,3\n"
                "kortest = 74372F72,BA35,4766,A9,53,74,13,03,A2,38,51\n"),
            0);
  service_->LoadTestComponents();
  int count = static_cast<int>(korTestRegistry().count());
  EXPECT_GE(count, 19);
  ASSERT_EQ(service_->GetTestCount(), count);
  EXPECT_EQ(service_->GetTest(1), korTestRegistry()[1]);
  EXPECT_EQ(service_->GetTest(count)->TestNumber(), count - 1);
  ASSERT_EQ(errors_->reports.size(), 1u);
  EXPECT_EQ(errors_->reports[0].message,
            u"Unable to load component with id 1,2,3");
  EXPECT_EQ(errors_->reports[0].severity, 1);
  EXPECT_EQ(errors_->reports[0].source, "");
  EXPECT_EQ(service().loadFailures(), 1);

  settings_->set("KorTest/other", "9");
  service_->LoadTestComponents();
  EXPECT_EQ(catalogue_->loads, 2) << "a second call loads nothing";
  EXPECT_EQ(service().loadFailures(), 1);
  EXPECT_EQ(service_->GetTestCount(), count);
  EXPECT_EQ(errors_->reports.size(), 1u);
}

TEST_F(LoadComponentsTest, NoRegistryKeyEndsQuietly) {
  service_->LoadTestComponents();
  EXPECT_EQ(service_->GetTestCount(), 0);
  EXPECT_EQ(catalogue_->loads, 0);
  EXPECT_TRUE(errors_->reports.empty());
}

namespace {
volatile int *volatile gNowhere = nullptr;
volatile int gZero = 0;
volatile int gQuotient = 0;
volatile bool gSpin = true;

// The faults must reach the processor: sanitizers would report them first.
#define KOR_RAW_FAULT                                                          \
  __attribute__((noinline, no_sanitize("address", "undefined")))
KOR_RAW_FAULT void writeNowhere() { *gNowhere = 1; }
KOR_RAW_FAULT void divideByZero() { gQuotient = 7 / gZero; }
void spin() {
  while (gSpin) {
  }
}

class FaultSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(FaultSuite, "Fault Suite")
  KOR_TEST(NullWriteTest, "Null Write", "FAULT") { writeNowhere(); }
  KOR_TEST(DivideTest, "Divide By Zero", "FAULT") { divideByZero(); }
  KOR_TEST(AbortTest, "Abort", "FAULT") { std::abort(); }
  KOR_TEST(AssertTest, "Assert", "FAULT") { assert(gZero == 1); }
  KOR_TEST(TerminateTest, "Terminate", "FAULT") { std::terminate(); }
  KOR_TEST(ThrowIntTest, "Throw Int", "FAULT") { throw 42; }
  KOR_TEST(ThrowErrorTest, "Throw Error", "FAULT") {
    throw std::runtime_error("boom");
  }
  KOR_TEST(LoopTest, "Endless Loop", "FAULT") { spin(); }
  KOR_TEST(TermTest, "Terminated", "FAULT") {
    raise(SIGTERM);
    spin();
  }
  KOR_TEST(ExitTest, "Exit", "FAULT") { std::exit(3); }
  KOR_TEST(QuickExitTest, "Quick Exit", "FAULT") { std::quick_exit(5); }
  KOR_TEST(Usr1Test, "Raise USR1", "FAULT") { raise(SIGUSR1); }
  KOR_TEST(ThreadFaultTest, "Fault On Thread", "FAULT") {
    std::thread([] { writeNowhere(); }).join();
  }
  KOR_TEST(PassTest, "Passes", "FAULT") {}
};

template <template <class> class T> IKorTest *create() {
  return new T<FaultSuite>;
}

const std::vector<std::string> kCaught{"Exception Occurred",
                                       "An exception occurred."};

/// A body that ends early, what its record says, the stderr line after
/// `test "Fault Suite.<name>" `, and how the run ends: 0 it goes on to the
/// next test, else the run's stop value.
struct FaultCase {
  const char *name;
  IKorTest *(*make)();
  std::vector<std::string> messages;
  const char *line;
  int32_t stop;
};

class FaultRunTest : public GenTestServiceTest,
                     public testing::WithParamInterface<FaultCase> {
protected:
  IKorTest *add(IKorTest *(*make)()) {
    IKorTest *test = make();
    faults_.AddTest(test);
    return test;
  }
  FaultSuite faults_;
};
} // namespace

TEST_P(FaultRunTest, RecordsWhatEndedTheBodyAndGoesOnOrStops) {
  const FaultCase &c = GetParam();
  IKorTest *faulty = add(c.make);
  IKorTest *next = add(create<FaultSuite::PassTest>);
  service().setTimeLimit(1);
  testing::internal::CaptureStderr();
  std::string out = run({faulty, next});
  std::string err = testing::internal::GetCapturedStderr();

  ASSERT_GE(results().GetCount(), 1);
  EXPECT_EQ(record(1)->GetTest(), faulty);
  EXPECT_EQ(record(1)->GetState(), kTestFailed);
  EXPECT_EQ(messagesOf(record(1)), c.messages);
  EXPECT_THAT(err, testing::ContainsRegex(
                       std::string(": test \"Fault Suite\\.") + c.line + "\n"));
  EXPECT_EQ(service().lastRunStop(), c.stop);
  EXPECT_EQ(results().GetCount(), c.stop == 0 ? 2 : 1)
      << "a stopped run leaves the rest without records";
  if (c.stop == 0) {
    EXPECT_EQ(record(2)->GetState(), kTestPassed);
  }
  EXPECT_EQ(out.find("Fault Suite.Passes") != std::string::npos, c.stop == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultRunTest,
    testing::Values(
        FaultCase{"NullWrite", create<FaultSuite::NullWriteTest>, kCaught,
                  "Null Write\" ended by SIGSEGV at address 0x0", 0},
        FaultCase{"DivideByZero", create<FaultSuite::DivideTest>, kCaught,
                  "Divide By Zero\" ended by SIGFPE at address 0x[0-9a-f]+", 0},
        FaultCase{"Abort", create<FaultSuite::AbortTest>, kCaught,
                  "Abort\" ended by SIGABRT", 0},
        FaultCase{"Assert", create<FaultSuite::AssertTest>, kCaught,
                  "Assert\" ended by SIGABRT", 0},
        FaultCase{"Terminate", create<FaultSuite::TerminateTest>, kCaught,
                  "Terminate\" ended by SIGABRT", 0},
        FaultCase{"ThrowInt", create<FaultSuite::ThrowIntTest>, kCaught,
                  "Throw Int\" ended by an exception of type int", 0},
        FaultCase{"ThrowError", create<FaultSuite::ThrowErrorTest>, kCaught,
                  "Throw Error\" ended by an exception of type "
                  "std::runtime_error: boom",
                  0},
        FaultCase{"Timeout",
                  create<FaultSuite::LoopTest>,
                  {"Test timed out after 1 second."},
                  "Endless Loop\" timed out after 1 second",
                  0},
        FaultCase{"Sigterm",
                  create<FaultSuite::TermTest>,
                  {"Test interrupted by SIGTERM."},
                  "Terminated\" interrupted by SIGTERM",
                  SIGTERM},
        FaultCase{"Exit",
                  create<FaultSuite::ExitTest>,
                  {"Test ended the process (exit status 3)."},
                  "Exit\" ended the process \\(exit status 3\\)",
                  -1},
        FaultCase{"QuickExit",
                  create<FaultSuite::QuickExitTest>,
                  {"Test ended the process (quick_exit)."},
                  "Quick Exit\" ended the process \\(quick_exit\\)",
                  -1}),
    [](const testing::TestParamInfo<FaultCase> &info) {
      return std::string(info.param.name);
    });

namespace {
/// A death no run survives: the process ends by `signal` after one stderr
/// line naming the signal and the running test.
struct DeathCase {
  const char *name;
  IKorTest *(*make)();
  bool breakOnFailure;
  int signal;
  const char *line;
};

class DeathRunTest : public GenTestServiceTest,
                     public testing::WithParamInterface<DeathCase> {
protected:
  FaultSuite faults_;
};
} // namespace

TEST_P(DeathRunTest, TellsTheSignalAndTheRunningTestBeforeDying) {
  const DeathCase &c = GetParam();
#if defined(__SANITIZE_ADDRESS__)
  if (c.signal == SIGSEGV)
    GTEST_SKIP() << "AddressSanitizer owns SIGSEGV and reports it itself";
#endif
  IKorTest *passes = create<FaultSuite::PassTest>();
  IKorTest *dies = c.make();
  faults_.AddTest(passes);
  faults_.AddTest(dies);
  KorArray<IKorTest *> list;
  list.append(passes);
  list.append(dies);
  EXPECT_EXIT(service_->RunTests(list, results_.get(), c.breakOnFailure, false,
                                 false, false, nullptr, false),
              testing::KilledBySignal(c.signal),
              std::string(": ") + c.line + " while \"Fault Suite\\." +
                  "[A-Za-z0-9 ]+\" was running \\(1 of 2 tests finished\\)");
}

INSTANTIATE_TEST_SUITE_P(
    Deaths, DeathRunTest,
    testing::Values(DeathCase{"UnhandledSignal", create<FaultSuite::Usr1Test>,
                              false, SIGUSR1, "SIGUSR1"},
                    DeathCase{"FaultOnAnotherThread",
                              create<FaultSuite::ThreadFaultTest>, false,
                              SIGSEGV, "SIGSEGV"},
                    DeathCase{"AbortWithBreakOnFailure",
                              create<FaultSuite::AbortTest>, true, SIGABRT,
                              "SIGABRT"}),
    [](const testing::TestParamInfo<DeathCase> &info) {
      return std::string(info.param.name);
    });
