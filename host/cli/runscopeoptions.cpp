//===- runscopeoptions.cpp - korhost options that narrow a test run -------===//
#include "host/cli/runscopeoptions.h"
#include "host/services/hostutf.h"
#include "component/iptr.h"
#include "KorBasicTypes/korcstring.h"
#include "host/cli/int32text.h"
#include "host/services/scriptengine.h"
#include "host/services/settingsstore.h"
#include "KorBasicTypes/runscopesettings.h"
#include "KorBasicTypes/shardchoice.h"
#include "frame/ikortest.h"
#include "frame/ikortestservice.h"
#include "frame/ikortestsuite.h"
#include <CLI/CLI.hpp>
#include <cstdlib>

namespace {
/// The environment variable's value, or an empty text when it is unset.
std::string environment(const char *name, bool &set) {
  const char *value = std::getenv(name);
  set = value != nullptr;
  return value ? value : "";
}

/// The host's settings store as its concrete class, or null.
HostSettingsStore *hostSettings() {
  SPtr<IDataStore> store;
  void *settings = nullptr;
  if (store)
    store->QueryInterface(HostSettingsStore::kClassName, &settings, 0);
  return static_cast<HostSettingsStore *>(settings);
}

/// Creates `path` when it does not exist, leaving its contents.
bool touch(const char *path) {
  FILE *file = std::fopen(path, "a");
  if (!file)
    return false;
  std::fclose(file);
  return true;
}

/// Accepts a whole positive decimal 32-bit number of seconds.
const CLI::Validator kSecondsCheck(
    [](std::string &text) {
      int32_t seconds = 0;
      return parseInt32(text, seconds) && seconds > 0
                 ? std::string()
                 : "not a positive whole number of seconds: " + text;
    },
    "");

} // namespace

void RunScopeOptions::addTo(CLI::App &app) {
  app_ = &app;
  app.add_option("--filter", filters_,
                 "run only tests whose full name (Suite.Test) matches "
                 "this pattern (*, ?, [a-z]); repeatable")
      ->allow_extra_args(false);
  app.add_option("--exclude", excludes_,
                 "never run the test of this full name; repeatable")
      ->allow_extra_args(false);
  testOption_ = app.add_option("--test", testName_,
                               "run only the test of this exact full name "
                               "(Suite.Test); no character is a wildcard")
                    ->type_name("NAME");
  indexOption_ =
      app.add_option("--shard-index", shardIndex_,
                     "run only shard I (0-based) of --shard-count: test i "
                     "of the run goes to shard i mod N (default: "
                     "TEST_SHARD_INDEX)")
          ->type_name("I");
  countOption_ = app.add_option("--shard-count", shardCount_,
                                "number of shards (default: TEST_TOTAL_SHARDS)")
                     ->type_name("N");
  app.add_option("--timeout", timeout_,
                 "stop a test whose body runs longer than SECONDS: it fails "
                 "and the run goes on (default: [Test Run] Timeout of the "
                 "settings file, else no limit)")
      ->check(kSecondsCheck)
      ->type_name("SECONDS");
}

bool RunScopeOptions::chooseShard(std::string &index, std::string &count,
                                  FILE *errors) const {
  bool byIndex = indexOption_->count() > 0;
  bool byCount = countOption_->count() > 0;
  std::string indexName = "--shard-index";
  std::string countName = "--shard-count";
  index = shardIndex_;
  count = shardCount_;
  if (!byIndex && !byCount) {
    bool indexSet = false;
    bool countSet = false;
    index = environment("TEST_SHARD_INDEX", indexSet);
    count = environment("TEST_TOTAL_SHARDS", countSet);
    if (!indexSet && !countSet)
      return true;
    byIndex = indexSet;
    byCount = countSet;
    indexName = "TEST_SHARD_INDEX";
    countName = "TEST_TOTAL_SHARDS";
  }
  int32_t indexValue = 0, countValue = 0;
  std::string problem =
      byIndex != byCount
          ? indexName + " and " + countName + " must be given together"
          : korCheckShard(index, count, indexName, countName, indexValue,
                          countValue);
  if (problem.empty())
    return true;
  std::fprintf(errors, "korhost: %s\n", problem.c_str());
  return false;
}

bool RunScopeOptions::testExists(const std::string &fullName) {
  SPtr<IKorTestService> service;
  if (!service)
    return false;
  service->LoadTestComponents();
  KorArray<IKorTest *> tests;
  service->GetTests(tests);
  for (IKorTest *test : tests) {
    KorCString suiteName;
    if (IKorTestSuite *suite = test->Suite())
      suite->Name(suiteName);
    KorCString description;
    test->Description(description);
    if (fullName == std::string(suiteName.c_str()) + "." + description.c_str())
      return true;
  }
  return false;
}

bool RunScopeOptions::apply(FILE *errors) {
  if (!app_)
    return true;
  std::string index;
  std::string count;
  if (!chooseShard(index, count, errors))
    return false;
  bool byName = testOption_->count() > 0;
  if (byName && !testExists(testName_)) {
    std::fprintf(errors, "korhost: no test is named \"%s\"\n",
                 testName_.c_str());
    return false;
  }
  if (HostSettingsStore *settings = hostSettings()) {
    if (!filters_.empty())
      settings->set(kRunScopeFilterKey, korJoinSettingList(filters_));
    if (!excludes_.empty())
      settings->set(kRunScopeExcludeKey, korJoinSettingList(excludes_));
    if (byName)
      settings->set(kRunScopeTestNameKey, testName_);
    if (!count.empty()) {
      settings->set(kRunScopeShardIndexKey, index);
      settings->set(kRunScopeShardCountKey, count);
    }
    if (!timeout_.empty())
      settings->set(kRunTimeoutKey, timeout_);
  }
  bool statusSet = false;
  std::string status = environment("TEST_SHARD_STATUS_FILE", statusSet);
  if (statusSet && !status.empty() && !touch(status.c_str()))
    std::fprintf(errors, "korhost: cannot create TEST_SHARD_STATUS_FILE %s\n",
                 status.c_str());
  return true;
}

void RunScopeOptions::applyReportDefault(HostScriptOptions &values) const {
  bool set = false;
  std::string file = environment("XML_OUTPUT_FILE", set);
  if (!app_ || file.empty())
    return;
  const CLI::Option *formatter =
      app_->get_option_no_throw("--results_formatter");
  const CLI::Option *router = app_->get_option_no_throw("--results_router");
  const CLI::Option *fileName =
      app_->get_option_no_throw("--result_filename.txt");
  if (!formatter || !router || !fileName || router->count() > 0 ||
      fileName->count() > 0)
    return;
  if (formatter->count() == 0)
    values.SetString("results_formatter", u"GenJUnitResultsFormatter");
  values.SetString("results_router", u"GenFileResultsRouter");
  values.SetString("result_filename.txt", hostToUtf16(file).c_str());
}
