// Unit tests of the kortest command and its "Run Programmer Tests" dialog
// against korhost's real services, the dialog driven through the headless
// GUI as a person would. tests/e2e/kortest_*.sh run the built-in suites by
// name with each report, the exit statuses, the option help and the run
// status; tests/e2e/dialog.sh clicks Run All in the on-screen dialog. Here:
// availability, the default seed, the stored choices, a wrong time limit,
// the layout, list colours (a suite takes its worst state), summary, result
// text, boxes, seed field and output file name.
#include "commands/kortestcmd.h"
#include "commands/kortestdialog.h"
#include "component/iscriptfactory.h"
#include "frame/ikortestresults.h"
#include "frame/kortestdecl.h"
#include "host/gui/headlessgui.h"
#include "host/gui/screengui.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/commandcontext.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/hostservicesfixture.h"
#include "tests/unit/support/strtestsupport.h"
#include "testservice/gentestservice.h"
#include <cstdlib>
#include <filesystem>

using namespace kortest_widget;

namespace {
int gFirstRandom = 0;

class DlgAlphaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(DlgAlphaSuite, "Dialog Alpha Suite")
  KOR_TEST(FirstTest, "First", "DLG") { gFirstRandom = std::rand(); }
  KOR_TEST(SecondTest, "Second", "DLG") {}
};

class DlgBetaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(DlgBetaSuite, "Dialog Beta Suite")
  KOR_TEST(PassTest, "Pass", "DLG") {}
  KOR_TEST(FailTest, "Fail", "DLG") { TEST_FAIL("expected to fail"); }
  KOR_TEST(AbortTest, "Abort", "DLG") { TEST_ABORT("gave up"); }
  KOR_TEST(SkipTest, "Skip", "DLG") {}
  KOR_TEST_DISABLED(OffTest, "Off", "DLG", "switched off") {}
};

/// The test service, keeping the flags of the last RunTests call.
class FlagRecordingService : public GenTestService {
public:
  void RunTests(const KorArray<IKorTest *> &tests, IKorTestResults *results,
                bool breakOnFailure, bool checkMemory, bool keepAsserts,
                bool randomize, uint32_t *seed, bool selectedOnly) override {
    flags = {breakOnFailure, checkMemory, keepAsserts, randomize};
    GenTestService::RunTests(tests, results, breakOnFailure, checkMemory,
                             keepAsserts, randomize, seed, selectedOnly);
  }
  std::array<bool, 4> flags{};
};

using Colour = std::array<float, 4>;
const Colour kGreen{0, 1, 0, 1}, kRed{1, 0, 0, 1}, kBlue{0, 0, 1, 1},
    kOrange{1, 0.5f, 0, 1}, kTeal{0, 0.5f, 0.5f, 1}, kBlack{0, 0, 0, 1};

/// Every korhost service, the two suites above ("Skip" excluded by name so
/// that it is skipped), and the command's dialog laid out and activated.
class KortestCmdTest : public HostServicesTest {
protected:
  void SetUp() override {
    setUpServices("kortestcmd_test", service_);
    for (IKorTestSuite *suite :
         {static_cast<IKorTestSuite *>(&korCreateSuite<DlgAlphaSuite>()),
          static_cast<IKorTestSuite *>(&korCreateSuite<DlgBetaSuite>())})
      for (int i = 1; i <= suite->TestCount(); ++i)
        service_->AddTest(suite->TestAt(i));
    service_->AddExcludedTest("Dialog Beta Suite.Skip");
    void *found = nullptr;
    manager_->LookupService("IGuiUtil", &found);
    static_cast<IGuiUtil *>(found)->QueryInterface("HostHeadlessGui", &found);
    ASSERT_NE(gui_ = static_cast<HostHeadlessGui *>(found), nullptr);
    command_ = IPtr<KortestCmd>(new KortestCmd);
    gui_->setReceiver(command_.get()); // what the host does to show it
    command_->SetGuiUtil(gui_);
    command_->LayoutDialog(gui_);
    ASSERT_TRUE(command_->Activate());
  }
  void TearDown() override {
    gui_->setReceiver(nullptr);
    command_->SetGuiUtil(nullptr);
    command_.reset();
    HostServicesTest::TearDown();
  }
  /// The script's options, with the native XML report on the debugger
  /// output.
  IPtr<IScript> script() {
    IPtr<IScript> script(command_->Describe());
    script->Options()->SetString("results_formatter",
                                 u"GenXmlResultsFormatter");
    script->Options()->SetString("results_router",
                                 u"GenDebugStreamResultsRouter");
    return script;
  }
  HeadlessWidget &widget(Key key) { return gui_->at(key.name, key.number); }
  /// The list item of a suite or test by its text (each is unique here).
  int32_t item(std::u16string_view text) {
    for (const HeadlessListItem &entry : widget(kListView).items)
      if (entry.text == text)
        return entry.number;
    ADD_FAILURE() << "no list item";
    return -1;
  }
  Colour colour(std::u16string_view text) {
    return widget(kListView).itemColours.at(item(text));
  }
  void click(Key key) { gui_->click(key.name, key.number); }
  void choose(int32_t formatter, int32_t router) {
    gui_->chooseOption(kFormatterCombo.name, kFormatterCombo.number, formatter);
    gui_->chooseOption(kRouterCombo.name, kRouterCombo.number, router);
  }
  void select(std::vector<int32_t> items) {
    gui_->selectItems(kListView.name, kListView.number, std::move(items));
  }
  std::string resultsText() {
    return utf8Of(KorString(widget(kResultsText).text.c_str()));
  }

