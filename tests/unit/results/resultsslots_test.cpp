// Pins the slot positions of the results contracts and the host services
// the formatters call.
#include "component/ikordateutil.h"
#include "component/ikordomxml.h"
#include "results/ikortestresultsformatter.h"
#include "results/ikortestresultsrouter.h"
#include "tests/unit/support/slotcheck.h"
#include <gtest/gtest.h>

TEST(ResultsSlots, FormatterAndRouter) {
  EXPECT_SLOT(&IKorTestResultsFormatter::Format, 0);
  EXPECT_SLOT(&IKorTestResultsFormatter::GetOutput, 1);
  EXPECT_SLOT(&IKorTestResultsRouter::Route, 0);
}

TEST(ResultsSlots, XmlDocumentElementAndDateUtility) {
  EXPECT_SLOT(&IKorDOMXmlV2::SaveToText, 4);
  EXPECT_SLOT(&IKorDOMXmlV2::CreateElement, 7);
  EXPECT_SLOT(&IKorDOMXmlV2::SetRootElement, 9);
  EXPECT_SLOT(&IKorDOMXmlElement::SetAttribute, 10);
  EXPECT_SLOT(&IKorDOMXmlElement::SetText, 18);
  EXPECT_SLOT(&IKorDOMXmlElement::AppendChild, 21);
  EXPECT_SLOT(&IKorDateUtil::FormatDateTime, 3);
}
