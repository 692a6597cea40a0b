//===- listcommand.h - `korhost list`: every suite and test ---------------===//
#pragma once
#include <cstdio>

namespace CLI {
class App;
}

/// What `korhost list` prints.
struct ListOptions {
  bool json = false; ///< One JSON document instead of text lines.
};

/// Adds the "list" subcommand with its options to `cli`.
CLI::App *addListSubcommand(CLI::App &cli, ListOptions &options);

/// Loads the test components and prints each suite, then each of its
/// tests: full name, "enabled" or "disabled: <reason>", and file:line.
/// Suites come in the order their first test was registered. Returns 0, or
/// 1 without a test service.
int runListCommand(const ListOptions &options, FILE *out = stdout,
                   FILE *errors = stderr);
