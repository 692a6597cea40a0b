// Unit tests of the native XML formatter over korhost's XML service.
#include "host/services/domxml.h"
#include "tests/unit/support/hostfixture.h"
#include "component/ikordateutil.h"
#include "results/genxmlresultsformatter.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/resultsfakes.h"

namespace {
/// Writes one fixed date and time, whatever the objects hold.
class FixedDateUtil : public IKorDateUtil {
public:
  KOR_CLASS(FixedDateUtil, IKorDateUtil)
  void FormatDateTime(KorString &out, IKorDate *, IKorTime *) override {
    out = KorString(u"2024-05-06T14:03:07+02:00");
  }
};

class XmlFormatterTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    manager_->RegisterService("IKorDOMXmlV2", new HostXmlDocument);
  }
  std::string format(FakeRun &run) {
    formatter_.Format(&run.results);
    return utf8Of(formatter_.GetOutput());
  }
  GenXmlResultsFormatter formatter_;
};
} // namespace

TEST_F(XmlFormatterTest, MixedRunMatchesTheCheckedInReport) {
  manager_->RegisterService("IKorDateUtil", new FixedDateUtil);
  FakeRun run;
  buildMixedRun(run);
  EXPECT_EQ(format(run), readExpected("xml_mixed.xml"));
}

TEST_F(XmlFormatterTest, EmptyRunPassesAndDateIsEmptyWithoutTheDateUtility) {
  FakeRun run;
  run.results.hostName = "h\xc3\xa9";
  EXPECT_EQ(format(run), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<korTestResults passed=\"true\" testDateTime=\"\" "
                         "testHostname=\"h\xc3\xa9\"/>\n");
}

TEST_F(XmlFormatterTest, AnyRecordOtherThanPassedMakesTheRunNotPassed) {
  FakeRun run;
  IKorTestSuite *suite = run.suite("s");
  run.add(suite, "ok", kTestPassed);
  run.add(suite, "skipped", kTestSkipped);
  EXPECT_NE(format(run).find("passed=\"false\""), std::string::npos);
}

TEST_F(XmlFormatterTest, KeepsThePreviousOutputWithoutTheDocumentService) {
  FakeRun run;
  std::string first = format(run);
  manager_->releaseServices();
  buildMixedRun(run);
  EXPECT_EQ(format(run), first);
}
