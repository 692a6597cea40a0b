//===- kortestdialogowner.h - What the kortest dialog asks of its command -===//
//
// The "Run Programmer Tests" dialog shows and changes the state of the
// command that owns it and asks it to run tests. It reaches the command
// only through KortestDialogOwner, so the dialog does not depend on the
// command's class and the command can hold its dialog by value.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "commands/kortestrunchoices.h"
#include "KorBasicTypes/korarray.h"
#include <cstdint>

class IFileNameWidgetV2;
class IKorTest;
class IKorTestResults;
class KorString;

/// The command behind a "Run Programmer Tests" dialog.
class KortestDialogOwner {
public:
  /// The dialog's title.
  virtual const KorString &dialogTitle() = 0;
  /// The host's file-name field for the output file, or null.
  virtual IFileNameWidgetV2 *fileNameWidget() const = 0;
  /// The file a file router writes the report to.
  virtual const KorString &outputFileName() const = 0;
  virtual void setOutputFileName(const KorString &name) = 0;
  /// The seed the next run starts from, or the last randomized run used.
  virtual uint32_t seed() const = 0;
  /// The results of the most recent run, or null.
  virtual IKorTestResults *lastResults() const = 0;
  virtual const KortestCounts &lastCounts() const = 0;
  virtual double lastElapsedSeconds() const = 0;
  /// Runs `tests` with `choices` and reports; a file router writes to the
  /// output file.
  virtual void runFromDialog(const KorArray<IKorTest *> &tests,
                             const KortestRunChoices &choices) = 0;

protected:
  ~KortestDialogOwner() = default;
};
