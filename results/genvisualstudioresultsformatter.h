//===- genvisualstudioresultsformatter.h - Results as clickable lines -----===//
#pragma once
#include "KorBasicTypes/korstring.h"
#include "results/ikortestresultsformatter.h"

/// Writes one "file(line) : test : message" line per message, the form a
/// development environment's output window turns into source locations.
class GenVisualStudioResultsFormatter
    : public virtual IKorTestResultsFormatter {
public:
  KOR_CLASS(GenVisualStudioResultsFormatter, IKorTestResultsFormatter)
  /// `omitPassed` leaves out Passed records, `omitSkipped` Skipped and
  /// Aborted ones.
  explicit GenVisualStudioResultsFormatter(bool omitPassed = false,
                                           bool omitSkipped = false)
      : omitPassed_(omitPassed), omitSkipped_(omitSkipped) {}

  /// Rebuilds the text: at most 100 lines per record, then a stop line.
  void Format(IKorTestResults *results) override;
  const KorString &GetOutput() override { return output_; }

private:
  bool omitted(int state) const;

  KorString output_;
  bool omitPassed_;
  bool omitSkipped_;
};
