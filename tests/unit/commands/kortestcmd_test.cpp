// Unit tests of the kortest command against korhost's real services: the
// script, suite selection, seeding, formatter and router choice, reports,
// the published counts and run status, and the time limit setting.
#include "commands/kortestcmd.h"
#include "testservice/suitegroups.h"
#include "host/gui/filenamewidget.h"
#include "host/gui/headlessgui.h"
#include "tests/unit/support/hostservicesfixture.h"
#include "component/ikorcommandcontext.h"
#include "frame/ikortestresults.h"
#include "frame/ikorteststatus.h"
#include "frame/koritemfactory.h"
#include "frame/kortestdecl.h"
#include "host/services/queryserver.h"
#include "results/genfileresultsrouter.h"
#include "results/gentestresults.h"
#include "results/ikortestresultsformatter.h"
#include "results/ikortestresultsrouter.h"
#include "host/services/scriptengine.h"
#include "host/services/settingsstore.h"
#include "testservice/gentestservice.h"
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
std::vector<std::string> gRan;
int gFirstRandom = 0;

class CmdAlphaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(CmdAlphaSuite, "Cmd Alpha Suite")
  KOR_TEST(FirstTest, "First", "CMD") {
    gRan.push_back("Alpha.First");
    gFirstRandom = std::rand();
  }
  KOR_TEST(SecondTest, "Second", "CMD") { gRan.push_back("Alpha.Second"); }
};

class CmdBetaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(CmdBetaSuite, "Cmd Beta Suite")
  KOR_TEST(PassTest, "Pass", "CMD") { gRan.push_back("Beta.Pass"); }
  KOR_TEST(FailTest, "Fail", "CMD") {
    gRan.push_back("Beta.Fail");
    TEST_FAIL("expected to fail");
  }
  KOR_TEST(AbortTest, "Abort", "CMD") {
    gRan.push_back("Beta.Abort");
    TEST_ABORT("gave up");
  }
  KOR_TEST_DISABLED(OffTest, "Off", "CMD", "switched off") {
    gRan.push_back("Beta.Off");
  }
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

std::string readFile(const std::string &path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

/// Every korhost service, a settings store naming the data directory, and
/// a test service holding the two suites above (Alpha's tests registered
/// in reverse order).
class KortestCmdTest : public HostServicesTest {
protected:
  void SetUp() override {
    service_ = new GenTestService;
    setUpServices("kortestcmd_test", service_);
    CmdAlphaSuite &alpha = korCreateSuite<CmdAlphaSuite>();
    CmdBetaSuite &beta = korCreateSuite<CmdBetaSuite>();
    service_->AddTest(alpha.TestAt(2));
    service_->AddTest(alpha.TestAt(1));
    for (int i = 1; i <= beta.TestCount(); ++i)
      service_->AddTest(beta.TestAt(i));
    gRan.clear();
    command_ = IPtr<KortestCmd>(new KortestCmd);
  }
  void TearDown() override {
    command_.reset();
    HostServicesTest::TearDown();
  }
  /// Describes the script, applies `set` to its values and executes it.
  template <class F> void execute(F set) {
    IPtr<IScript> script(command_->Describe());
    ASSERT_TRUE(script);
    set(script->Options());
    EXPECT_TRUE(command_->Execute(script->Options()));
  }
  /// Sets a key of the host settings store.
  void setting(const std::string &key, const std::string &value) {
    void *found = nullptr;
    manager_->LookupService("IDataStore", &found);
    IPtr<HostSettingsStore> settings(static_cast<IDataStore *>(found));
    settings->set(key, value);
  }
  std::vector<int32_t> published(const char *name) {
    void *found = nullptr;
    manager_->LookupService("IKorQueryServer", &found);
    IPtr<HostQueryServer> server(static_cast<IKorQueryServer *>(found));
    return server->record(name).value_or(std::vector<int32_t>{});
  }

  GenTestService *service_ = nullptr;
  IPtr<KortestCmd> command_;
};
} // namespace

