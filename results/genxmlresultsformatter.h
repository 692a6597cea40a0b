//===- genxmlresultsformatter.h - Results as the native XML document ------===//
#pragma once
#include "KorBasicTypes/korstring.h"
#include "results/ikortestresultsformatter.h"

/// Writes a "korTestResults" document stamped with the outcome, the run's
/// date and time and the host name, holding one "suite" per suite name (in
/// natural order) with one "testcase" per record.
class GenXmlResultsFormatter : public IKorTestResultsFormatter {
public:
  KOR_CLASS(GenXmlResultsFormatter, IKorTestResultsFormatter)
  /// Builds the document through the host's "IKorDOMXmlV2"; without that
  /// service the previous output stays.
  void Format(IKorTestResults *results) override;
  const KorString &GetOutput() override { return output_; }

private:
  KorString output_;
};
