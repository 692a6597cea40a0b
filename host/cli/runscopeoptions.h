//===- runscopeoptions.h - korhost options that narrow a test run ---------===//
//
// run_programmer_tests takes --filter PATTERN and --exclude NAME (both
// repeatable: tests the patterns leave out, or of an excluded full name,
// are skipped), --test "Suite.Test" (exactly that test), --shard-index I
// --shard-count N (test i of the run goes to shard i mod N) and --timeout
// SECONDS (the time each test body may take). Without the shard options,
// Bazel's TEST_SHARD_INDEX and TEST_TOTAL_SHARDS give them. The choice
// reaches the kortest command as the run scope's settings
// (KorBasicTypes/runscopesettings.h), written over those of the settings
// file. As Bazel asks of a test, korhost touches TEST_SHARD_STATUS_FILE
// when it is set, and writes the report to XML_OUTPUT_FILE when that is
// set and neither a router nor a file name was given (JUnit, unless a
// formatter was named).
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI
class HostScriptOptions;

/// The script whose subcommand takes the run-scope options.
inline constexpr const char *kTestScriptName = "run_programmer_tests";

/// The run-scope options of one script subcommand.
class RunScopeOptions {
public:
  /// Adds --filter, --exclude, --test, --shard-index, --shard-count and
  /// --timeout to `app`.
  void addTo(CLI::App &app);
  /// Checks the options and the Bazel variables, stores the scope in the
  /// host settings and touches the shard status file. Returns false after
  /// a message on `errors` when they are wrong (a usage error).
  bool apply(FILE *errors);
  /// Points the report at XML_OUTPUT_FILE when the variable is set and
  /// neither --results_router nor --result_filename.txt was given: the
  /// file router writes it, as JUnit unless --results_formatter names
  /// another formatter.
  void applyReportDefault(HostScriptOptions &values) const;

private:
  bool chooseShard(std::string &index, std::string &count, FILE *errors) const;
  static bool testExists(const std::string &fullName);

  CLI::App *app_ = nullptr;
  std::vector<std::string> filters_;
  std::vector<std::string> excludes_;
  std::string testName_;
  std::string shardIndex_;
  std::string shardCount_;
  std::string timeout_;
  CLI::Option *testOption_ = nullptr;
  CLI::Option *indexOption_ = nullptr;
  CLI::Option *countOption_ = nullptr;
};
