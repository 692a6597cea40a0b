//===- resultsxml.cpp - Parts shared by the XML results formatters --------===//
#include "results/resultsxml.h"
#include "component/ikordomxml.h"
#include "frame/ikortest.h"
#include "frame/ikortestresults.h"
#include "frame/ikorteststatus.h"
#include "frame/ikortestsuite.h"
#include "component/iptr.h"
#include "KorBasicTypes/naturalorder.h"
#include "results/resultpath.h"
#include "results/resultstext.h"
#include <string>

namespace korresults {
namespace {
KorString suiteNameOf(IKorTestStatus &status) {
  IKorTest *test = status.GetTest();
  IKorTestSuite *suite = test ? test->Suite() : nullptr;
  if (!suite)
    return KorString();
  KorCString name;
  return korResultsText(suite->Name(name).data());
}

/// The child element of a record by its state, or null for none.
const KorWChar *childTagOf(IKorTestStatus &status) {
  switch (status.GetState()) {
  case kTestFailed:
    return isError(status) ? u"error" : u"failure";
  case kTestSkipped:
    return u"skipped";
  case kTestAborted:
    return u"error";
  default:
    return nullptr;
  }
}
} // namespace

bool SuiteNameLess::operator()(const KorString &a, const KorString &b) const {
  int order = korNaturalCompare(a, b);
  if (order != 0)
    return order < 0;
  return a.view() < b.view();
}

SuiteGroups groupBySuite(IKorTestResults &results) {
  SuiteGroups groups;
  int count = results.GetCount();
  for (int i = 1; i <= count; ++i) {
    IKorTestStatus *status = results.GetStatus(uint32_t(i));
    if (status)
      groups[suiteNameOf(*status)].push_back(status);
  }
  return groups;
}

bool isError(IKorTestStatus &status) {
  int state = status.GetState();
  return state == kTestAborted ||
         (state == kTestFailed && status.ExceptionOccurred() &&
          !status.IsExceptionExpected());
}

bool isFailure(IKorTestStatus &status) {
  return status.GetState() == kTestFailed && !isError(status);
}

KorCString messageSummary(IKorTestStatus &status) {
  constexpr int kShown = 10;
  int count = status.GetMessageCount();
  std::string summary;
  for (int i = 1; i <= count && i <= kShown; ++i) {
    if (i > 1)
      summary += "; ";
    if (const char *message = status.GetMessage(i))
      summary += message;
  }
  if (count > kShown)
    summary += "; <" + std::to_string(count - kShown) + " more>";
  return KorCString(summary.c_str());
}

KorString testCaseClassName(const KorString &suiteName,
                            IKorTestStatus &status) {
  IKorTest *test = status.GetTest();
  const char *source = test ? test->SourceFile() : nullptr;
  std::string base = korpath::baseName<char>(source ? source : "");
  KorString name(suiteName);
  name.append(u".");
  name.append(korResultsText(base.c_str()));
  return name;
}

void appendTestCase(IKorDOMXmlDocument &document, IKorDOMXmlElement &parent,
                    IKorTestStatus &status, const KorString &suiteName) {
  IPtr<IKorDOMXmlElement> testCase(document.CreateElement(u"testcase"));
  if (!testCase)
    return;
  IKorTest *test = status.GetTest();
  KorCString description;
  if (test)
    test->Description(description);
  testCase->SetAttribute(u"classname",
                         testCaseClassName(suiteName, status).data());
  testCase->SetAttribute(u"name", korResultsText(description.data()).data());
  testCase->SetAttribute(u"time",
                         KorString::number(status.GetDuration()).data());
  if (const KorWChar *tag = childTagOf(status)) {
    IPtr<IKorDOMXmlElement> child(document.CreateElement(tag));
    if (child) {
      child->SetAttribute(u"type", u"Unit Test");
      child->SetText(korResultsText(messageSummary(status).data()).data());
      testCase->AppendChild(child.get());
    }
  }
  parent.AppendChild(testCase.get());
}

void saveAndRelease(IKorDOMXmlDocument &document, const KorWChar *rootName,
                    KorString &out) {
  document.SaveToText(out);
  IPtr<IKorDOMXmlElement> empty(document.CreateElement(rootName));
  document.SetRootElement(empty.get());
}

} // namespace korresults
