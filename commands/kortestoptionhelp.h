//===- kortestoptionhelp.h - What each option of the test script does -----===//
//
// One line per option of the script "run_programmer_tests", for a host's
// help (IKorScriptHelp). The formatter and router options list the class
// names of the results registry, so the help follows the registry.
//
//===----------------------------------------------------------------------===//
#pragma once

/// What `option` of the script "run_programmer_tests" does; null for a
/// name the script does not declare. The text lives as long as the process.
const char *korKortestOptionHelp(const char *option);
