//===- genjunitresultsformatter.h - Results as a JUnit XML document -------===//
#pragma once
#include "KorBasicTypes/korstring.h"
#include "results/ikortestresultsformatter.h"

/// Writes a "testsuites" document with one "testsuite" per suite name (in
/// natural order) holding one "testcase" per record.
class GenJUnitResultsFormatter : public IKorTestResultsFormatter {
public:
  KOR_CLASS(GenJUnitResultsFormatter, IKorTestResultsFormatter)
  /// Builds the document through the host's "IKorDOMXmlV2"; without that
  /// service the previous output stays.
  void Format(IKorTestResults *results) override;
  const KorString &GetOutput() override { return output_; }

private:
  KorString output_;
};
