//===- listcommand.cpp - `korhost list`: every suite and test -------------===//
#include "host/cli/listcommand.h"
#include "component/iptr.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/ikortest.h"
#include "frame/ikortestservice.h"
#include "frame/ikortestsuite.h"
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {
/// One test as the listing shows it.
struct ListedTest {
  IKorTestSuite *suiteObject;
  std::string suite;
  std::string name;
  std::string fullName;
  bool enabled;
  std::string disabledReason;
  std::string file;
  int line;
  int testNumber;
};

/// Every registered test in registration order.
std::vector<ListedTest> collectTests(IKorTestService &service) {
  std::vector<ListedTest> listed;
  KorArray<IKorTest *> tests;
  service.GetTests(tests);
  for (IKorTest *test : tests) {
    IKorTestSuite *suite = test->Suite();
    KorCString suiteName;
    if (suite)
      suite->Name(suiteName);
    KorCString description;
    ListedTest &entry = listed.emplace_back();
    entry.suiteObject = suite;
    entry.suite = suiteName.c_str();
    entry.name = test->Description(description).c_str();
    entry.fullName = entry.suite + "." + entry.name;
    entry.enabled = test->Enabled();
    const char *reason = test->DisabledReason();
    entry.disabledReason = reason ? reason : "";
    const char *file = test->SourceFile();
    entry.file = file ? file : "";
    entry.line = test->DeclarationLine();
    entry.testNumber = test->TestNumber();
  }
  return listed;
}

/// One suite and its tests in registration order.
struct ListedSuite {
  IKorTestSuite *suite;
  std::string name;
  std::vector<const ListedTest *> tests;
};

/// The suites in the order their first test was registered.
std::vector<ListedSuite> groupBySuite(const std::vector<ListedTest> &tests) {
  std::vector<ListedSuite> suites;
  for (const ListedTest &test : tests) {
    ListedSuite *entry = nullptr;
    for (ListedSuite &known : suites)
      if (known.suite == test.suiteObject)
        entry = &known;
    if (!entry)
      entry =
          &suites.emplace_back(ListedSuite{test.suiteObject, test.suite, {}});
    entry->tests.push_back(&test);
  }
  return suites;
}

void printText(const std::vector<ListedTest> &tests, FILE *out) {
  for (const ListedSuite &suite : groupBySuite(tests)) {
    std::fprintf(out, "%s (%zu tests)\n", suite.name.c_str(),
                 suite.tests.size());
    for (const ListedTest *test : suite.tests) {
      std::string state =
          test->enabled ? "enabled" : "disabled: " + test->disabledReason;
      std::fprintf(out, "  %s  [%s]  %s:%d\n", test->fullName.c_str(),
                   state.c_str(), test->file.c_str(), test->line);
    }
  }
}

void printJson(const std::vector<ListedTest> &tests, FILE *out) {
  nlohmann::ordered_json document = nlohmann::ordered_json::array();
  for (const ListedTest &test : tests)
    document.push_back({{"suite", test.suite},
                        {"description", test.name},
                        {"fullName", test.fullName},
                        {"enabled", test.enabled},
                        {"disabledReason", test.disabledReason},
                        {"file", test.file},
                        {"line", test.line},
                        {"testNumber", test.testNumber}});
  // A name that is not valid UTF-8 is listed with U+FFFD, not refused.
  std::string text =
      document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  std::fprintf(out, "%s\n", text.c_str());
}
} // namespace

CLI::App *addListSubcommand(CLI::App &cli, ListOptions &options) {
  CLI::App *list = cli.add_subcommand(
      "list", "list every suite and test of the loaded test components");
  list->add_option("--format", options.format,
                   "text for people, json for machines: one array with an "
                   "object per test")
      ->check(CLI::IsMember({"text", "json"}));
  list->add_flag("--json", options.json, "the same as --format json");
  return list;
}

int runListCommand(const ListOptions &options, FILE *out, FILE *errors) {
  SPtr<IKorTestService> service;
  if (!service) {
    std::fprintf(errors, "korhost: no component offers a test service\n");
    return 1;
  }
  service->LoadTestComponents();
  std::vector<ListedTest> tests = collectTests(*service);
  if (options.json || options.format == "json")
    printJson(tests, out);
  else
    printText(tests, out);
  return 0;
}
