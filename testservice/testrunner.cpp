//===- testrunner.cpp - Runs a list of tests suite by suite ---------------===//
#include "testservice/testrunner.h"
#include "KorBasicTypes/korcstring.h"
#include "component/ikorclock.h"
#include "frame/ikortest.h"
#include "frame/ikortestresults.h"
#include "frame/ikortestsuite.h"
#include "frame/korfaultguard.h"
#include "frame/korfaultreport.h"
#include "frame/korinterrupt.h"
#include "testservice/genteststatus.h"
#include "testservice/heapentrycount.h"
#include "testservice/progressforwarder.h"
#include "testservice/runwatch.h"
#include "testservice/suitegroups.h"
#include "testservice/testassertcb.h"
#include "testservice/testselection.h"
#include "testservice/uncountedstatus.h"
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

/// One call of run: its options and its watch.
struct TestRunner::Run {
  IKorTestResults *results;
  TestRunOptions options;
  KorRunWatch *watch;
};

namespace {
/// Milliseconds since an unspecified start (the boot), cut to 32 bits.
uint32_t tickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                               static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

/// Writes to standard output at once: the name of a test shows before its
/// body runs, so a run that dies in a test still names it.
void print(const char *text) {
  std::fputs(text, stdout);
  std::fflush(stdout);
}

/// The outcome after a test's name; NotRun (and any unknown state) prints
/// nothing and leaves the line open.
void printResult(int state) {
  if (state == kTestPassed)
    print("\033[32mSuccess\033[39m\n");
  else if (state == kTestFailed || state == kTestAborted)
    print("\033[31mFailed\033[39m\n");
  else if (state == kTestSkipped)
    print("Skipped\n");
}

/// An interrupt that came while the test ran but that its body was not
/// left for (a stop signal outside the body, a time limit the body
/// returned after): the test still fails with the reason.
void recordMissedInterrupt(const KorRunWatch &watch, int32_t timeLimit,
                           IKorTest *test, IKorTestStatus *status,
                           const char *fullName) {
  int kind = kInterruptNone;
  int detail = 0;
  if (watch.stop() > 0 && !watch.interruptTaken()) {
    kind = kInterruptStopSignal;
    detail = watch.stop();
  } else if (watch.timeLimitMissed()) {
    kind = kInterruptTimeout;
    detail = timeLimit;
  } else {
    return;
  }
  status->AddMessage(korInterruptMessage(kind, detail).c_str(),
                     test->SourceFile(), test->DeclarationLine());
  status->SetState(kTestFailed);
  korPrintTestEnd(fullName, korInterruptCause(kind, detail).c_str());
}
} // namespace

void korSeedTestRandom(bool randomize, uint32_t *seed) {
  if (randomize) {
    uint32_t ticks = tickCount();
    std::srand(ticks);
    if (seed)
      *seed = ticks;
  } else {
    std::srand(seed ? *seed : 1u);
  }
}

TestRunner::TestRunner(TestSelection &selection) : selection_(selection) {}

TestRunner::~TestRunner() = default;

void TestRunner::run(const KorArray<IKorTest *> &tests,
                     IKorTestResults *results, const TestRunOptions &options) {
  if (!results)
    return;
  TestAssertCB::install(hook_);
  if (!forwarder_)
    forwarder_ = std::make_unique<KorTestProgressForwarder>();
  if (options.checkMemory && !uncounted_)
    uncounted_ = IPtr<UncountedStatus>(new UncountedStatus);
  KorRunWatch watch(timeLimit_, static_cast<int32_t>(tests.count()));
  // Installed once for all bodies, after the watch so that signals the
  // guard does not take go on to the watch's handlers.
  KorGuardedRun guarded;

  const Run run{results, options, &watch};
  korForEachSuiteGroup(
      tests, [&](IKorTestSuite *suite, const KorArray<IKorTest *> &group) {
        if (watch.stop() == 0)
          runSuite(suite, group, run);
      });
  lastRunStop_ = watch.stop();
}