TEST_F(KortestCmdTest, ConstructionChoosesListsFileNameFilterAndTitle) {
  ASSERT_EQ(command_->formatterCount(), 3u);
  EXPECT_STREQ(command_->formatter(0)->ClassName(),
               "GenVisualStudioResultsFormatter");
  EXPECT_STREQ(command_->formatter(1)->ClassName(), "GenXmlResultsFormatter");
  EXPECT_STREQ(command_->formatter(2)->ClassName(), "GenJUnitResultsFormatter");
  const char *routers[] = {
      "GenDebugStreamResultsRouter", "GenStdStreamsResultsRouter",
      "GenLogServiceResultsRouter", "GenFileResultsRouter"};
  ASSERT_EQ(command_->routerCount(), 4u);
  for (int i = 0; i < 4; ++i)
    EXPECT_STREQ(command_->router(i)->ClassName(), routers[i]);
  EXPECT_EQ(std::string(command_->outputFileName().utf8()),
            dir_.string() + "/data/test_results.txt");
  EXPECT_EQ(command_->Title().view(), u"Run Programmer Tests");
  EXPECT_EQ(command_->Kind(), 3u);
  IFileNameWidgetV2 *widget = command_->fileNameWidget();
  ASSERT_NE(widget, nullptr);
  IPtr<HostFileNameWidget> field(widget);
  EXPECT_EQ(field->filter(), u"All Files (*.*)");
}

TEST(KortestCmdPath, JoinsTheDataDirectoryWithTheFileName) {
  EXPECT_EQ(korJoinOutputPath(KorString(u"/srv/out"), "f.txt").view(),
            u"/srv/out/f.txt");
  EXPECT_EQ(korJoinOutputPath(KorString(u"C:\\data\\"), "f.txt").view(),
            u"C:/data/f.txt");
  EXPECT_EQ(korJoinOutputPath(KorString(u""), "f.txt").view(), u"f.txt");
}

TEST_F(KortestCmdTest, AnswersItsNamesAndIsCreatedByItsClassId) {
  for (const char *name : {"KortestCmd", "IKorUnknown", "IScriptable",
                           "IKorScriptHelp", "CompBaseCmd",
                           "IComponentCommand"}) {
    void *result = nullptr;
    command_->QueryInterface(name, &result);
    EXPECT_NE(result, nullptr) << name;
  }
  IKorUnknown *created = nullptr;
  ASSERT_EQ(KorDefaultClassFactory::instance().Create(
                korGuid(0x7AB8B9BC, 0x34E3, 0x46EB, 0x93, 0xC0, 0xE9, 0x00,
                        0x89, 0xC7, 0x22, 0x90),
                &created),
            1);
  IPtr<IKorUnknown> holder(created);
  EXPECT_STREQ(created->ClassName(), "KortestCmd");
}

TEST_F(KortestCmdTest, AvailableUnlessACommandIsRunning) {
  IPtr<Context> context(new Context);
  EXPECT_TRUE(command_->IsAvailable(context.get()));
  context->inCommand = true;
  EXPECT_FALSE(command_->IsAvailable(context.get()));
}

TEST_F(KortestCmdTest, DescribesEightOptionsInOrderWithDefaults) {
  IPtr<IScript> script(command_->Describe());
  IPtr<HostScript> host(script.get());
  ASSERT_TRUE(host);
  EXPECT_EQ(host->name(), "run_programmer_tests");
  const char *expected[][3] = {
      {"suite_name", "string", ""},      {"break_on_fail", "bool", "false"},
      {"check_memory", "bool", "false"}, {"results_formatter", "string", ""},
      {"results_router", "string", ""},  {"result_filename.txt", "string", ""},
      {"randomize", "bool", "false"},    {"random_seed", "integer", "-1"}};
  const auto &options = host->options().options();
  ASSERT_EQ(options.size(), 8u);
  const char *types[] = {"bool", "integer", "string"};
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(options[i].name, expected[i][0]);
    EXPECT_STREQ(types[static_cast<int>(options[i].type())], expected[i][1]);
    EXPECT_EQ(scriptValueText(options[i].defaultValue), expected[i][2]);
  }
}

