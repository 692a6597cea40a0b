//===- kortestrunchoices.h - What a kortest run is asked for and gave -----===//
//
// The values the kortest command's two paths, the script and the dialog,
// hand to one run and read back from it: the run options and the outcome
// counts.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>

/// The run options the dialog and the script share.
struct KortestRunChoices {
  bool breakOnFailure = false;
  bool checkMemory = false;
  bool keepApplicationAsserts = false;
  bool randomize = false;
  /// Positions in the formatter and router lists (0-based, -1 for none).
  int32_t formatter = 0;
  int32_t router = 0;
};

/// The outcome counts of one run.
struct KortestCounts {
  int32_t passed = 0;
  int32_t failed = 0;
  int32_t skipped = 0;
  int32_t aborted = 0;
  int32_t notRun = 0;
};