  FlagRecordingService *service_ = new FlagRecordingService;
  HostHeadlessGui *gui_ = nullptr;
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
  IPtr<FakeCommandContext> context(new FakeCommandContext);
  EXPECT_TRUE(command_->IsAvailable(context.get()));
  context->inCommand = true;
  EXPECT_FALSE(command_->IsAvailable(context.get()));
  EXPECT_EQ(command_->OptionHelp("run_programmer_tests", "filter"), nullptr);
  EXPECT_EQ(command_->OptionHelp("run_fake", "suite_name"), nullptr);
  ScopedServiceHost empty;
  EXPECT_EQ(command_->Describe(), nullptr) << "no script factory";
}

TEST_F(KortestCmdTest, ScriptDefaultsRunEveryTestSeededWithAllBitsSet) {
  EXPECT_TRUE(command_->Execute(script()->Options()));
  std::srand(4294967295u);
  EXPECT_EQ(gFirstRandom, std::rand());
  EXPECT_EQ(command_->seed(), 4294967295u);
  EXPECT_EQ(command_->lastResults()->GetCount(), 7);
  EXPECT_TRUE(errors_->reports.empty());
}

TEST_F(KortestCmdTest, StoreWritesTheDialogsChoices) {
  command_->setSeed(99);
  choose(1, 3);
  click(kRandomize);
  IPtr<IScript> stored = script();
  IScriptOptions *values = stored->Options();
  values->SetString("suite_name", u"Dialog Alpha Suite");
  ASSERT_TRUE(command_->Store(values));
  const std::pair<const char *, std::u16string> texts[] = {
      {"suite_name", u""},
      {"results_formatter", u"GenXmlResultsFormatter"},
      {"results_router", u"GenFileResultsRouter"},
      {"result_filename.txt",
       std::u16string(command_->outputFileName().view())}};
  for (const auto &[name, text] : texts) {
    const KorWChar *value = nullptr;
    values->GetString(&value, name);
    EXPECT_EQ(value, text) << name;
  }
  EXPECT_EQ(values->GetInteger("random_seed"), 99);
  EXPECT_TRUE(values->GetBool("randomize"));
}

// A good limit from the settings is run by tests/e2e/kortest_faults.sh.
TEST_F(KortestCmdTest, AWrongTimeoutSettingIsReportedAndRunsWithoutALimit) {
  void *found = nullptr;
  manager_->LookupService("IDataStore", &found);
  IPtr<HostSettingsStore>(static_cast<IDataStore *>(found))
      ->set("Test Run/Timeout", "seven");
  command_->Execute(script()->Options());
  EXPECT_EQ(service_->timeLimit(), 0);
  ASSERT_EQ(errors_->reports.size(), 1u);
  EXPECT_EQ(errors_->reports[0].message,
            u"Tests run without a time limit: \"Test Run/Timeout\" is not a "
            u"number of seconds: \"seven\".");
}

TEST_F(KortestCmdTest, DialogLayoutMatchesTheCheckedInWidgetTable) {
  std::string dump = gui_->dump(), dir = dir_.string();
  for (size_t at; (at = dump.find(dir)) != std::string::npos;)
    dump.replace(at, dir.size(), "$DIR");
  EXPECT_EQ(dump, readExpected("kortest_dialog_layout.txt"));
}

TEST_F(KortestCmdTest, DialogGoesOnHeadlessThroughAScreenGuiWithoutItsModule) {
  FILE *errors = std::tmpfile();
  IPtr<HostScreenGui> screen(new HostScreenGui("/nonexistent/qt.so", errors));
  IPtr<KortestCmd> command(new KortestCmd);
  command->SetGuiUtil(screen.get());
  command->LayoutDialog(screen.get());
  ASSERT_TRUE(command->Activate());
  IPtr<IScript> stored(command->Describe());
  EXPECT_TRUE(command->Store(stored->Options()));
  command->SetGuiUtil(nullptr);
  std::string said(200, '\0');
  std::rewind(errors);
  said.resize(std::fread(said.data(), 1, said.size(), errors));
  EXPECT_EQ(said.rfind("korhost: no on-screen dialogs in this korhost (", 0), 0u);
  EXPECT_EQ(said.find('\n'), said.size() - 1) << "said once";
  std::fclose(errors);
}

