//===- scriptcommand.h - One korhost subcommand per offered script --------===//
//
// Each option a script declares becomes a long option of its subcommand:
// a bool option a flag (--break_on_fail), an integer option a checked
// 32-bit decimal (--random_seed 7), a string option a text
// (--suite_name "Spec Suite"). Options left out keep their declared
// defaults. --filter and --exclude hand include patterns and excluded full
// test names to the test service before the script runs; the test script
// also takes the run-scope options (runscopeoptions.h).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "runscopeoptions.h"
#include "scriptcatalog.h"
#include <CLI/CLI.hpp>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

class HostComponentManager;

/// The name of the record a test run publishes and korhost reports.
inline constexpr const char *kTestResultsRecord = "Programmer Tests Results";
/// The record of aborted tests, which count as failures for the exit status.
inline constexpr const char *kAbortedTestsRecord = "Programmer Tests Aborted";
/// The record of the seed a run left, printed after a randomized run.
inline constexpr const char *kTestSeedRecord = "Programmer Tests Seed";

/// The subcommands of every offered script and the values they parsed.
class ScriptSubcommands {
public:
  /// Adds one subcommand per script to `cli`; the scripts must outlive
  /// this object.
  ScriptSubcommands(CLI::App &cli, std::vector<OfferedScript> &scripts);

  /// Whether one of the script subcommands was chosen.
  bool chosen() const;
  /// Runs the chosen script: sets the given options, passes the filters to
  /// the test service, executes, then prints the published test counts.
  /// Returns the exit status: 0, 1 when a test failed or aborted or the
  /// script failed, 2 when the filters have no test service to go to.
  int run(FILE *out = stdout, FILE *errors = stderr);

private:
  /// One declared option and where the command line left its value.
  struct Binding {
    std::string name;
    ScriptOptionType type;
    bool flag = false;
    std::string text;
    CLI::Option *option = nullptr;
  };
  /// One script's subcommand with its bindings.
  struct Subcommand {
    OfferedScript *script = nullptr;
    CLI::App *app = nullptr;
    std::deque<Binding> bindings;
    std::vector<std::string> filters;
    std::vector<std::string> excludes;
    RunScopeOptions scope;
  };

  void addSubcommand(CLI::App &cli, OfferedScript &script);
  static void bind(Subcommand &sub, const ScriptOption &option);
  static void applyValues(Subcommand &sub);
  static bool applyFilters(Subcommand &sub, FILE *errors);

  std::deque<Subcommand> subcommands_;
};

/// Prints "<passed> passed, <failed> failed, <skipped> skipped" from the
/// published test counts (and ", <n> aborted" when tests aborted), after a
/// line "random seed <n>" when the run was randomized; returns 1 when a
/// test failed or aborted, 0 otherwise, and 0 without a record.
int reportTestCounts(FILE *out, bool randomized = false);

/// Parses a whole decimal 32-bit integer; false for anything else.
bool parseInt32(const std::string &text, int32_t &value);
