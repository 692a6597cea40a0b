// Unit tests of korhost's run-scope options: shard values, the settings
// they leave for the command, and the report Bazel's XML_OUTPUT_FILE asks
// for.
#include "tests/unit/support/hostfixture.h"
#include "host/cli/runscopeoptions.h"
#include "KorBasicTypes/runscopesettings.h"
#include "host/services/scriptengine.h"
#include "host/services/settingsstore.h"
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>

namespace {
/// A subcommand with the report options and the run-scope options, and a
/// settings store; Bazel's variables are cleared around each test.
class RunScopeOptionsTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    settings_ = new HostSettingsStore;
    manager_->RegisterService("IDataStore", settings_);
    for (const char *name : kBazel)
      unsetenv(name);
    for (const char *name :
         {"--results_formatter", "--results_router", "--result_filename.txt"})
      app_.add_option(name, reports_.emplace_back());
    scope_.addTo(app_);
  }
  void TearDown() override {
    for (const char *name : kBazel)
      unsetenv(name);
    HostManagerTest::TearDown();
  }
  void parse(std::vector<std::string> args) {
    std::reverse(args.begin(), args.end());
    app_.parse(args);
  }
  std::string setting(const char *key) {
    const std::string *value = settings_->find(key);
    return value ? *value : "<none>";
  }
  static constexpr const char *kBazel[] = {
      "TEST_SHARD_INDEX", "TEST_TOTAL_SHARDS", "TEST_SHARD_STATUS_FILE",
      "XML_OUTPUT_FILE"};
  CLI::App app_;
  std::deque<std::string> reports_;
  RunScopeOptions scope_;
  HostSettingsStore *settings_ = nullptr;
};

std::u16string stringValue(HostScriptOptions &values, const char *name) {
  const KorWChar *text = nullptr;
  values.GetString(&text, name);
  return text ? text : u"";
}
} // namespace

TEST_F(RunScopeOptionsTest, TheOptionsBecomeTheRunScopesSettings) {
  settings_->set(kRunScopeTestNameKey, "From.File");
  parse({});
  EXPECT_TRUE(scope_.apply(stderr));
  EXPECT_EQ(setting(kRunScopeFilterKey), "<none>");
  EXPECT_EQ(setting(kRunScopeTestNameKey), "From.File");
  parse({"--filter", "A.*", "--filter", "", "--exclude", "A.b"});
  EXPECT_TRUE(scope_.apply(stderr));
  EXPECT_EQ(setting(kRunScopeFilterKey), "A.*\n\n");
  EXPECT_EQ(setting(kRunScopeExcludeKey), "A.b\n");
  KorRunScope scope;
  EXPECT_EQ(korReadRunScope(settings_, scope), "");
  EXPECT_EQ(scope.includePatterns, (std::vector<std::string>{"A.*", ""}));
  EXPECT_EQ(scope.excludedNames, std::vector<std::string>{"A.b"});
  EXPECT_EQ(scope.testName, "From.File");
}

TEST_F(RunScopeOptionsTest, OptionsWinOverBazelsVariables) {
  setenv("TEST_SHARD_INDEX", "0", 1);
  setenv("TEST_TOTAL_SHARDS", "2", 1);
  parse({"--shard-index", "4", "--shard-count", "5"});
  EXPECT_TRUE(scope_.apply(stderr));
  EXPECT_EQ(setting(kRunScopeShardIndexKey), "4");
  EXPECT_EQ(setting(kRunScopeShardCountKey), "5");
  EXPECT_EQ(setting(kRunScopeTestNameKey), "<none>");
}

TEST_F(RunScopeOptionsTest, BazelsVariablesShardAndTouchTheStatusFile) {
  std::string status = testing::TempDir() + "runscope_status";
  std::remove(status.c_str());
  setenv("TEST_SHARD_INDEX", "1", 1);
  setenv("TEST_TOTAL_SHARDS", "3", 1);
  setenv("TEST_SHARD_STATUS_FILE", status.c_str(), 1);
  parse({});
  EXPECT_TRUE(scope_.apply(stderr));
  EXPECT_EQ(setting(kRunScopeShardIndexKey), "1");
  EXPECT_EQ(setting(kRunScopeShardCountKey), "3");
  EXPECT_EQ(std::remove(status.c_str()), 0);
}

TEST_F(RunScopeOptionsTest, OneShardVariableAloneIsAUsageError) {
  setenv("TEST_TOTAL_SHARDS", "3", 1);
  parse({});
  EXPECT_FALSE(scope_.apply(stderr));
  EXPECT_EQ(setting(kRunScopeShardCountKey), "<none>");
}

TEST_F(RunScopeOptionsTest, XmlOutputFileTakesTheReportWithoutARouterOrFile) {
  struct Case {
    std::vector<std::string> args;
    const char16_t *formatter, *router, *file;
  };
  const Case cases[] = {
      {{},
       u"GenJUnitResultsFormatter",
       u"GenFileResultsRouter",
       u"/out/test.xml"},
      {{"--results_formatter", "GenXmlResultsFormatter"},
       u"",
       u"GenFileResultsRouter",
       u"/out/test.xml"},
      {{"--results_router", "GenStdStreamsResultsRouter"}, u"", u"", u""},
      {{"--result_filename.txt", "mine.xml"}, u"", u"", u""},
  };
  setenv("XML_OUTPUT_FILE", "/out/test.xml", 1);
  for (const Case &c : cases) {
    HostScriptOptions values;
    parse(c.args);
    scope_.applyReportDefault(values);
    EXPECT_EQ(stringValue(values, "results_formatter"), c.formatter);
    EXPECT_EQ(stringValue(values, "results_router"), c.router);
    EXPECT_EQ(stringValue(values, "result_filename.txt"), c.file);
  }
  unsetenv("XML_OUTPUT_FILE");
  HostScriptOptions values;
  parse({});
  scope_.applyReportDefault(values);
  EXPECT_EQ(stringValue(values, "results_router"), u"");
}

TEST_F(RunScopeOptionsTest, TimeoutIsAPositiveWholeNumberOfSeconds) {
  parse({});
  EXPECT_TRUE(scope_.apply(stderr));
  EXPECT_EQ(setting(kRunTimeoutKey), "<none>");
  parse({"--timeout", "30"});
  EXPECT_TRUE(scope_.apply(stderr));
  EXPECT_EQ(setting(kRunTimeoutKey), "30");
  for (const char *bad : {"0", "-1", "1.5", "ten", "2147483648", ""})
    EXPECT_THROW(parse({"--timeout", bad}), CLI::ValidationError) << bad;
}