TEST_F(KortestCmdTest, DialogRunsColourTheListFillTheSummaryAndShowOneText) {
  // A suite and one of its tests selected: each test runs once.
  select({item(u"Dialog Alpha Suite"), item(u"Second"), item(u"Pass")});
  click(kRunSelected);
  EXPECT_EQ(command_->lastResults()->GetCount(), 3);
  EXPECT_EQ(colour(u"Fail"), kBlack) << "not run";
  EXPECT_EQ(colour(u"Dialog Beta Suite"), kGreen);
  select({item(u"Fail")});
  EXPECT_EQ(resultsText(), "") << "no record of it yet";

  choose(0, 3);
  click(kRunAll); // Visual Studio lines into the output file
  EXPECT_EQ(resultsText(), "Failed\nexpected to fail\n") << "shown at once";
  const std::pair<const char16_t *, Colour> colours[] = {
      {u"First", kGreen},
      {u"Fail", kRed},
      {u"Abort", kOrange},
      {u"Skip", kBlue},
      {u"Off", kTeal},
      {u"Dialog Alpha Suite", kGreen},
      {u"Dialog Beta Suite", kRed}};
  for (const auto &[text, expected] : colours)
    EXPECT_EQ(colour(text), expected) << item(text);
  // Aborted and not-run records are left out of the tested count.
  const std::pair<Key, int32_t> counts[] = {{kPassedValue, 3},
                                            {kFailedValue, 1},
                                            {kSkippedValue, 1},
                                            {kTestedValue, 5}};
  for (auto [key, count] : counts)
    EXPECT_EQ(widget(key).integerValue, count) << key.name;
  EXPECT_NE(readFileBytes(utf8Of(command_->outputFileName()))
                .find(": Fail : expected to fail\n"),
            std::string::npos);
  // Only one selected test shows its text.
  for (auto items : {std::vector{item(u"Dialog Beta Suite")},
                     std::vector{item(u"Fail"), item(u"First")}}) {
    select(items);
    EXPECT_EQ(resultsText(), "");
  }
}

TEST_F(KortestCmdTest, DialogBoxesReachTheRunSeedFieldFollowsRandomize) {
  // break on failure, check memory, keep application asserts, randomize
  const std::pair<std::vector<Key>, std::array<bool, 4>> cases[] = {
      {{kDebugOnFail}, {true, false, false, false}},
      {{kDontHookAsserts}, {false, false, true, false}},
      {{kCheckMemory, kRandomize}, {false, true, false, true}},
  };
  select({item(u"Dialog Alpha Suite")}); // passing tests only
  for (const auto &[boxes, flags] : cases) {
    for (Key box : boxes)
      click(box);
    click(kRunSelected);
    EXPECT_EQ(service_->flags, flags);
    for (Key box : boxes)
      click(box);
  }
  // The seed field is off while randomize is on and shows the seed used.
  gui_->enterInteger(kSeedValue.name, kSeedValue.number, 1234);
  EXPECT_EQ(command_->seed(), 1234u);
  click(kRandomize);
  EXPECT_FALSE(widget(kSeedValue).enabled);
  EXPECT_EQ(widget(kSeedValue).enableCode, -30000);
  click(kRunSelected);
  EXPECT_EQ(widget(kSeedValue).integerValue, int32_t(command_->seed()));
  click(kRandomize);
  EXPECT_TRUE(widget(kSeedValue).enabled);
  gui_->enterInteger(kSeedValue.name, kSeedValue.number, 77);
  click(kRunSelected);
  EXPECT_EQ(widget(kSeedValue).integerValue, 77);
}

TEST_F(KortestCmdTest, DialogFileNameSetsTheOutputFileBareDrivesGetABackslash) {
  gui_->typeFileName(kOutputFilename.name, kOutputFilename.number, u"d:");
  EXPECT_EQ(command_->outputFileName().view(), u"d:\\");
  std::string file = (dir_ / "report.xml").string();
  KorString wide = KorString::fromUtf8(file.c_str());
  gui_->typeFileName(kOutputFilename.name, kOutputFilename.number, wide.data());
  choose(1, 3);
  click(kRunAll); // native XML into the chosen file
  EXPECT_NE(readFileBytes(file).find("<korTestResults"), std::string::npos);
  command_->LayoutDialog(gui_); // a later layout shows the last run and choices
  EXPECT_EQ(widget(kPassedValue).integerValue, 3);
  EXPECT_EQ(widget(kOutputFilename).fileField->GetFileName(),
            std::u16string(wide.view()));
}
