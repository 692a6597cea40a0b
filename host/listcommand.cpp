//===- listcommand.cpp - `korhost list`: every suite and test -------------===//
#include "listcommand.h"
#include "iptr.h"
#include "korcstring.h"
#include "test/model/ikortest.h"
#include "test/model/ikortestservice.h"
#include "test/model/ikortestsuite.h"
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {
/// One test as the listing shows it.
struct ListedTest {
  std::string name;
  std::string fullName;
  bool enabled;
  std::string disabledReason;
  std::string file;
  int line;
};

/// One suite and its tests in registration order.
struct ListedSuite {
  IKorTestSuite *suite;
  std::string name;
  std::vector<ListedTest> tests;
};

std::vector<ListedSuite> collectSuites(IKorTestService &service) {
  std::vector<ListedSuite> suites;
  KorArray<IKorTest *> tests;
  service.GetTests(tests);
  for (IKorTest *test : tests) {
    IKorTestSuite *suite = test->Suite();
    ListedSuite *entry = nullptr;
    for (ListedSuite &known : suites)
      if (known.suite == suite)
        entry = &known;
    if (!entry) {
      KorCString name;
      entry = &suites.emplace_back(
          ListedSuite{suite, suite ? suite->Name(name).c_str() : "", {}});
    }
    KorCString description;
    ListedTest listed;
    listed.name = test->Description(description).c_str();
    listed.fullName = entry->name + "." + listed.name;
    listed.enabled = test->Enabled();
    const char *reason = test->DisabledReason();
    listed.disabledReason = reason ? reason : "";
    const char *file = test->SourceFile();
    listed.file = file ? file : "";
    listed.line = test->DeclarationLine();
    entry->tests.push_back(std::move(listed));
  }
  return suites;
}

void printText(const std::vector<ListedSuite> &suites, FILE *out) {
  for (const ListedSuite &suite : suites) {
    std::fprintf(out, "%s (%zu tests)\n", suite.name.c_str(),
                 suite.tests.size());
    for (const ListedTest &test : suite.tests) {
      std::string state =
          test.enabled ? "enabled" : "disabled: " + test.disabledReason;
      std::fprintf(out, "  %s  [%s]  %s:%d\n", test.fullName.c_str(),
                   state.c_str(), test.file.c_str(), test.line);
    }
  }
}

void printJson(const std::vector<ListedSuite> &suites, FILE *out) {
  nlohmann::ordered_json document = nlohmann::ordered_json::array();
  for (const ListedSuite &suite : suites) {
    nlohmann::ordered_json tests = nlohmann::ordered_json::array();
    for (const ListedTest &test : suite.tests)
      tests.push_back({{"name", test.name},
                       {"fullName", test.fullName},
                       {"enabled", test.enabled},
                       {"disabledReason", test.disabledReason},
                       {"file", test.file},
                       {"line", test.line}});
    document.push_back({{"suite", suite.name}, {"tests", std::move(tests)}});
  }
  std::string text = document.dump(2);
  std::fprintf(out, "%s\n", text.c_str());
}
} // namespace

CLI::App *addListSubcommand(CLI::App &cli, ListOptions &options) {
  CLI::App *list = cli.add_subcommand(
      "list", "list every suite and test of the loaded test components");
  list->add_flag("--json", options.json, "print one JSON document");
  return list;
}

int runListCommand(const ListOptions &options, FILE *out, FILE *errors) {
  SPtr<IKorTestService> service;
  if (!service) {
    std::fprintf(errors, "korhost: no component offers a test service\n");
    return 1;
  }
  service->LoadTestComponents();
  std::vector<ListedSuite> suites = collectSuites(*service);
  if (options.json)
    printJson(suites, out);
  else
    printText(suites, out);
  return 0;
}
