//===- exitstatus.h - korhost's exit statuses -----------------------------===//
#pragma once

/// korhost's exit statuses; a run ended by signal n exits 128 + n.
enum HostExitStatus : int {
  kExitPassed = 0,          ///< Every selected test passed.
  kExitFailed = 1,          ///< A test failed or aborted.
  kExitUsage = 2,           ///< The command line or a settings file is wrong.
  kExitNotCarriedOut = 3,   ///< The run could not be carried out or reported.
  kExitNothingSelected = 4, ///< The selection matched no test.
  kExitSignalBase = 128,    ///< Plus the number of the interrupting signal.
};

/// The exit statuses of a test run, as the help text lists them.
inline constexpr const char *kExitStatusHelp =
    "Exit status of run_programmer_tests:\n"
    "  0      every selected test passed (an empty shard too)\n"
    "  1      a test failed or aborted\n"
    "  2      usage error\n"
    "  3      the run could not be carried out or its report not written: a\n"
    "         plugin that fails to load, a [KorTest] identifier that is\n"
    "         malformed or names no loaded component, a report file that\n"
    "         cannot be written, a test that ended the process\n"
    "  4      --suite_name, --filter, --exclude or --test matched no test\n"
    "  128+n  ended by signal n (the report is still written)\n"
    "When several apply, 128+n wins over 3, 3 over 4 and 4 over 1.";
