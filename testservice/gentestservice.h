//===- gentestservice.h - The test service: registry and runner of tests --===//
//
// One GenTestService per process (a singleton class of the component, which
// korhost hands out as "IKorTestService"). Test components pass their tests
// to AddTest; RunTests runs a list of them suite by suite, one status record
// per test, printing a progress line per test on standard output. The
// service puts together four parts, one per job: the registered tests, the
// selection, the runner and the loader of test components.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/ikorfaultguard.h"
#include "frame/ikortestendreport.h"
#include "frame/ikortestservice.h"
#include "testservice/componentloader.h"
#include "testservice/registeredtests.h"
#include "testservice/testrunner.h"
#include "testservice/testselection.h"

class IKorTestSuite;
class KorTestProgressForwarder;
class TestAssertCB;

/// The test service; it also tells the user what ended a body, and runs
/// bodies under the fault guard whose handlers its runs install.
class GenTestService : public IKorTestService,
                       public IKorTestEndReport,
                       public IKorFaultGuard {
public:
  KOR_CLASS(GenTestService, IKorTestService, IKorTestEndReport, IKorFaultGuard)
  GenTestService() = default;
  GenTestService(const GenTestService &) = delete;
  GenTestService &operator=(const GenTestService &) = delete;

  void AddTest(IKorTest *test) override { tests_.add(test); }
  void AddIncludePattern(const char *pattern) override {
    selection_.include(pattern);
  }
  void AddExcludedTest(const char *fullName) override {
    selection_.exclude(fullName);
  }
  int GetTestCount() override { return tests_.count(); }
  IKorTest *GetTest(int position) override { return tests_.at(position); }
  IKorTest *FindTest(int testNumber) override {
    return tests_.find(testNumber);
  }
  void GetTests(KorArray<IKorTest *> &out) override { tests_.copyTo(out); }
  void RunTests(const KorArray<IKorTest *> &tests, IKorTestResults *results,
                bool breakOnFailure, bool checkMemory,
                bool keepApplicationAsserts, bool randomize, uint32_t *seed,
                bool selectedOnly) override;
  void LoadTestComponents() override { loader_.loadOnce(); }
  void ReportTestEnd(IKorTest *test, const char *cause) override {
    runner_.reportTestEnd(test, cause);
  }
  void RunGuarded(KorGuardedFn fn, void *context,
                  const KorGuardOptions &options,
                  KorGuardOutcome &outcome) override {
    outcome = korRunGuarded(fn, context, options);
  }

  /// Whether the test would run: enabled, not excluded, and matched by an
  /// include pattern when there are any.
  bool Selected(IKorTestSuite *suite, IKorTest *test) {
    return selection_.selects(suite, test);
  }
  /// What AddIncludePattern and AddExcludedTest add to; a command adds the
  /// patterns and exclusions of its own run for that run only.
  TestSelection &selection() { return selection_; }
  /// The hook the runs install; null before the first run.
  TestAssertCB *assertHook() const { return runner_.assertHook(); }
  /// The progress forwarder; null before the first run.
  KorTestProgressForwarder *progressForwarder() const {
    return runner_.progressForwarder();
  }
  /// Limits every test body of the following runs to `seconds` (0: no
  /// limit); a body that runs longer fails and the run goes on.
  void setTimeLimit(int32_t seconds) { runner_.setTimeLimit(seconds); }
  int32_t timeLimit() const { return runner_.timeLimit(); }
  /// How the last run ended: 0 at its end; n > 0 stopped by signal n; -1
  /// stopped because a test ended the process (exit, quick_exit).
  int32_t lastRunStop() const { return runner_.lastRunStop(); }
  /// "KorTest" registry values that are malformed or name a component
  /// that did not load.
  int32_t loadFailures() const { return loader_.failures(); }

private:
  RegisteredTests tests_;
  TestSelection selection_;
  TestRunner runner_{selection_};
  TestComponentLoader loader_;
};
