// Unit tests of how korhost reads a run's published records back into its
// closing line and exit status (the script subcommands around it are driven
// end to end by kortest_exit.sh and script_help.sh).
#include "host/cli/runoutcome.h"
#include "KorBasicTypes/korarray.h"
#include "host/services/queryserver.h"
#include <gtest/gtest.h>

namespace {
/// Publishes `values` under `name`; an empty list publishes nothing.
void publish(HostQueryServer &server, const char *name,
             const std::vector<int32_t> &values) {
  KorArray<int32_t> record;
  for (int32_t value : values)
    record.append(value);
  if (!values.empty())
    server.Publish(name, record);
}

TEST(RunOutcome, TheRunsRecordsGiveTheClosingLineAndExitStatus) {
  struct Case {
    std::vector<int32_t> counts, aborted, runStatus;
    const char *closing;
    int status;
  };
  // Run status: not run, stop, report undelivered, load failures, matched.
  // kortest_exit.sh and kortest_faults.sh see the other statuses end to end.
  const Case cases[] = {
      {{2, 0, 1}, {}, {}, "2 passed, 0 failed, 1 skipped", 0},
      {{1, 2, 0}, {1}, {1, 0, 0, 0, 5},
       "1 passed, 2 failed, 0 skipped, 1 not run, 1 aborted", 1},
      {{0, 0, 0}, {0}, {0, 0, 0, 0, 0}, "0 passed, 0 failed, 0 skipped", 4},
      {{1, 1, 0}, {0}, {0, -1, 0, 0, 5}, "1 passed, 1 failed, 0 skipped", 3},
      {{1, 1, 0}, {0}, {2, 15, 1, 1, 9},
       "1 passed, 1 failed, 0 skipped, 2 not run", 143},
  };
  for (const Case &c : cases) {
    HostQueryServer server;
    publish(server, kTestResultsRecord, c.counts);
    publish(server, kAbortedTestsRecord, c.aborted);
    publish(server, kRunStatusRecord, c.runStatus);
    std::optional<RunOutcome> outcome = readRunOutcome(server);
    ASSERT_TRUE(outcome) << c.closing;
    EXPECT_EQ(std::pair(outcome->closingLine(), outcome->exitStatus()),
              std::pair(std::string(c.closing), c.status));
  }
  // A component that published no (or too few) counts gives no outcome.
  HostQueryServer server;
  EXPECT_FALSE(readRunOutcome(server));
  publish(server, kTestResultsRecord, {1, 2});
  EXPECT_FALSE(readRunOutcome(server));
}
} // namespace
