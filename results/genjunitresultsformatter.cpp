//===- genjunitresultsformatter.cpp - Results as a JUnit XML document -----===//
//
// The JUnit schema in common use types a suite's "time" as a plain decimal;
// a total above 1e10 seconds is written in exponent form ("1.000000e+11")
// like every other number of these reports, which that schema rejects.
//
//===----------------------------------------------------------------------===//
#include "results/genjunitresultsformatter.h"
#include "component/ikordomxml.h"
#include "frame/ikorteststatus.h"
#include "component/iptr.h"
#include "results/resultsxml.h"

using namespace korresults;

namespace {
/// Builds one "testsuite" element, already attached to `root`.
void appendSuite(IKorDOMXmlDocument &document, IKorDOMXmlElement &root,
                 const KorString &name,
                 const std::vector<IKorTestStatus *> &records) {
  IPtr<IKorDOMXmlElement> suite(document.CreateElement(u"testsuite"));
  if (!suite)
    return;
  root.AppendChild(suite.get());
  double time = 0.0;
  int errors = 0, failures = 0;
  for (IKorTestStatus *status : records) {
    time += status->GetDuration();
    errors += isError(*status);
    failures += isFailure(*status);
  }
  suite->SetAttribute(u"errors", KorString::number(int32_t(errors)).data());
  suite->SetAttribute(u"failures",
                      KorString::number(int32_t(failures)).data());
  suite->SetAttribute(u"name", name.data());
  suite->SetAttribute(u"tests",
                      KorString::number(int32_t(records.size())).data());
  suite->SetAttribute(u"time", KorString::number(time).data());
  for (IKorTestStatus *status : records)
    appendTestCase(document, *suite, *status, name);
}
} // namespace

void GenJUnitResultsFormatter::Format(IKorTestResults *results) {
  SPtr<IKorDOMXmlV2> document;
  if (!document || !results)
    return;
  IPtr<IKorDOMXmlElement> root(document->CreateElement(u"testsuites"));
  if (!root)
    return;
  document->SetRootElement(root.get());
  for (const auto &[name, records] : groupBySuite(*results))
    appendSuite(*document, *root, name, records);
  saveAndRelease(*document, u"testsuites", output_);
}
