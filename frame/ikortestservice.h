//===- ikortestservice.h - The test service: registry and runner of tests -===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include "component/korclass.h"

class IKorTest;
class IKorTestResults;

/// The process-wide registry of tests and the runner that executes them.
class IKorTestService : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTestService)
  /// Slot 0: numbers the test and keeps a reference on it.
  virtual void AddTest(IKorTest *test) = 0;
  /// Slot 1: a test is selected only if one include pattern matches.
  virtual void AddIncludePattern(const char *pattern) = 0;
  /// Slot 2: a full test name ("Suite.Test") that is never selected.
  virtual void AddExcludedTest(const char *fullName) = 0;
  /// Slot 3: number of registered tests.
  virtual int GetTestCount() = 0;
  /// Slot 4: the test at a 1-based position, or null.
  virtual IKorTest *GetTest(int position) = 0;
  /// Slot 5: the first test with that test number, or null.
  virtual IKorTest *FindTest(int testNumber) = 0;
  /// Slot 6: every registered test, in registration order.
  virtual void GetTests(KorArray<IKorTest *> &out) = 0;
  /// Slot 7: runs the tests into results, suite by suite.
  virtual void RunTests(const KorArray<IKorTest *> &tests,
                        IKorTestResults *results, bool breakOnFailure,
                        bool checkMemory, bool keepApplicationAsserts,
                        bool randomize, uint32_t *seed, bool selectedOnly) = 0;
  /// Slot 8: loads the test components named in the registry, once.
  virtual void LoadTestComponents() = 0;
};
