//===- runoutcome.h - How a test run ended: closing line and exit status --===//
//
// After a run the kortest command publishes its counts to the query server:
// "Programmer Tests Results" (passed, failed, skipped), "Programmer Tests
// Aborted" (aborted) and "Programmer Tests Run Status" (not run, stop,
// report, load failures, matched). korhost reads them back, prints the
// closing line and picks the exit status. A component that publishes no
// run status is read as a run that went to its end and matched its tests.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "host/cli/exitstatus.h"
#include <cstdint>
#include <optional>
#include <string>

class HostQueryServer;

/// The record of the passed, failed and skipped counts.
inline constexpr const char *kTestResultsRecord = "Programmer Tests Results";
/// The record of aborted tests, which count as failures for the exit status.
inline constexpr const char *kAbortedTestsRecord = "Programmer Tests Aborted";
/// The record of the seed a run left, printed after a randomized run.
inline constexpr const char *kTestSeedRecord = "Programmer Tests Seed";
/// The record of how the run ended: not run, stop, report, load failures,
/// matched.
inline constexpr const char *kRunStatusRecord = "Programmer Tests Run Status";

/// The published records of one run.
struct RunOutcome {
  int32_t passed = 0;
  int32_t failed = 0;
  int32_t skipped = 0;
  int32_t aborted = 0;
  int32_t notRun = 0; ///< Disabled tests listed in the run.
  /// 0 the run went to its end, n > 0 interrupted by signal n, -1 a test
  /// ended the process.
  int32_t stop = 0;
  bool reportUndelivered = false;
  int32_t loadFailures = 0; ///< [KorTest] values that loaded no component.
  int32_t matched = -1;     ///< Tests selected before sharding; -1 unknown.

  /// "P passed, F failed, S skipped", then ", D not run" and ", N aborted"
  /// for counts above 0.
  std::string closingLine() const;
  /// The exit status; when several apply, a signal wins over "not carried
  /// out", which wins over "nothing selected", then "failed", then "passed".
  int exitStatus() const;
};

/// The outcome the server holds, or nothing when no counts were published.
std::optional<RunOutcome> readRunOutcome(const HostQueryServer &server);