TEST_F(KortestCmdTest, HelpExplainsEveryDeclaredOptionOfItsScriptOnly) {
  IPtr<IKorScriptHelp> help(command_.get());
  ASSERT_TRUE(help);
  IPtr<IScript> script(command_->Describe());
  for (const ScriptOption &option :
       IPtr<HostScript>(script.get())->options().options())
    EXPECT_NE(help->OptionHelp("run_programmer_tests", option.name.c_str()),
              nullptr)
        << option.name;
  EXPECT_EQ(help->OptionHelp("run_programmer_tests", "filter"), nullptr);
  EXPECT_EQ(help->OptionHelp("run_fake", "suite_name"), nullptr);
  EXPECT_EQ(help->OptionHelp(nullptr, nullptr), nullptr);
}

TEST_F(KortestCmdTest, WithoutAScriptFactoryThereIsNoScript) {
  manager_->releaseServices();
  EXPECT_EQ(command_->Describe(), nullptr);
}

TEST_F(KortestCmdTest, DefaultsRunEveryTestSeededWithAllBitsSet) {
  execute([](IScriptOptions *values) {
    values->SetString("results_formatter", u"GenVisualStudioResultsFormatter");
    values->SetString("results_router", u"GenDebugStreamResultsRouter");
  });
  EXPECT_EQ(gRan.size(), 5u); // the disabled test does not run
  std::srand(4294967295u);
  EXPECT_EQ(gFirstRandom, std::rand());
  EXPECT_EQ(command_->seed(), 4294967295u);
  ASSERT_NE(command_->lastResults(), nullptr);
  EXPECT_EQ(command_->lastResults()->GetCount(), 6);
  EXPECT_EQ(published("Programmer Tests Results"),
            (std::vector<int32_t>{3, 1, 0}));
  EXPECT_EQ(published("Programmer Tests Aborted"), (std::vector<int32_t>{1}));
  EXPECT_TRUE(errors_->reports.empty());
}

TEST_F(KortestCmdTest, ASuiteNameRunsThatSuiteInItsOwnOrder) {
  execute([](IScriptOptions *values) {
    values->SetString("suite_name", u"Cmd Alpha Suite");
    values->SetString("results_formatter", u"GenXmlResultsFormatter");
    values->SetString("results_router", u"GenDebugStreamResultsRouter");
  });
  EXPECT_EQ(gRan, (std::vector<std::string>{"Alpha.First", "Alpha.Second"}));
  EXPECT_EQ(published("Programmer Tests Results"),
            (std::vector<int32_t>{2, 0, 0}));
}

