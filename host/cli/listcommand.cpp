//===- listcommand.cpp - `korhost list`: every suite and test -------------===//
#include "host/cli/listcommand.h"
#include "component/iptr.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/ikortest.h"
#include "frame/ikortestservice.h"
#include "frame/ikortestsuite.h"
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <charconv>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {
/// One test as the JSON listing shows it.
struct ListedTest {
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

/// The tests of each suite, suites in the order their first test was
/// registered.
std::vector<std::vector<IKorTest *>>
groupBySuite(const KorArray<IKorTest *> &tests) {
  std::vector<std::vector<IKorTest *>> suites;
  std::unordered_map<IKorTestSuite *, size_t> indexOf;
  for (IKorTest *test : tests) {
    auto [at, added] = indexOf.try_emplace(test->Suite(), suites.size());
    if (added)
      suites.emplace_back();
    suites[at->second].push_back(test);
  }
  return suites;
}

/// Text written to a stdio stream in large pieces.
class ListingBuffer {
public:
  explicit ListingBuffer(FILE *out) : out_(out) { text_.reserve(kFlushAt); }
  ~ListingBuffer() { flush(); }
  ListingBuffer &operator<<(std::string_view piece) {
    text_.append(piece);
    if (text_.size() >= kFlushAt)
      flush();
    return *this;
  }
  ListingBuffer &operator<<(long number) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return *this << std::string_view(digits, size_t(end - digits));
  }

private:
  static constexpr size_t kFlushAt = 1 << 16;
  void flush() {
    std::fwrite(text_.data(), 1, text_.size(), out_);
    text_.clear();
  }
  FILE *out_;
  std::string text_;
};

std::string_view orEmpty(const char *text) { return text ? text : ""; }

void printText(IKorTestService &service, FILE *out) {
  KorArray<IKorTest *> tests;
  service.GetTests(tests);
  ListingBuffer listing(out);
  KorCString suiteName, description;
  for (const std::vector<IKorTest *> &suite : groupBySuite(tests)) {
    suiteName = "";
    if (IKorTestSuite *object = suite.front()->Suite())
      object->Name(suiteName);
    listing << suiteName.c_str() << " (" << long(suite.size()) << " tests)\n";
    for (IKorTest *test : suite) {
      description = "";
      listing << "  " << suiteName.c_str() << "."
              << test->Description(description).c_str() << "  [";
      if (test->Enabled())
        listing << "enabled";
      else
        listing << "disabled: " << orEmpty(test->DisabledReason());
      listing << "]  " << orEmpty(test->SourceFile()) << ":"
              << long(test->DeclarationLine()) << "\n";
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
  if (options.json || options.format == "json")
    printJson(collectTests(*service), out);
  else
    printText(*service, out);
  return 0;
}
