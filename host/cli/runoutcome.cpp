//===- runoutcome.cpp - How a test run ended: closing line and exit status ===//
#include "host/cli/runoutcome.h"
#include "host/services/queryserver.h"

namespace {
/// Value `i` of a record, or `absent` when the record is shorter.
int32_t valueAt(const std::optional<std::vector<int32_t>> &record, size_t i,
                int32_t absent = 0) {
  return record && record->size() > i ? (*record)[i] : absent;
}
} // namespace

std::string RunOutcome::closingLine() const {
  std::string line = std::to_string(passed) + " passed, " +
                     std::to_string(failed) + " failed, " +
                     std::to_string(skipped) + " skipped";
  if (notRun > 0)
    line += ", " + std::to_string(notRun) + " not run";
  if (aborted > 0)
    line += ", " + std::to_string(aborted) + " aborted";
  return line;
}

int RunOutcome::exitStatus() const {
  if (stop > 0)
    return kExitSignalBase + stop;
  if (stop < 0 || reportUndelivered || loadFailures > 0)
    return kExitNotCarriedOut;
  if (matched == 0)
    return kExitNothingSelected;
  if (failed > 0 || aborted > 0)
    return kExitFailed;
  return kExitPassed;
}

std::optional<RunOutcome> readRunOutcome(const HostQueryServer &server) {
  auto counts = server.record(kTestResultsRecord);
  if (!counts || counts->size() < 3)
    return std::nullopt;
  RunOutcome outcome;
  outcome.passed = (*counts)[0];
  outcome.failed = (*counts)[1];
  outcome.skipped = (*counts)[2];
  outcome.aborted = valueAt(server.record(kAbortedTestsRecord), 0);
  auto status = server.record(kRunStatusRecord);
  outcome.notRun = valueAt(status, 0);
  outcome.stop = valueAt(status, 1);
  outcome.reportUndelivered = valueAt(status, 2) != 0;
  outcome.loadFailures = valueAt(status, 3);
  outcome.matched = valueAt(status, 4, -1);
  return outcome;
}
