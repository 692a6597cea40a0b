//===- kortestcmd.h - The command that runs the programmer tests ----------===//
//
// KortestCmd runs as the script "run_programmer_tests" with eight named
// options (IKorScriptHelp says what each does), or from its "Run
// Programmer Tests" dialog (KortestDialog, which reaches the command as its
// KortestDialogOwner). Both paths end in runAndReport: run the tests
// through the test service into a fresh results collection, format and
// route the report, and publish the counts and how the run went to the
// host's query server.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "commands/compbasecmd.h"
#include "commands/kortestdialog.h"
#include "commands/kortestdialogowner.h"
#include "commands/kortestrunchoices.h"
#include "component/ifilenamewidget.h"
#include "component/ikorscripthelp.h"
#include "component/iptr.h"
#include "component/iscriptable.h"
#include "KorBasicTypes/korarray.h"
#include "KorBasicTypes/korstring.h"
#include <cstdint>
#include <optional>
#include <vector>

class IKorTest;
class IKorTestResults;
class IKorTestResultsFormatter;
class IKorTestResultsRouter;

/// The "Run Programmer Tests" command.
class KortestCmd : public CompBaseCmd,
                   public IScriptable,
                   public IKorScriptHelp,
                   private KortestDialogOwner {
public:
  KOR_CLASS_DERIVED(KortestCmd, CompBaseCmd, IScriptable, IKorScriptHelp)
  static constexpr const char *kScriptName = "run_programmer_tests";
  static constexpr const char *kResultsRecord = "Programmer Tests Results";
  /// Published beside the counts: aborted tests are in none of them.
  static constexpr const char *kAbortedRecord = "Programmer Tests Aborted";
  /// Published beside the counts: the seed field after the run, so that a
  /// randomized run can be repeated with "random_seed".
  static constexpr const char *kSeedRecord = "Programmer Tests Seed";
  /// Published beside the counts, so that the host can tell how the run
  /// went: the NotRun records, how the run stopped (0 at its end, n > 0
  /// stop signal n, -1 a test ended the process), whether the report could
  /// not be delivered (1), the "KorTest" values that loaded no component,
  /// and the tests the selection matched before sharding.
  static constexpr const char *kRunStatusRecord = "Programmer Tests Run Status";

  /// One formatter and one router of each registered class, output file
  /// name, file-name widget, title.
  KortestCmd();

  /// Available unless the context's "inCommand" flag is set.
  bool IsAvailable(IKorCommandContext *context) override;

  /// Run Selected, Run All, and the Randomize box moving the seed field.
  void OnButton(int32_t widget, int32_t state) override;
  /// The list's selection shows the chosen test's record.
  void OnSelection(int32_t widget, int32_t selection) override;
  /// The seed field sets the seed.
  void OnIntegerValue(int32_t widget, int32_t value) override;
  /// The file-name field sets the output file name.
  void OnNotify(int32_t widget, int32_t code) override;
  /// Builds the "Run Programmer Tests" dialog through `builder`.
  void LayoutDialog(IGuiUtil *builder) override;
  /// Loads the test components and fills the dialog's list.
  bool Activate() override;

  IScript *Describe() override;
  bool Execute(IScriptOptions *values) override;
  bool Store(IScriptOptions *values) override;

  /// What each option of "run_programmer_tests" does, for the host's help.
  const char *OptionHelp(const char *script, const char *option) override;

  /// Runs `tests` with `choices` and reports; the formatter and router at
  /// the chosen positions (a missing one skips its step).
  void runAndReport(const KorArray<IKorTest *> &tests,
                    const KortestRunChoices &choices);
  /// The tests of the suite named `name` in the suite's order; every
  /// registered test for an empty name; none when no suite has the name.
  KorArray<IKorTest *> testsToRun(const KorString &suiteName);

  /// Position of the formatter or router with that class name, or -1.
  int32_t formatterIndex(const char *className) const;
  int32_t routerIndex(const char *className) const;
  IKorTestResultsFormatter *formatter(int32_t index) const;
  IKorTestResultsRouter *router(int32_t index) const;
  size_t formatterCount() const { return formatters_.size(); }
  size_t routerCount() const { return routers_.size(); }

  const KorString &outputFileName() const override { return outputFileName_; }
  void setOutputFileName(const KorString &name) override {
    outputFileName_ = name;
  }
  uint32_t seed() const override { return seed_; }
  void setSeed(uint32_t seed) { seed_ = seed; }
  /// The results of the most recent run, or null.
  IKorTestResults *lastResults() const override { return lastResults_.get(); }
  const KortestCounts &lastCounts() const override { return lastCounts_; }
  double lastElapsedSeconds() const override { return lastElapsed_; }
  IFileNameWidgetV2 *fileNameWidget() const override {
    return fileNameWidget_.get();
  }

protected:
  /// The dialog's current choices (read from its widgets while it exists).
  virtual KortestRunChoices currentChoices();
  /// Shows a finished run in the open dialog: seed, counts, time.
  virtual void showRunInDialog();

private:
  const KorString &dialogTitle() override { return Title(); }
  /// Gives a chosen file router the output file name, then runs and
  /// reports.
  void runFromDialog(const KorArray<IKorTest *> &tests,
                     const KortestRunChoices &choices) override;
  void findOutputFileName();
  /// Reports a formatter or router name that matches none of the list.
  static void reportNoSuch(const char *what, const KorString &name);

  std::vector<IPtr<IKorTestResultsRouter>> routers_;
  std::vector<IPtr<IKorTestResultsFormatter>> formatters_;
  KorString outputFileName_;
  uint32_t seed_ = 0;
  IPtr<IKorTestResults> lastResults_;
  IPtr<IFileNameWidgetV2> fileNameWidget_;
  KortestCounts lastCounts_;
  double lastElapsed_ = 0.0;
  /// The tests a script's selection matched, for its coming run; a dialog
  /// run counts the selected tests of its list.
  std::optional<int32_t> matched_;
  KortestDialog dialog_{*this};
};

/// `directory` joined with `file` by "/" (none after a trailing separator
/// or for an empty directory), "\" turned into "/" and trailing separators
/// removed.
KorString korJoinOutputPath(const KorString &directory, const char *file);
