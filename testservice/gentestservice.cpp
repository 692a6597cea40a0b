//===- gentestservice.cpp - The test service: registry and runner of tests ===//
#include "testservice/gentestservice.h"

void GenTestService::RunTests(const KorArray<IKorTest *> &tests,
                              IKorTestResults *results, bool breakOnFailure,
                              bool checkMemory, bool keepApplicationAsserts,
                              bool randomize, uint32_t *seed,
                              bool selectedOnly) {
  TestRunOptions options;
  options.breakOnFailure = breakOnFailure;
  options.checkMemory = checkMemory;
  options.keepApplicationAsserts = keepApplicationAsserts;
  options.randomize = randomize;
  options.seed = seed;
  options.selectedOnly = selectedOnly;
  runner_.run(tests, results, options);
}
