//===- genxmlresultsformatter.cpp - Results as the native XML document ----===//
#include "results/genxmlresultsformatter.h"
#include "component/ikordateutil.h"
#include "component/ikordomxml.h"
#include "frame/ikortestresults.h"
#include "component/iptr.h"
#include "results/resultstext.h"
#include "results/resultsxml.h"

using namespace korresults;

namespace {
/// The run's date and time as the host writes them; empty without the
/// host's date utility.
KorString runDateTime(IKorTestResults &results) {
  KorString text;
  SPtr<IKorDateUtil> dates;
  if (dates)
    dates->FormatDateTime(text, results.GetDate(), results.GetTime());
  return text;
}
} // namespace

void GenXmlResultsFormatter::Format(IKorTestResults *results) {
  SPtr<IKorDOMXmlV2> document;
  if (!document || !results)
    return;
  KorString dateTime = runDateTime(*results);
  IPtr<IKorDOMXmlElement> root(document->CreateElement(u"korTestResults"));
  if (!root)
    return;
  document->SetRootElement(root.get());
  root->SetAttribute(u"passed", results->AllPassed() ? u"true" : u"false");
  root->SetAttribute(u"testDateTime", dateTime.data());
  root->SetAttribute(u"testHostname",
                     korResultsText(results->GetHostName()).data());
  for (const auto &[name, records] : groupBySuite(*results)) {
    IPtr<IKorDOMXmlElement> suite(document->CreateElement(u"suite"));
    if (!suite)
      continue;
    suite->SetAttribute(u"name", name.data());
    for (IKorTestStatus *status : records)
      appendTestCase(*document, *suite, *status, name);
    root->AppendChild(suite.get());
  }
  saveAndRelease(*document, u"korTestResults", output_);
}
