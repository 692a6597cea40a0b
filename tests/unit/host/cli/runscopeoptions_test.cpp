// Unit tests of korhost's run-scope options where kortest_shards.sh does
// not reach: one Bazel shard variable alone, and a report the command line
// routes itself although XML_OUTPUT_FILE is set.
#include "host/cli/runscopeoptions.h"
#include "KorBasicTypes/runscopesettings.h"
#include "host/services/scriptengine.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/hostfixture.h"
#include <CLI/CLI.hpp>
#include <algorithm>
#include <deque>

namespace {
class RunScopeOptionsTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    manager_->RegisterService("IDataStore", settings_);
    for (const char *name :
         {"--results_formatter", "--results_router", "--result_filename.txt"})
      app_.add_option(name, reports_.emplace_back());
    scope_.addTo(app_);
    for (const char *name : {"TEST_SHARD_INDEX", "TEST_TOTAL_SHARDS",
                             "TEST_SHARD_STATUS_FILE", "XML_OUTPUT_FILE"})
      environment_.set(name, std::nullopt);
  }
  /// Parses `args` (in order) and applies them; false on a usage error.
  bool apply(std::vector<std::string> args) {
    std::reverse(args.begin(), args.end());
    app_.parse(args);
    return scope_.apply(stderr);
  }
  std::string setting(const char *key) {
    const std::string *value = settings_->find(key);
    return value ? *value : "<none>";
  }
  ScopedEnvironment environment_;
  HostSettingsStore *settings_ = new HostSettingsStore;
  CLI::App app_;
  std::deque<std::string> reports_;
  RunScopeOptions scope_;
};
} // namespace

TEST_F(RunScopeOptionsTest, OneShardVariableAloneIsAUsageError) {
  environment_.set("TEST_TOTAL_SHARDS", "3");
  EXPECT_FALSE(apply({}));
  EXPECT_EQ(setting(kRunScopeShardCountKey), "<none>");
  environment_.set("TEST_SHARD_INDEX", "1");
  EXPECT_TRUE(apply({}));
  EXPECT_EQ(setting(kRunScopeShardCountKey), "3");
}

TEST_F(RunScopeOptionsTest, XmlOutputFileTakesTheReportOnlyWhenUnrouted) {
  environment_.set("XML_OUTPUT_FILE", "/out/test.xml");
  for (const char *router : {"", "GenStdStreamsResultsRouter"}) {
    HostScriptOptions values;
    app_.parse(*router ? std::vector<std::string>{router, "--results_router"}
                       : std::vector<std::string>{});
    scope_.applyReportDefault(values);
    const KorWChar *file = nullptr;
    values.GetString(&file, "result_filename.txt");
    EXPECT_EQ(std::u16string(file ? file : u""),
              *router ? u"" : u"/out/test.xml")
        << router;
  }
}
