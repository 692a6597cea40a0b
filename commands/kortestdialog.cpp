//===- kortestdialog.cpp - The "Run Programmer Tests" dialog --------------===//
#include "commands/kortestdialog.h"
#include "component/ifilenamewidget.h"
#include "component/iguiutil.h"
#include "frame/ikortest.h"
#include "frame/ikortestresults.h"
#include "frame/ikorteststatus.h"
#include "frame/ikortestsuite.h"
#include "results/resultsregistry.h"
#include "testservice/suitegroups.h"
#include "testservice/gentestservice.h"
#include "KorBasicTypes/translate.h"
#include <cstdint>
#include <limits>
#include <set>

using namespace kortest_widget;

namespace {
// Sizes of the widgets, in the host's units; the host may adapt them.
constexpr int32_t kLabelWidth = 0;
constexpr int32_t kFilterWidth = 300;
constexpr int32_t kListWidth = 420;
constexpr int32_t kListHeight = 300;
constexpr int32_t kResultsHeight = 120;
constexpr int32_t kNumberWidth = 80;
constexpr int32_t kFileNameWidth = 300;
// AddField kinds.
constexpr int32_t kTextField = 0;
constexpr int32_t kIntegerField = 1;
constexpr int32_t kRealField = 2;
/// The reason given with the seed field's enable call.
constexpr int32_t kSeedFollowsRandomize = -30000;
/// The closing call of the layout.
constexpr int32_t kLayoutDone = -19998;
constexpr int32_t kCountMaximum = std::numeric_limits<int32_t>::max();

constexpr KorColour kBlack{0, 0, 0, 1};
constexpr KorColour kGreen{0, 1, 0, 1};
constexpr KorColour kRed{1, 0, 0, 1};
constexpr KorColour kBlue{0, 0, 1, 1};
constexpr KorColour kOrange{1, 0.5f, 0, 1};
constexpr KorColour kTeal{0, 0.5f, 0.5f, 1};

void labelColour(IGuiUtil &gui, Key key, KorColour c) {
  gui.SetLabelColour(key.name, key.number, c.red, c.green, c.blue, c.alpha);
}

void label(IGuiUtil &gui, Key key, const char *text) {
  gui.AddLabel(key.name, key.number, korTranslate(text).data(), kLabelWidth);
}

void checkBox(IGuiUtil &gui, Key key, const char *text) {
  gui.AddCheckBox(key.name, key.number, korTranslate(text).data());
}

void countField(IGuiUtil &gui, Key key) {
  gui.AddField(key.name, key.number, kIntegerField, kNumberWidth);
  gui.SetIntegerRange(key.name, key.number, 0, kCountMaximum);
}

/// A choice list of the registered class names, the first one chosen.
template <class Interface>
void choiceList(IGuiUtil &gui, Key key, const char *caption,
                const KorResultsRegistry<Interface> &registry) {
  std::vector<KorString> names;
  for (const auto &entry : registry.entries())
    names.emplace_back(entry.className);
  std::vector<const KorWChar *> items;
  for (const KorString &name : names)
    items.push_back(name.data());
  gui.AddChoiceList(key.name, key.number, korTranslate(caption).data(),
                    items.data(), static_cast<int32_t>(items.size()), 0);
}

bool checked(IGuiUtil &gui, Key key) {
  return gui.GetCheck(key.name, key.number);
}

SPtr<IKorTestService> testService() { return SPtr<IKorTestService>(); }
} // namespace

KorColour korColourOfState(int state) {
  switch (state) {
  case kTestPassed:
    return kGreen;
  case kTestFailed:
    return kRed;
  case kTestSkipped:
    return kBlue;
  case kTestAborted:
    return kOrange;
  case kTestNotRun:
    return kTeal;
  default:
    return kBlack;
  }
}

int korSuiteState(const bool (&occurs)[5]) {
  for (int state : {kTestFailed, kTestAborted, kTestSkipped, kTestPassed})
    if (occurs[state])
      return state;
  return kNoRecordState;
}

