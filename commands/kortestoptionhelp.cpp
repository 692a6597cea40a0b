//===- kortestoptionhelp.cpp - What each option of the test script does ---===//
#include "commands/kortestoptionhelp.h"
#include "results/genfileresultsrouter.h"
#include "results/resultsregistry.h"
#include <cstring>
#include <string>

namespace {
struct OptionText {
  const char *option;
  const char *help;
};

const std::string &formatterHelp() {
  static const std::string text =
      "how the report is written: " + korResultsFormatters().nameList();
  return text;
}

const std::string &routerHelp() {
  static const std::string text =
      "where the report goes: " + korResultsRouters().nameList();
  return text;
}

const std::string &fileNameHelp() {
  static const std::string text =
      std::string("report file of ") + GenFileResultsRouter::kClassName +
      " (default: test_results.txt in the data directory)";
  return text;
}
} // namespace

const char *korKortestOptionHelp(const char *option) {
  static const OptionText texts[] = {
      {"suite_name",
       "run only the suite of this exact name; empty runs every suite"},
      {"break_on_fail", "a failed check ends the process (abort)"},
      {"check_memory",
       "fail a test that leaves more or fewer heap blocks than it found"},
      {"results_formatter", formatterHelp().c_str()},
      {"results_router", routerHelp().c_str()},
      {"result_filename.txt", fileNameHelp().c_str()},
      {"randomize", "seed srand at random and print the seed"},
      {"random_seed",
       "seed srand with this value to repeat a run (-1: 4294967295)"},
  };
  for (const OptionText &text : texts)
    if (option && std::strcmp(option, text.option) == 0)
      return text.help;
  return nullptr;
}
