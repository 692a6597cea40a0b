// Unit tests of the "Run Programmer Tests" dialog, driven through korhost's
// headless GUI as a person would: layout, runs, colours (a suite takes its
// worst state), summary, result text, boxes, seed and output file name.
// tests/e2e/dialog.sh clicks Run All in the real on-screen dialog.
#include "commands/kortestcmd.h"
#include "commands/kortestdialog.h"
#include "frame/ikortestresults.h"
#include "frame/kortestdecl.h"
#include "host/gui/headlessgui.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/hostservicesfixture.h"
#include "testservice/gentestservice.h"
#include <filesystem>
#include <map>

using namespace kortest_widget;

namespace {
class DlgAlphaSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(DlgAlphaSuite, "Dialog Alpha Suite")
  KOR_TEST(FirstTest, "First", "DLG") {}
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
class KortestDialogTest : public HostServicesTest {
protected:
  void SetUp() override {
    setUpServices("kortestdialog_test", service_);
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
  HeadlessWidget &widget(Key key) { return gui_->at(key.name, key.number); }
  /// List item number by its text ("Suite" or "Suite/Test").
  int32_t item(const std::string &path) {
    std::map<int32_t, std::u16string> texts;
    for (const HeadlessListItem &entry : widget(kListView).items) {
      texts[entry.number] = entry.text;
      std::u16string full =
          entry.parent ? texts[entry.parent] + u"/" + entry.text : entry.text;
      if (utf8Of(KorString(full.c_str())) == path)
        return entry.number;
    }
    ADD_FAILURE() << "no list item " << path;
    return -1;
  }
  Colour colour(const std::string &path) {
    return widget(kListView).itemColours.at(item(path));
  }
  void click(Key key) { gui_->click(key.name, key.number); }
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

TEST_F(KortestDialogTest, LayoutMatchesTheCheckedInWidgetTable) {
  std::string dump = gui_->dump(), dir = dir_.string();
  for (size_t at; (at = dump.find(dir)) != std::string::npos;)
    dump.replace(at, dir.size(), "$DIR");
  EXPECT_EQ(dump, readExpected("kortest_dialog_layout.txt"));
}

TEST_F(KortestDialogTest, RunsColourTheListFillTheSummaryAndShowOneText) {
  // A suite and one of its tests selected: each test runs once.
  select({item("Dialog Alpha Suite"), item("Dialog Alpha Suite/Second"),
          item("Dialog Beta Suite/Pass")});
  click(kRunSelected);
  EXPECT_EQ(command_->lastResults()->GetCount(), 3);
  EXPECT_EQ(colour("Dialog Beta Suite/Fail"), kBlack) << "not run";
  EXPECT_EQ(colour("Dialog Beta Suite"), kGreen);
  int32_t fail = item("Dialog Beta Suite/Fail");
  select({fail});
  EXPECT_EQ(resultsText(), "") << "no record of it yet";

  gui_->chooseOption(kFormatterCombo.name, kFormatterCombo.number, 0);
  gui_->chooseOption(kRouterCombo.name, kRouterCombo.number, 3);
  click(kRunAll); // Visual Studio lines into the output file
  EXPECT_EQ(resultsText(), "Failed\nexpected to fail\n") << "shown at once";
  const std::pair<const char *, Colour> colours[] = {
      {"Dialog Alpha Suite/First", kGreen}, {"Dialog Beta Suite/Fail", kRed},
      {"Dialog Beta Suite/Abort", kOrange}, {"Dialog Beta Suite/Skip", kBlue},
      {"Dialog Beta Suite/Off", kTeal},     {"Dialog Alpha Suite", kGreen},
      {"Dialog Beta Suite", kRed}};
  for (const auto &[path, expected] : colours)
    EXPECT_EQ(colour(path), expected) << path;
  // Aborted and not-run records are left out of the tested count.
  const std::pair<Key, int32_t> counts[] = {{kPassedValue, 3},
                                            {kFailedValue, 1},
                                            {kSkippedValue, 1},
                                            {kTestedValue, 5}};
  for (auto [key, count] : counts)
    EXPECT_EQ(widget(key).integerValue, count) << key.name;
  EXPECT_GE(widget(kElapsedTimeValue).realValue, 0.0);
  std::string report = readFileBytes(utf8Of(command_->outputFileName()));
  EXPECT_NE(report.find("expected to fail"), std::string::npos);
  EXPECT_EQ(report.find("Second"), std::string::npos) << report;
  // Only one selected test shows its text.
  for (auto items : {std::vector{item("Dialog Beta Suite")},
                     std::vector{fail, item("Dialog Alpha Suite/First")}}) {
    select(items);
    EXPECT_EQ(resultsText(), "");
  }
}

TEST_F(KortestDialogTest, EachBoxReachesItsRunArgumentSeedFollowsRandomize) {
  // break on failure, check memory, keep application asserts, randomize
  const std::pair<std::vector<Key>, std::array<bool, 4>> cases[] = {
      {{kDebugOnFail}, {true, false, false, false}},
      {{kDontHookAsserts}, {false, false, true, false}},
      {{kCheckMemory, kRandomize}, {false, true, false, true}},
  };
  select({item("Dialog Alpha Suite")}); // passing tests only
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

TEST_F(KortestDialogTest,
       FileNameFieldSetsTheOutputFileBareDrivesGetABackslash) {
  gui_->typeFileName(kOutputFilename.name, kOutputFilename.number, u"d:");
  EXPECT_EQ(command_->outputFileName().view(), u"d:\\");
  std::string file = (dir_ / "report.xml").string();
  KorString wide = KorString::fromUtf8(file.c_str());
  gui_->typeFileName(kOutputFilename.name, kOutputFilename.number, wide.data());
  gui_->chooseOption(kFormatterCombo.name, kFormatterCombo.number, 1);
  gui_->chooseOption(kRouterCombo.name, kRouterCombo.number, 3);
  click(kRunAll); // native XML into the chosen file
  EXPECT_NE(readFileBytes(file).find("<korTestResults"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "data" / "test_results.xml"));
  command_->LayoutDialog(gui_); // a later layout shows the last run and choices
  EXPECT_EQ(widget(kPassedValue).integerValue, 3);
  EXPECT_EQ(widget(kOutputFilename).fileField->GetFileName(),
            std::u16string(wide.view()));
}