void KortestDialog::layout(IGuiUtil &gui) {
  gui.SetTitle(command_.dialogTitle().data());

  gui.OpenRow();
  label(gui, kFilterLabel, "Filter");
  gui.AddField(kFilter.name, kFilter.number, kTextField, kFilterWidth);
  gui.CloseGroup();

  gui.OpenRow();
  gui.AddTreeList(kListView.name, kListView.number, kListWidth, kListHeight);
  gui.ListOption71(kListView.name, kListView.number, 1);
  gui.ListOption74(kListView.name, kListView.number, 1);
  gui.ListOption75(kListView.name, kListView.number, 1);
  gui.CloseGroup();

  gui.OpenRow();
  gui.AddMultiLineText(kResultsText.name, kResultsText.number, kListWidth,
                       kResultsHeight);
  gui.CloseGroup();

  gui.OpenRow();
  checkBox(gui, kCheckMemory, "Check for memory leaks");
  checkBox(gui, kDebugOnFail, "Debug on Test Failure");
  checkBox(gui, kDontHookAsserts, "Do not hook Assert_basic");
  gui.SetToolTip(kDontHookAsserts.name, kDontHookAsserts.number,
                 korTranslate("For debugging, allow failed \n Assert_basic "
                              "call to break into the debugger")
                     .data());
  gui.CloseGroup();

  gui.OpenRow();
  checkBox(gui, kRandomize, "Randomize");
  label(gui, kSeedLabel, "Random generator seed");
  countField(gui, kSeedValue);
  gui.CloseGroup();

  gui.OpenRow();
  choiceList(gui, kFormatterCombo, "Format", korResultsFormatters());
  choiceList(gui, kRouterCombo, "Router", korResultsRouters());
  gui.CloseGroup();

  gui.OpenRow();
  label(gui, kOutputFilenameLabel, "Output filename:");
  if (IFileNameWidgetV2 *field = command_.fileNameWidget())
    field->AddToDialog(&gui, kOutputFilename.name, kOutputFilename.number,
                       kFileNameWidth);
  gui.CloseGroup();

  gui.OpenRow();
  gui.AddButton(kRunSelected.name, kRunSelected.number,
                korTranslate("Run Selected").data());
  gui.AddButton(kRunAll.name, kRunAll.number, korTranslate("Run All").data());
  gui.CloseGroup();

  gui.OpenGroup(korTranslate("Result summary").data());
  gui.OpenRow();
  label(gui, kPassedLabel, "Passed:");
  countField(gui, kPassedValue);
  label(gui, kFailedLabel, "Failed:");
  countField(gui, kFailedValue);
  label(gui, kSkippedLabel, "Skipped:");
  countField(gui, kSkippedValue);
  gui.CloseGroup();
  gui.OpenRow();
  label(gui, kTestedLabel, "Tested:");
  countField(gui, kTestedValue);
  gui.CloseGroup();
  gui.OpenRow();
  label(gui, kElapsedTimeLabel, "Elapsed time (sec):");
  gui.AddField(kElapsedTimeValue.name, kElapsedTimeValue.number, kRealField,
               kNumberWidth);
  gui.SetRealRange(kElapsedTimeValue.name, kElapsedTimeValue.number, 0.0,
                   std::numeric_limits<double>::max(), 4);
  gui.SetRealIncrement(kElapsedTimeValue.name, kElapsedTimeValue.number, 0.001);
  gui.CloseGroup();
  gui.CloseGroup();

  labelColour(gui, kPassedLabel, kGreen);
  labelColour(gui, kFailedLabel, kRed);
  labelColour(gui, kSkippedLabel, kBlue);
  showSummary(gui);
  if (IFileNameWidgetV2 *field = command_.fileNameWidget())
    field->SetFileName(command_.outputFileName().data());
  gui.FinishLayout(kLayoutDone, 0);
}

void KortestDialog::activate(IGuiUtil *gui) {
  IPtr<GenTestService> service(testService().get());
  if (service)
    service->LoadTestComponents();
  if (gui) {
    fillList(*gui);
    colourList(*gui);
  }
}

void KortestDialog::addItem(IGuiUtil &gui, int32_t parent, int32_t number,
                            const char *text) {
  SPtr<IGuiItem> item;
  if (!item)
    return;
  item->SetNumber(number);
  item->SetText(KorString::fromUtf8(text).data());
  gui.AddListItem(kListView.name, kListView.number, parent, item.get());
}

void KortestDialog::fillList(IGuiUtil &gui) {
  gui.ClearList(kListView.name, kListView.number);
  itemTests_.clear();
  itemSuites_.clear();
  itemRecords_.clear();
  SPtr<IKorTestService> service = testService();
  if (!service)
    return;
  KorArray<IKorTest *> tests;
  service->GetTests(tests);
  int32_t next = 1;
  korForEachSuiteGroup(tests, [&](IKorTestSuite *suite,
                                  const KorArray<IKorTest *> &group) {
    int32_t suiteItem = next++;
    KorCString name;
    addItem(gui, 0, suiteItem, suite ? suite->Name(name).c_str() : "");
    itemSuites_[suiteItem] = suite;
    for (IKorTest *test : group) {
      int32_t testItem = next++;
      KorCString description;
      addItem(gui, suiteItem, testItem, test->Description(description).c_str());
      itemTests_[testItem] = test;
    }
  });
}

void KortestDialog::mapRecords() {
  itemRecords_.clear();
  IKorTestResults *results = command_.lastResults();
  if (!results)
    return;
  for (const auto &[item, test] : itemTests_)
    if (IKorTestStatus *record = results->FindStatus(test->TestNumber()))
      itemRecords_[item] = IPtr<IKorTestStatus>(record);
}

int KortestDialog::testItemState(int32_t item) const {
  auto found = itemRecords_.find(item);
  return found == itemRecords_.end() ? kNoRecordState
                                     : found->second->GetState();
}

