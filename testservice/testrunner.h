//===- testrunner.h - Runs a list of tests suite by suite -----------------===//
//
// One run: the assertion hook is installed, the tests are grouped by suite
// (suitegroups.h) and each selected test gets its console line, a reseeded
// random generator, its clock, an optional leak count and its run wrapper.
// Every test listed leaves one status record in the run's results
// (Skipped, or NotRun for a disabled test, when it is not selected). A
// KorRunWatch keeps a time limit, a stop signal or exit() in a body from
// ending the run without its results.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include "component/iptr.h"
#include <cstdint>
#include <memory>

class GenTestStatus;
class IKorTest;
class IKorTestResults;
class IKorTestSuite;
class KorRunWatch;
class KorTestProgressForwarder;
class TestAssertCB;
class TestSelection;
class UncountedStatus;

/// How a run treats its tests (the arguments of IKorTestService::RunTests).
struct TestRunOptions {
  /// Copied into each test's break-on-failure flag while it runs.
  bool breakOnFailure = false;
  /// Fails a passed test whose body changed the number of heap blocks.
  bool checkMemory = false;
  /// The hook also hands failed application assertions to the handler it
  /// replaced.
  bool keepApplicationAsserts = false;
  /// Seeds each test from the tick count instead of *seed (or 1).
  bool randomize = false;
  uint32_t *seed = nullptr;
  /// Tests that are not selected print nothing.
  bool selectedOnly = false;
};

/// Runs tests into results; the selection decides which of them run.
class TestRunner {
public:
  explicit TestRunner(TestSelection &selection);
  ~TestRunner();
  TestRunner(const TestRunner &) = delete;
  TestRunner &operator=(const TestRunner &) = delete;

  /// Runs `tests` into `results` (required).
  void run(const KorArray<IKorTest *> &tests, IKorTestResults *results,
           const TestRunOptions &options);
  /// Tells the user what ended the body of `test`, by the name the run
  /// built for it when it is the running test.
  void reportTestEnd(IKorTest *test, const char *cause) const;

  /// The hook the runs install; null before the first run.
  TestAssertCB *assertHook() const { return hook_.get(); }
  /// The progress forwarder; null before the first run.
  KorTestProgressForwarder *progressForwarder() const {
    return forwarder_.get();
  }
  /// Limits every test body of the following runs to `seconds` (0: no
  /// limit).
  void setTimeLimit(int32_t seconds) { timeLimit_ = seconds; }
  int32_t timeLimit() const { return timeLimit_; }
  /// How the last run ended: 0 at its end; n > 0 stopped by signal n; -1
  /// stopped because a test ended the process.
  int32_t lastRunStop() const { return lastRunStop_; }

private:
  struct Run;
  void runSuite(IKorTestSuite *suite, const KorArray<IKorTest *> &tests,
                const Run &run);
  void runOne(IKorTestSuite *suite, IKorTest *test, GenTestStatus *status,
              const char *fullName, const Run &run);

  TestSelection &selection_;
  IPtr<TestAssertCB> hook_;
  std::unique_ptr<KorTestProgressForwarder> forwarder_;
  IPtr<UncountedStatus> uncounted_;
  int32_t timeLimit_ = 0;
  int32_t lastRunStop_ = 0;
  /// The test the run is in, and its full name.
  IKorTest *runningTest_ = nullptr;
  const char *runningName_ = nullptr;
};

/// Seeds the standard random generator before a test: with `randomize`
/// from the millisecond tick count (stored in *seed when given), else from
/// *seed when given, else with 1.
void korSeedTestRandom(bool randomize, uint32_t *seed);
