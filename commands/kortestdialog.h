//===- kortestdialog.h - The "Run Programmer Tests" dialog ----------------===//
//
// KortestDialog lays out the kortest command's dialog through the host's
// GUI utility, fills its tree of suites and tests, colours the tree by the
// last run's outcomes, shows the record of the chosen test, and turns the
// dialog's choices into a run of the command.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "commands/kortestdialogowner.h"
#include "commands/kortestrunchoices.h"
#include "component/iptr.h"
#include "KorBasicTypes/korarray.h"
#include <cstdint>
#include <map>

class IGuiUtil;
class IKorTest;
class IKorTestStatus;
class IKorTestSuite;

/// The dialog's widgets: the name and number that address each one.
namespace kortest_widget {
/// A widget's key in the GUI utility.
struct Key {
  const char *name;
  int32_t number;
};
inline constexpr Key kListView{"ListView", 0};
inline constexpr Key kResultsText{"ResultsText", 1};
inline constexpr Key kFilterLabel{"FilterLabel", 2};
inline constexpr Key kFilter{"Filter", 3};
inline constexpr Key kRunSelected{"RunSelected", 4};
inline constexpr Key kRunAll{"RunAll", 5};
inline constexpr Key kDontHookAsserts{"DontHookAsserts", 6};
inline constexpr Key kDebugOnFail{"DebugOnFail", 7};
inline constexpr Key kCheckMemory{"CheckMemory", 8};
inline constexpr Key kFormatterCombo{"FormatterCombo", 9};
inline constexpr Key kRouterCombo{"RouterCombo", 10};
inline constexpr Key kOutputFilename{"OutputFilename", 11};
inline constexpr Key kOutputFilenameLabel{"OutputFilenameLabel", 12};
inline constexpr Key kTestedLabel{"TestedLabel", 13};
inline constexpr Key kTestedValue{"TestedValue", 14};
inline constexpr Key kPassedLabel{"PassedLabel", 15};
inline constexpr Key kPassedValue{"PassedValue", 16};
inline constexpr Key kFailedLabel{"FailedLabel", 17};
inline constexpr Key kFailedValue{"FailedValue", 18};
inline constexpr Key kSkippedLabel{"SkippedLabel", 19};
inline constexpr Key kSkippedValue{"SkippedValue", 20};
inline constexpr Key kElapsedTimeLabel{"ElapsedTimeLabel", 21};
inline constexpr Key kElapsedTimeValue{"ElapsedTimeValue", 22};
inline constexpr Key kRandomize{"Randomize", 23};
inline constexpr Key kSeedLabel{"SeedLabel", 24};
inline constexpr Key kSeedValue{"SeedValue", 25};
} // namespace kortest_widget

/// A colour as red, green, blue and alpha from 0 to 1.
struct KorColour {
  float red, green, blue, alpha;
  bool operator==(const KorColour &) const = default;
};

/// Stands for "no record" where a test state is expected.
inline constexpr int kNoRecordState = -1;

/// The colour a list item shows for a test state (KorTestState), black for
/// kNoRecordState or an unknown state.
KorColour korColourOfState(int state);

/// The state a suite item shows, given which states its tests' records
/// have (indexed by KorTestState): the first of Failed, Aborted, Skipped,
/// Passed that occurs, else kNoRecordState.
int korSuiteState(const bool (&occurs)[5]);

/// The dialog of one kortest command; lives as long as the command.
class KortestDialog {
public:
  explicit KortestDialog(KortestDialogOwner &command) : command_(command) {}

  /// Title, every widget row by row, label colours, seed, summary values,
  /// the output file name, then the closing call.
  void layout(IGuiUtil &gui);
  /// Loads the test components, then fills and colours the list when a
  /// dialog is open.
  void activate(IGuiUtil *gui);
  /// The tree of suites and tests, numbered from 1 in the order added.
  void fillList(IGuiUtil &gui);
  /// Colours every item by the last run's records.
  void colourList(IGuiUtil &gui);
  /// The record text of the one selected test, else empty.
  void showResult(IGuiUtil &gui);
  /// Runs every registered test, or the tests of the selected items.
  void run(IGuiUtil &gui, bool selectedOnly);
  /// Shows the command's last run: seed, counts, elapsed time, colours and
  /// the selected test's record text.
  void showRun(IGuiUtil &gui);
  /// The seed, the counts of the last run and its elapsed time.
  void showSummary(IGuiUtil &gui);
  /// Makes the seed field follow the Randomize box's new state.
  void followRandomize(IGuiUtil &gui, int32_t state);
  /// Takes the output file name from the file-name field; a bare drive
  /// such as "d:" gets a "\".
  void takeFileName();
  /// The run options the dialog's boxes and lists show now.
  KortestRunChoices choices(IGuiUtil &gui) const;

private:
  /// The check boxes and lists a run reads first (Randomize comes later).
  KortestRunChoices runBoxes(IGuiUtil &gui) const;
  /// The tests of the selected items, each once, suites expanded.
  KorArray<IKorTest *> selectedTests(IGuiUtil &gui) const;
  /// Every registered test in registration order.
  static KorArray<IKorTest *> allTests();
  /// item number -> record of the last run, for every test item.
  void mapRecords();
  int testItemState(int32_t item) const;
  void addItem(IGuiUtil &gui, int32_t parent, int32_t number, const char *text);

  KortestDialogOwner &command_;
  std::map<int32_t, IKorTest *> itemTests_;
  std::map<int32_t, IKorTestSuite *> itemSuites_;
  std::map<int32_t, IPtr<IKorTestStatus>> itemRecords_;
};