TEST_F(KortestCmdTest, AClassNameIsNoSuiteNameAndRunsNothingButStillReports) {
  std::string file = dir_.string() + "/none.xml";
  execute([&](IScriptOptions *values) {
    values->SetString("suite_name", u"CmdAlphaSuite");
    values->SetString("results_formatter", u"GenXmlResultsFormatter");
    values->SetString("results_router", u"GenFileResultsRouter");
    values->SetString("result_filename.txt",
                      KorString::fromUtf8(file.c_str()).data());
  });
  EXPECT_TRUE(gRan.empty());
  EXPECT_EQ(command_->lastResults()->GetCount(), 0);
  EXPECT_NE(readFile(file).find("<korTestResults"), std::string::npos);
  EXPECT_EQ(published("Programmer Tests Results"),
            (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(KortestCmdTest, UnknownFormatterOrRouterIsReportedAndSkipped) {
  execute([](IScriptOptions *values) {
    values->SetString("suite_name", u"Cmd Alpha Suite");
    values->SetString("results_formatter", u"NoSuchFormatter");
  });
  ASSERT_EQ(errors_->reports.size(), 1u);
  EXPECT_NE(errors_->reports[0].message.find(u"\"NoSuchFormatter\""),
            std::u16string::npos);
  EXPECT_EQ(errors_->reports[0].severity, 1);
  EXPECT_EQ(published("Programmer Tests Results"),
            (std::vector<int32_t>{2, 0, 0}));

  errors_->reports.clear();
  execute([](IScriptOptions *values) {
    values->SetString("suite_name", u"Cmd Alpha Suite");
    values->SetString("results_formatter", u"GenXmlResultsFormatter");
  });
  ASSERT_EQ(errors_->reports.size(), 1u);
  EXPECT_NE(errors_->reports[0].message.find(u"router"), std::u16string::npos);
}

TEST_F(KortestCmdTest, RandomizeKeepsTheTickCountThatSeededTheLastTest) {
  auto tick = [] {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
  };
  uint32_t before = tick();
  execute([](IScriptOptions *values) {
    values->SetString("suite_name", u"Cmd Alpha Suite");
    values->SetBool("randomize", true);
    values->SetInteger("random_seed", 7);
  });
  uint32_t after = tick();
  EXPECT_GE(command_->seed(), before);
  EXPECT_LE(command_->seed(), after);
}

TEST_F(KortestCmdTest, ASecondRunReplacesTheLastResults) {
  auto run = [this] {
    execute([](IScriptOptions *values) {
      values->SetString("suite_name", u"Cmd Alpha Suite");
    });
  };
  run();
  IPtr<IKorTestResults> first(command_->lastResults());
  run();
  EXPECT_NE(command_->lastResults(), first.get());
  EXPECT_EQ(first->RefCount(), 1u); // only this test holds the first run
}

TEST_F(KortestCmdTest, StoreWritesTheCurrentChoices) {
  command_->setSeed(99);
  IPtr<IScript> script(command_->Describe());
  IScriptOptions *values = script->Options();
  values->SetString("suite_name", u"Cmd Alpha Suite");
  ASSERT_TRUE(command_->Store(values));
  const KorWChar *text = nullptr;
  values->GetString(&text, "suite_name");
  EXPECT_EQ(std::u16string(text), u"");
  values->GetString(&text, "results_formatter");
  EXPECT_EQ(std::u16string(text), u"GenVisualStudioResultsFormatter");
  values->GetString(&text, "results_router");
  EXPECT_EQ(std::u16string(text), u"GenDebugStreamResultsRouter");
  values->GetString(&text, "result_filename.txt");
  EXPECT_EQ(std::u16string(text), command_->outputFileName().view());
  EXPECT_EQ(values->GetInteger("random_seed"), 99);
  EXPECT_FALSE(values->GetBool("randomize"));
}

TEST_F(KortestCmdTest, AnEmptyFileNameReportsToTheDataDirectoryFile) {
  execute([](IScriptOptions *values) {
    values->SetString("suite_name", u"Cmd Alpha Suite");
    values->SetString("results_formatter", u"GenJUnitResultsFormatter");
    values->SetString("results_router", u"GenFileResultsRouter");
  });
  std::string report = readFile(dir_.string() + "/data/test_results.txt");
  EXPECT_NE(report.find("<testsuites"), std::string::npos);
}

TEST_F(KortestCmdTest, SuitesAreGroupedInTheOrderTheRunVisitsThem) {
  KorArray<IKorTest *> tests;
  service_->GetTests(tests);
  IPtr<IKorTestResults> results(
      static_cast<IKorTestResults *>(new GenTestResults));
  service_->RunTests(tests, results.get(), false, false, false, false, nullptr,
                     false);
  std::vector<IKorTestSuite *> runOrder;
  for (int i = 1; i <= results->GetCount(); ++i) {
    IKorTestSuite *suite = results->GetStatus(i)->GetTest()->Suite();
    if (runOrder.empty() || runOrder.back() != suite)
      runOrder.push_back(suite);
  }
  std::vector<IKorTestSuite *> groupOrder;
  korForEachSuiteGroup(tests,
                       [&](IKorTestSuite *suite, const KorArray<IKorTest *> &) {
                         groupOrder.push_back(suite);
                       });
  EXPECT_EQ(groupOrder, runOrder);
}

namespace {
/// A scripted run's selection and the run status it publishes: NotRun
/// records, stop, report, load failures, tests matched before sharding.
struct RunStatusCase {
  const char *name;
  const char16_t *suite;
  std::vector<std::pair<std::string, std::string>> settings;
  std::vector<int32_t> status;
  /// The report file; none: the debugger output router.
  const char16_t *reportFile = nullptr;
};

class KortestCmdRunStatusTest
    : public KortestCmdTest,
      public testing::WithParamInterface<RunStatusCase> {};
} // namespace

TEST_P(KortestCmdRunStatusTest, PublishesHowTheRunWent) {
  const RunStatusCase &c = GetParam();
  for (const auto &[key, value] : c.settings)
    setting(key, value);
  execute([&](IScriptOptions *values) {
    values->SetString("suite_name", c.suite);
    values->SetString("results_formatter", u"GenXmlResultsFormatter");
    values->SetString("results_router", c.reportFile
                                            ? u"GenFileResultsRouter"
                                            : u"GenDebugStreamResultsRouter");
    if (c.reportFile)
      values->SetString("result_filename.txt", c.reportFile);
  });
  EXPECT_EQ(published(KortestCmd::kRunStatusRecord), c.status);
}

// The registered order is Alpha's Second, First, then Beta's Pass, Fail,
// Abort and the disabled Off.
INSTANTIATE_TEST_SUITE_P(
    Selections, KortestCmdRunStatusTest,
    testing::Values(
        RunStatusCase{"Everything", u"", {}, {1, 0, 0, 0, 5}},
        RunStatusCase{"OneSuite", u"Cmd Beta Suite", {}, {1, 0, 0, 0, 3}},
        RunStatusCase{"NoSuchSuite", u"Cmd Gamma Suite", {}, {0, 0, 0, 0, 0}},
        RunStatusCase{
            "ShardMatchesBeforeSharding",
            u"",
            {{"Test Run/Shard Index", "1"}, {"Test Run/Shard Count", "2"}},
            {1, 0, 0, 0, 5}},
        RunStatusCase{"DisabledTestByName",
                      u"",
                      {{"Test Run/Test Name", "Cmd Beta Suite.Off"}},
                      {1, 0, 0, 0, 0}},
        RunStatusCase{"ReportNotDelivered",
                      u"Cmd Alpha Suite",
                      {},
                      {0, 0, 1, 0, 2},
                      u"/dev/full"}),
    [](const testing::TestParamInfo<RunStatusCase> &info) {
      return std::string(info.param.name);
    });

TEST_F(KortestCmdTest, TheTimeoutSettingLimitsEachBody) {
  auto runWith = [this](const char *timeout) {
    setting("Test Run/Timeout", timeout);
    execute([](IScriptOptions *values) {
      values->SetString("suite_name", u"Cmd Alpha Suite");
      values->SetString("results_formatter", u"GenXmlResultsFormatter");
      values->SetString("results_router", u"GenDebugStreamResultsRouter");
    });
    return service_->timeLimit();
  };
  EXPECT_EQ(runWith("7"), 7);
  EXPECT_EQ(runWith("0"), 0);
  EXPECT_TRUE(errors_->reports.empty());
  EXPECT_EQ(runWith("seven"), 0);
  ASSERT_EQ(errors_->reports.size(), 1u);
  EXPECT_NE(errors_->reports[0].message.find(u"\"seven\""),
            std::u16string::npos);
}
