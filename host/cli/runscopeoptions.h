//===- runscopeoptions.h - korhost options that narrow a test run ---------===//
//
// run_programmer_tests takes --test "Suite.Test" (exactly that test),
// --shard-index I --shard-count N (test i of the run goes to shard i mod
// N) and --timeout SECONDS (the time each test body may take). Without the
// shard options, Bazel's TEST_SHARD_INDEX and TEST_TOTAL_SHARDS give them.
// The choice reaches the kortest command as the settings "Test Run/Test
// Name", "Test Run/Shard Index", "Test Run/Shard Count" and "Test
// Run/Timeout". As Bazel asks of a test, korhost touches
// TEST_SHARD_STATUS_FILE when it is set, and writes the JUnit report to
// XML_OUTPUT_FILE when that is set and no report option was given.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdio>
#include <string>

namespace CLI {
class App;
class Option;
} // namespace CLI
class HostScriptOptions;

/// The script whose subcommand takes the run-scope options.
inline constexpr const char *kTestScriptName = "run_programmer_tests";
/// Settings key of the exact full name of the one test to run.
inline constexpr const char *kTestNameSetting = "Test Run/Test Name";
/// Settings key of the 0-based shard the run is narrowed to.
inline constexpr const char *kShardIndexSetting = "Test Run/Shard Index";
/// Settings key of the number of shards.
inline constexpr const char *kShardCountSetting = "Test Run/Shard Count";
/// Settings key of the seconds a test body may run before it is stopped.
inline constexpr const char *kTimeoutSetting = "Test Run/Timeout";

/// The run-scope options of one script subcommand.
class RunScopeOptions {
public:
  /// Adds --test, --shard-index, --shard-count and --timeout to `app`.
  void addTo(CLI::App &app);
  /// Checks the options and the Bazel variables, stores the scope in the
  /// host settings and touches the shard status file. Returns false after
  /// a message on `errors` when they are wrong (a usage error).
  bool apply(FILE *errors);
  /// Points the report at XML_OUTPUT_FILE as JUnit when the variable is
  /// set and none of the report options was given.
  void applyReportDefault(HostScriptOptions &values) const;

private:
  bool chooseShard(std::string &index, std::string &count, FILE *errors) const;
  static bool testExists(const std::string &fullName);

  CLI::App *app_ = nullptr;
  std::string testName_;
  std::string shardIndex_;
  std::string shardCount_;
  std::string timeout_;
  CLI::Option *testOption_ = nullptr;
  CLI::Option *indexOption_ = nullptr;
  CLI::Option *countOption_ = nullptr;
};
