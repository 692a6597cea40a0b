//===- gentestservice.h - The test service: registry and runner of tests --===//
//
// One GenTestService per process (a singleton class of the component, which
// korhost hands out as "IKorTestService"). Test components pass their tests
// to AddTest; RunTests runs a list of them suite by suite, one status record
// per test, printing a progress line per test on standard output.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "ikortestservice.h"
#include "iptr.h"
#include "korarray.h"
#include <memory>

class GenTestStatus;
class IKorTestStatus;
class IKorTestSuite;
class KorCString;
class KorTestProgressForwarder;
class TestAssertCB;
class WildcardPattern;

/// The test service.
class GenTestService : public IKorTestService {
public:
  KOR_CLASS(GenTestService, IKorTestService)
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

  /// Whether the test would run: enabled, not excluded, and matched by an
  /// include pattern when there are any.
  bool Selected(IKorTestSuite *suite, IKorTest *test);
  /// The hook the runs install; null before the first run.
  TestAssertCB *assertHook() const;
  /// The progress forwarder; null before the first run.
  KorTestProgressForwarder *progressForwarder() const {
    return forwarder_.get();
  }

private:
  struct RunOptions;
  void runSuite(IKorTestSuite *suite, const KorArray<IKorTest *> &tests,
                const RunOptions &options);
  void runOne(IKorTestSuite *suite, IKorTest *test, GenTestStatus *status,
              const RunOptions &options);
  bool selectedByName(const KorCString &fullName);

  KorArray<IKorTest *> tests_;
  KorArray<WildcardPattern *> includePatterns_;
  KorArray<KorCString *> excludedNames_;
  IPtr<TestAssertCB> hook_;
  std::unique_ptr<KorTestProgressForwarder> forwarder_;
  bool componentsLoaded_ = false;
  int32_t nextTestNumber_ = 0;
};

/// The full name of a test: its suite's name, ".", its description
/// ("Spec Suite.Assert Equals Test"); a test without a suite has only "."
/// and its description.
KorCString korFullTestName(IKorTestSuite *suite, IKorTest *test);

/// Seeds the standard random generator before a test: with `randomize`
/// from the millisecond tick count (stored in *seed when given), else from
/// *seed when given, else with 1.
void korSeedTestRandom(bool randomize, uint32_t *seed);
