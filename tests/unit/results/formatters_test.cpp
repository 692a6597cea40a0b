// Every results formatter against its checked-in report (the Visual Studio
// lines as the registry makes them, without passed, skipped and aborted
// records), then what only one formatter does: the Visual Studio line limit,
// the XML root without a date utility, and the parts both XML documents
// share.
#include "component/ikordateutil.h"
#include "host/services/domxml.h"
#include "results/genvisualstudioresultsformatter.h"
#include "results/genxmlresultsformatter.h"
#include "results/resultsregistry.h"
#include "results/resultsxml.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/hostfixture.h"
#include "tests/unit/support/resultsfakes.h"
#include <algorithm>

using namespace korresults;

namespace {
/// Writes one fixed date and time, whatever the objects hold.
class FixedDateUtil : public IKorDateUtil {
public:
  KOR_CLASS(FixedDateUtil, IKorDateUtil)
  void FormatDateTime(KorString &out, IKorDate *, IKorTime *) override {
    out = KorString(u"2024-05-06T14:03:07+02:00");
  }
};

constexpr const char *kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

/// The report of each formatter as the registry creates it of the mixed run
/// and of an empty run, and whether it needs the host's XML document
/// service (without it the previous output stays).
struct Report {
  const char *className, *mixedFile;
  std::string empty;
  bool needsDocument;
};
const Report kReports[] = {
    {"GenVisualStudioResultsFormatter", "vs_mixed.txt", "", false},
    {"GenXmlResultsFormatter", "xml_mixed.xml",
     std::string(kXmlHead) +
         "<korTestResults passed=\"true\" testDateTime=\"2024-05-06T14:03:07"
         "+02:00\" testHostname=\"buildhost\"/>\n",
     true},
    {"GenJUnitResultsFormatter", "junit_mixed.xml",
     std::string(kXmlHead) + "<testsuites/>\n", true},
};

/// The formatter's text for `run`, as UTF-8.
std::string reportOf(IKorTestResultsFormatter &formatter, FakeRun &run) {
  formatter.Format(&run.results);
  return utf8Of(formatter.GetOutput());
}

class FormatterTest : public HostManagerTest {
protected:
  void useServices() {
    manager_->RegisterService("IKorDOMXmlV2", new HostXmlDocument);
    manager_->RegisterService("IKorDateUtil", new FixedDateUtil);
  }
};
} // namespace

TEST_F(FormatterTest, EveryFormatterWritesItsCheckedInReport) {
  ASSERT_EQ(korResultsFormatters().size(), std::size(kReports));
  for (const Report &report : kReports) {
    SCOPED_TRACE(report.className);
    useServices();
    int32_t at = korResultsFormatters().position(report.className);
    ASSERT_GE(at, 0);
    IPtr<IKorTestResultsFormatter> formatter =
        korResultsFormatters().entries()[size_t(at)].create();
    EXPECT_STREQ(formatter->ClassName(), report.className);
    FakeRun mixed, empty;
    buildMixedRun(mixed);
    EXPECT_EQ(reportOf(*formatter, mixed), readExpected(report.mixedFile));
    EXPECT_EQ(reportOf(*formatter, empty), report.empty);
    manager_->releaseServices();
    EXPECT_EQ(reportOf(*formatter, mixed),
              report.needsDocument ? report.empty
                                   : readExpected(report.mixedFile));
  }
}

TEST_F(FormatterTest, XmlRootWithoutTheDateUtilityHasAnEmptyDate) {
  manager_->RegisterService("IKorDOMXmlV2", new HostXmlDocument);
  GenXmlResultsFormatter formatter;
  FakeRun run;
  run.results.hostName = "h\xc3\xa9";
  EXPECT_EQ(reportOf(formatter, run),
            std::string(kXmlHead) +
                "<korTestResults passed=\"true\" "
                "testDateTime=\"\" testHostname=\"h\xc3\xa9\"/>\n");
}

TEST(VisualStudioFormatter, StopsAfterOneHundredLinesPerRecord) {
  FakeRun run;
  IKorTestSuite *suite = run.suite("s");
  GenTestStatus &many = run.add(suite, "Many", kTestFailed);
  for (int i = 1; i <= 105; ++i)
    many.AddMessage(("m" + std::to_string(i)).c_str(), "f", i);
  GenTestStatus &hundred = run.add(suite, "Hundred", kTestFailed);
  for (int i = 1; i <= 100; ++i)
    hundred.AddMessage("h", "g", i);
  GenVisualStudioResultsFormatter formatter;
  std::string out = reportOf(formatter, run);
  EXPECT_NE(out.find("f(100) : Many : m100\nStopped after 100 of 105 "
                     "warnings.\ng(1) : Hundred : h\n"),
            std::string::npos);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 201);
}

// The summary joins ten messages and counts the rest; the class name is the
// suite, then the source file's base name without its extension.
TEST(ResultsXml, MessageSummaryAndTestCaseClassName) {
  FakeRun run;
  GenTestStatus &status = run.add(run.suite("s"), "t", kTestFailed);
  for (int i = 1; i <= 12; ++i)
    status.AddMessage(("m" + std::to_string(i)).c_str(), "", 0);
  EXPECT_STREQ(messageSummary(status).c_str(),
               "m1; m2; m3; m4; m5; m6; m7; m8; m9; m10; <2 more>");
  const std::pair<const char *, const char16_t *> cases[] = {
      {"c:\\src\\tests\\io_test.src", u"S.io_test"},
      {"a.b/c.d.e", u"S.c.d"},
      {"dir/file.txt/", u"S.file"}};
  for (auto [file, name] : cases) {
    GenTestStatus &record = run.add(run.suite("S"), "t", kTestPassed, 0, file);
    EXPECT_EQ(testCaseClassName(KorString(u"S"), record).view(), name) << file;
  }
}