void KortestDialog::colourList(IGuiUtil &gui) {
  mapRecords();
  auto paint = [&gui](int32_t item, KorColour c) {
    gui.SetItemColour(kListView.name, kListView.number, item, c.red, c.green,
                      c.blue, c.alpha);
  };
  for (const auto &[item, test] : itemTests_)
    paint(item, korColourOfState(testItemState(item)));
  for (const auto &[suiteItem, suite] : itemSuites_) {
    bool occurs[5] = {};
    for (const auto &[item, test] : itemTests_) {
      int state = testItemState(item);
      if (test->Suite() == suite && state >= 0 && state < 5)
        occurs[state] = true;
    }
    paint(suiteItem, korColourOfState(korSuiteState(occurs)));
  }
}

void KortestDialog::showResult(IGuiUtil &gui) {
  gui.SetText(kResultsText.name, kResultsText.number, u"");
  KorArray<int32_t> selected;
  gui.GetSelectedItems(kListView.name, kListView.number, selected);
  if (selected.count() != 1)
    return;
  auto found = itemRecords_.find(selected[1]);
  if (found == itemRecords_.end() || !itemTests_.count(selected[1]))
    return;
  KorCString text;
  found->second->ToString(text);
  gui.SetText(kResultsText.name, kResultsText.number,
              KorString::fromUtf8(text.c_str()).data());
}

KortestRunChoices KortestDialog::runBoxes(IGuiUtil &gui) const {
  KortestRunChoices choices;
  choices.breakOnFailure = checked(gui, kDebugOnFail);
  choices.checkMemory = checked(gui, kCheckMemory);
  choices.keepApplicationAsserts = checked(gui, kDontHookAsserts);
  choices.formatter =
      gui.GetChoiceIndex(kFormatterCombo.name, kFormatterCombo.number);
  choices.router = gui.GetChoiceIndex(kRouterCombo.name, kRouterCombo.number);
  return choices;
}

KortestRunChoices KortestDialog::choices(IGuiUtil &gui) const {
  KortestRunChoices choices = runBoxes(gui);
  choices.randomize = checked(gui, kRandomize);
  return choices;
}

KorArray<IKorTest *> KortestDialog::allTests() {
  KorArray<IKorTest *> tests;
  SPtr<IKorTestService> service = testService();
  for (int i = 1; service && i <= service->GetTestCount(); ++i)
    tests.append(service->GetTest(i));
  return tests;
}

KorArray<IKorTest *> KortestDialog::selectedTests(IGuiUtil &gui) const {
  KorArray<int32_t> selected;
  gui.GetSelectedItems(kListView.name, kListView.number, selected);
  std::set<IKorTest *> taken;
  KorArray<IKorTest *> tests;
  auto take = [&](IKorTest *test) {
    if (taken.insert(test).second)
      tests.append(test);
  };
  for (int32_t item : selected) {
    if (auto test = itemTests_.find(item); test != itemTests_.end())
      take(test->second);
    auto suite = itemSuites_.find(item);
    if (suite == itemSuites_.end())
      continue;
    for (const auto &[testItem, test] : itemTests_)
      if (test->Suite() == suite->second)
        take(test);
  }
  return tests;
}

void KortestDialog::run(IGuiUtil &gui, bool selectedOnly) {
  KortestRunChoices chosen = runBoxes(gui);
  KorArray<IKorTest *> tests = selectedOnly ? selectedTests(gui) : allTests();
  chosen.randomize = checked(gui, kRandomize);
  command_.runFromDialog(tests, chosen);
}

void KortestDialog::showRun(IGuiUtil &gui) {
  showSummary(gui);
  colourList(gui);
  showResult(gui);
}

void KortestDialog::showSummary(IGuiUtil &gui) {
  const KortestCounts &counts = command_.lastCounts();
  gui.SetIntegerValue(kSeedValue.name, kSeedValue.number,
                      static_cast<int32_t>(command_.seed()));
  gui.SetIntegerValue(kPassedValue.name, kPassedValue.number, counts.passed);
  gui.SetIntegerValue(kFailedValue.name, kFailedValue.number, counts.failed);
  gui.SetIntegerValue(kSkippedValue.name, kSkippedValue.number, counts.skipped);
  gui.SetIntegerValue(kTestedValue.name, kTestedValue.number,
                      counts.passed + counts.failed + counts.skipped);
  gui.SetRealValue(kElapsedTimeValue.name, kElapsedTimeValue.number,
                   command_.lastElapsedSeconds());
}

void KortestDialog::followRandomize(IGuiUtil &gui, int32_t state) {
  gui.EnableField(kSeedValue.name, kSeedValue.number, state == 0,
                  kSeedFollowsRandomize);
}

void KortestDialog::takeFileName() {
  IFileNameWidgetV2 *field = command_.fileNameWidget();
  if (!field)
    return;
  const KorWChar *text = field->GetFileName();
  KorString name(text ? text : u"");
  if (name.length() == 2 && name[1] == u':')
    name.append(u'\\');
  command_.setOutputFileName(name);
}
