//===- scriptcommand.h - One korhost subcommand per offered script --------===//
//
// Each option a script declares becomes a long option of its subcommand:
// a bool option a flag (--break_on_fail), an integer option a checked
// 32-bit decimal (--random_seed 7), a string option a text
// (--suite_name "Spec Suite"). Options left out keep their declared
// defaults. The test script also takes the run-scope options
// (runscopeoptions.h).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "host/cli/runoutcome.h"
#include "host/cli/runscopeoptions.h"
#include "host/cli/scriptcatalog.h"
#include <CLI/CLI.hpp>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

class HostComponentManager;

/// The subcommands of every offered script and the values they parsed.
class ScriptSubcommands {
public:
  /// Adds one subcommand per script to `cli`; the scripts must outlive
  /// this object.
  ScriptSubcommands(CLI::App &cli, std::vector<OfferedScript> &scripts);

  /// Whether one of the script subcommands was chosen.
  bool chosen() const;
  /// Runs the chosen script: stores the run scope, sets the given options,
  /// executes, then prints the published test counts. Returns the exit
  /// status (HostExitStatus): that of the published run, 2 when the run
  /// scope is wrong, 3 when the script failed.
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
    RunScopeOptions scope;
  };

  void addSubcommand(CLI::App &cli, OfferedScript &script);
  static void bind(Subcommand &sub, const ScriptOption &option);
  static void applyValues(Subcommand &sub);

  std::deque<Subcommand> subcommands_;
};

/// Prints the closing line of the published run (RunOutcome), after a line
/// "random seed <n>" when the run was randomized; returns the run's exit
/// status, 0 when nothing was published.
int reportTestCounts(FILE *out, bool randomized = false);
