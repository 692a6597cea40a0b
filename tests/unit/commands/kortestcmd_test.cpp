// Unit tests of the kortest command against korhost's real services: what
// no scripted run shows (tests/e2e/kortest_*.sh run the built-in suites by
// name, with each report, the exit statuses, the option help and the run
// status a selection leaves): availability, the default seed, the choices
// it stores and the time limit setting.
#include "commands/kortestcmd.h"
#include "component/ikorcommandcontext.h"
#include "component/iscriptfactory.h"
#include "frame/ikortestresults.h"
#include "frame/kortestdecl.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/hostservicesfixture.h"
#include "testservice/gentestservice.h"
#include <cstdlib>

namespace {
int gRuns = 0;
int gFirstRandom = 0;

class CmdSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(CmdSuite, "Cmd Suite")
  KOR_TEST(FirstTest, "First", "CMD") {
    ++gRuns;
    gFirstRandom = std::rand();
  }
  KOR_TEST(FailTest, "Fail", "CMD") { TEST_FAIL("expected to fail"); }
  KOR_TEST_DISABLED(OffTest, "Off", "CMD", "switched off") { ++gRuns; }
};

class Context : public IKorCommandContext {
public:
  KOR_CLASS(Context, IKorCommandContext)
  bool GetFlag(const char *name) override {
    return inCommand && std::string(name) == "inCommand";
  }
  IKorModelContainer *ModelContainer() override { return nullptr; }
  bool inCommand = false;
};

/// Every korhost service, a settings store naming the data directory, and
/// a test service holding the suite above.
class KortestCmdTest : public HostServicesTest {
protected:
  void SetUp() override {
    setUpServices("kortestcmd_test", service_);
    CmdSuite &suite = korCreateSuite<CmdSuite>();
    for (int i = 1; i <= suite.TestCount(); ++i)
      service_->AddTest(suite.TestAt(i));
    gRuns = 0;
    command_ = IPtr<KortestCmd>(new KortestCmd);
  }
  void TearDown() override {
    command_.reset();
    HostServicesTest::TearDown();
  }
  /// Runs the script with the native XML report on the debugger output.
  void execute() {
    IPtr<IScript> script(command_->Describe());
    IScriptOptions *values = script->Options();
    values->SetString("results_formatter", u"GenXmlResultsFormatter");
    values->SetString("results_router", u"GenDebugStreamResultsRouter");
    EXPECT_TRUE(command_->Execute(values));
  }

  GenTestService *service_ = new GenTestService;
  IPtr<KortestCmd> command_;
};
} // namespace

TEST(KortestCmdPath, JoinsTheDataDirectoryWithTheFileName) {
  const std::pair<const char16_t *, const char16_t *> cases[] = {
      {u"/srv/out", u"/srv/out/f.txt"},
      {u"C:\\data\\", u"C:/data/f.txt"},
      {u"", u"f.txt"}};
  for (auto [directory, path] : cases)
    EXPECT_EQ(korJoinOutputPath(KorString(directory), "f.txt").view(), path);
}

TEST_F(KortestCmdTest, AvailableUnlessACommandIsRunningAndNeedsAFactory) {
  IPtr<Context> context(new Context);
  EXPECT_TRUE(command_->IsAvailable(context.get()));
  context->inCommand = true;
  EXPECT_FALSE(command_->IsAvailable(context.get()));
  EXPECT_EQ(command_->OptionHelp("run_programmer_tests", "filter"), nullptr);
  EXPECT_EQ(command_->OptionHelp("run_fake", "suite_name"), nullptr);
  manager_->releaseServices();
  EXPECT_EQ(command_->Describe(), nullptr) << "no script factory";
}

TEST_F(KortestCmdTest, DefaultsRunEveryTestSeededWithAllBitsSet) {
  execute();
  EXPECT_EQ(gRuns, 1); // the disabled test does not run
  std::srand(4294967295u);
  EXPECT_EQ(gFirstRandom, std::rand());
  EXPECT_EQ(command_->seed(), 4294967295u);
  EXPECT_EQ(command_->lastResults()->GetCount(), 3);
  EXPECT_TRUE(errors_->reports.empty());
}

TEST_F(KortestCmdTest, StoreWritesTheCurrentChoices) {
  command_->setSeed(99);
  IPtr<IScript> script(command_->Describe());
  IScriptOptions *values = script->Options();
  values->SetString("suite_name", u"Cmd Suite");
  ASSERT_TRUE(command_->Store(values));
  const std::pair<const char *, std::u16string> texts[] = {
      {"suite_name", u""},
      {"results_formatter", u"GenVisualStudioResultsFormatter"},
      {"results_router", u"GenDebugStreamResultsRouter"},
      {"result_filename.txt",
       std::u16string(command_->outputFileName().view())}};
  for (const auto &[name, text] : texts) {
    const KorWChar *value = nullptr;
    values->GetString(&value, name);
    EXPECT_EQ(value, text) << name;
  }
  EXPECT_EQ(values->GetInteger("random_seed"), 99);
  EXPECT_FALSE(values->GetBool("randomize"));
}

// A good limit from the settings is run by tests/e2e/kortest_faults.sh.
TEST_F(KortestCmdTest, AWrongTimeoutSettingIsReportedAndRunsWithoutALimit) {
  void *found = nullptr;
  manager_->LookupService("IDataStore", &found);
  IPtr<HostSettingsStore>(static_cast<IDataStore *>(found))
      ->set("Test Run/Timeout", "seven");
  execute();
  EXPECT_EQ(service_->timeLimit(), 0);
  ASSERT_EQ(errors_->reports.size(), 1u);
  EXPECT_EQ(errors_->reports[0].message,
            u"Tests run without a time limit: \"Test Run/Timeout\" is not a "
            u"number of seconds: \"seven\".");
}
