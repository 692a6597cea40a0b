//===- listcommand.h - `korhost list`: every suite and test ---------------===//
#pragma once
#include <cstdio>
#include <string>

namespace CLI {
class App;
}

/// What `korhost list` prints.
struct ListOptions {
  /// "text" for people, "json" for machines (one array of every test).
  std::string format = "text";
  bool json = false; ///< --json, the short form of --format json.
};

/// Adds the "list" subcommand with its options to `cli`.
CLI::App *addListSubcommand(CLI::App &cli, ListOptions &options);

/// Loads the test components and prints each suite, then each of its
/// tests: full name, "enabled" or "disabled: <reason>", and file:line.
/// Suites come in the order their first test was registered. As JSON: one
/// array with an object per test in registration order (suite,
/// description, fullName, enabled, disabledReason, file, line,
/// testNumber). Returns 0, or 1 without a test service.
int runListCommand(const ListOptions &options, FILE *out = stdout,
                   FILE *errors = stderr);
