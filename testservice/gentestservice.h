//===- gentestservice.h - The test service: registry and runner of tests --===//
//
// One GenTestService per process (a singleton class of the component, which
// korhost hands out as "IKorTestService"). Test components pass their tests
// to AddTest; RunTests runs a list of them suite by suite, one status record
// per test, printing a progress line per test on standard output.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/ikortestendreport.h"
#include "frame/ikortestservice.h"
#include "component/iptr.h"
#include "KorBasicTypes/korarray.h"
#include <memory>

class GenTestStatus;
class IKorTestStatus;
class IKorTestSuite;
class KorCString;
class KorRunWatch;
class KorTestProgressForwarder;
class TestAssertCB;
class UncountedStatus;
class WildcardPattern;

/// The test service; it also tells the user what ended a body.
class GenTestService : public IKorTestService, public IKorTestEndReport {
public:
  KOR_CLASS(GenTestService, IKorTestService, IKorTestEndReport)
  GenTestService();
  ~GenTestService() override;
  GenTestService(const GenTestService &) = delete;
  GenTestService &operator=(const GenTestService &) = delete;

  void AddTest(IKorTest *test) override;
  void AddIncludePattern(const char *pattern) override;
  void AddExcludedTest(const char *fullName) override;
  int GetTestCount() override { return static_cast<int>(tests_.count()); }
  IKorTest *GetTest(int position) override;
  IKorTest *FindTest(int testNumber) override;
  void GetTests(KorArray<IKorTest *> &out) override;
  void RunTests(const KorArray<IKorTest *> &tests, IKorTestResults *results,
                bool breakOnFailure, bool checkMemory,
                bool keepApplicationAsserts, bool randomize, uint32_t *seed,
                bool selectedOnly) override;
  void LoadTestComponents() override;
  void ReportTestEnd(IKorTest *test, const char *cause) override;

  /// Whether the test would run: enabled, not excluded, and matched by an
  /// include pattern when there are any.
  bool Selected(IKorTestSuite *suite, IKorTest *test);
  /// The hook the runs install; null before the first run.
  TestAssertCB *assertHook() const;
  /// The progress forwarder; null before the first run.
  KorTestProgressForwarder *progressForwarder() const {
    return forwarder_.get();
  }

  /// Limits every test body of the following runs to `seconds` (0: no
  /// limit); a body that runs longer fails and the run goes on.
  void setTimeLimit(int32_t seconds) { timeLimit_ = seconds; }
  int32_t timeLimit() const { return timeLimit_; }
  /// How the last run ended: 0 at its end; n > 0 stopped by signal n; -1
  /// stopped because a test ended the process (exit, quick_exit).
  int32_t lastRunStop() const { return lastRunStop_; }
  /// "KorTest" registry values that are malformed or name a component
  /// that did not load.
  int32_t loadFailures() const { return loadFailures_; }

private:
  struct RunOptions;
  void runSuite(IKorTestSuite *suite, const KorArray<IKorTest *> &tests,
                const RunOptions &options);
  void runOne(IKorTestSuite *suite, IKorTest *test, GenTestStatus *status,
              const char *fullName, const RunOptions &options);
  bool selectedByName(const KorCString &fullName);

  KorArray<IKorTest *> tests_;
  KorArray<WildcardPattern *> includePatterns_;
  KorArray<KorCString *> excludedNames_;
  IPtr<TestAssertCB> hook_;
  std::unique_ptr<KorTestProgressForwarder> forwarder_;
  IPtr<UncountedStatus> uncounted_;
  bool componentsLoaded_ = false;
  int32_t nextTestNumber_ = 0;
  int32_t timeLimit_ = 0;
  int32_t lastRunStop_ = 0;
  int32_t loadFailures_ = 0;
  /// The test the run is in, and its full name.
  IKorTest *runningTest_ = nullptr;
  const char *runningName_ = nullptr;
};

/// The full name of a test: its suite's name, ".", its description
/// ("Spec Suite.Assert Equals Test"); a test without a suite has only "."
/// and its description.
KorCString korFullTestName(IKorTestSuite *suite, IKorTest *test);

/// Seeds the standard random generator before a test: with `randomize`
/// from the millisecond tick count (stored in *seed when given), else from
/// *seed when given, else with 1.
void korSeedTestRandom(bool randomize, uint32_t *seed);