void TestRunner::runSuite(IKorTestSuite *suite,
                          const KorArray<IKorTest *> &tests, const Run &run) {
  KorCString suiteName;
  if (suite)
    suite->Name(suiteName);
  bool anySelected = false;
  for (IKorTest *test : tests)
    if (selection_.selects(suite, test)) {
      anySelected = true;
      break;
    }
  if (anySelected)
    suite->SuiteSetUp();

  for (IKorTest *test : tests) {
    // A stopped run leaves the rest without records.
    if (run.watch->stop() != 0)
      break;
    bool savedBreak = test->BreakOnFailure();
    test->SetBreakOnFailure(run.options.breakOnFailure);
    auto *status = new GenTestStatus(test);
    run.results->AddStatus(status);

    KorCString description;
    test->Description(description);
    KorCString fullName(suiteName.c_str(), ".", description.c_str());
    bool selected =
        suite && test->Enabled() && selection_.selectsName(fullName);
    bool printed = selected || !run.options.selectedOnly;
    if (printed) {
      KorCString line("   ", fullName.c_str(), " ... ");
      print(line.c_str());
    }
    run.watch->beginTest(fullName.c_str());
    if (selected) {
      IKorTest *outerTest = std::exchange(runningTest_, test);
      const char *outerName = std::exchange(runningName_, fullName.c_str());
      runOne(suite, test, status, fullName.c_str(), run);
      runningTest_ = outerTest;
      runningName_ = outerName;
    } else {
      status->AddMessage(test->DisabledReason(), test->SourceFile(),
                         test->DeclarationLine());
      if (test->Enabled())
        status->SetState(kTestSkipped);
    }
    if (printed)
      printResult(status->GetState());
    run.watch->endTest();
    test->SetBreakOnFailure(savedBreak);
  }

  if (anySelected)
    suite->SuiteTearDown();
}

void TestRunner::runOne(IKorTestSuite *suite, IKorTest *test,
                        GenTestStatus *status, const char *fullName,
                        const Run &run) {
  const TestRunOptions &options = run.options;
  suite->BeforeTest();
  SPtr<IKorClock> clock;
  // A leak-checked body sees its record through a stand-in that keeps the
  // record's own blocks out of the count.
  IKorTestStatus *seen = status;
  if (options.checkMemory) {
    uncounted_->forwardTo(status);
    seen = uncounted_.get();
  }
  TestAssertCB *hook = hook_.get();
  if (hook) {
    if (!options.keepApplicationAsserts)
      hook->setChain(false);
    hook->clearAssertSeen();
    hook->setStatus(seen);
  }
  forwarder_->setStatus(seen);
  korSeedTestRandom(options.randomize, options.seed);

  if (clock)
    clock->Start();
  int64_t before = options.checkMemory ? HeapEntryCount() : 0;
  run.watch->beginBody();
  test->Run(seen);
  run.watch->endBody();
  bool leakCheck = options.checkMemory && status->GetCheckMemory();
  int64_t after =
      leakCheck ? HeapEntryCount() - uncounted_->recordBlocks() : before;
  if (clock)
    clock->Stop();
  recordMissedInterrupt(*run.watch, timeLimit_, test, status, fullName);
  if (leakCheck && status->GetState() == kTestPassed && after != before) {
    status->AddMessage("Memory leak detected in test.", test->SourceFile(),
                       test->DeclarationLine());
    status->SetState(kTestFailed);
  }

  if (hook) {
    hook->setStatus(nullptr);
    hook->setChain(true);
  }
  forwarder_->setStatus(nullptr);
  if (uncounted_)
    uncounted_->forwardTo(nullptr);
  suite->AfterTest();
  // Without a host clock there is no duration to store.
  status->SetDuration(clock ? clock->Elapsed() : 0.0);
}

void TestRunner::reportTestEnd(IKorTest *test, const char *cause) const {
  // The running test's name was built before its leak count began.
  if (test && test == runningTest_)
    korPrintTestEnd(runningName_, cause);
  else
    korPrintTestEnd(
        korFullTestName(test ? test->Suite() : nullptr, test).c_str(), cause);
}
