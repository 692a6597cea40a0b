// Unit tests of the JUnit formatter over korhost's XML document service.
#include "host/services/domxml.h"
#include "tests/unit/support/hostfixture.h"
#include "results/genjunitresultsformatter.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/resultsfakes.h"

namespace {
class JUnitFormatterTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    manager_->RegisterService("IKorDOMXmlV2", new HostXmlDocument);
  }
  std::string format(FakeRun &run) {
    formatter_.Format(&run.results);
    return utf8Of(formatter_.GetOutput());
  }
  GenJUnitResultsFormatter formatter_;
};
} // namespace

TEST_F(JUnitFormatterTest, EmptyRunGivesAnEmptyTestsuitesRoot) {
  FakeRun run;
  EXPECT_EQ(format(run),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites/>\n");
}

TEST_F(JUnitFormatterTest, MixedRunMatchesTheCheckedInReport) {
  FakeRun run;
  buildMixedRun(run);
  EXPECT_EQ(format(run), readExpected("junit_mixed.xml"));
}

TEST_F(JUnitFormatterTest, SuitesFollowNaturalOrderAndShareOneEntryPerName) {
  FakeRun run;
  IKorTestSuite *b2 = run.suite("b2");
  run.add(run.suite("b10"), "t1", kTestPassed);
  run.add(b2, "t2", kTestPassed);
  run.add(run.suite("a"), "t3", kTestPassed);
  run.add(run.suite("b2"), "t4", kTestPassed); // same name, other object
  run.add(b2, "t5", kTestPassed);
  std::string out = format(run);
  size_t a = out.find("name=\"a\""), two = out.find("name=\"b2\""),
         ten = out.find("name=\"b10\"");
  ASSERT_NE(ten, std::string::npos);
  EXPECT_LT(a, two);
  EXPECT_LT(two, ten);
  EXPECT_NE(out.find("name=\"b2\" tests=\"3\""), std::string::npos);
  EXPECT_LT(out.find("\"t2\""), out.find("\"t4\""));
  EXPECT_LT(out.find("\"t4\""), out.find("\"t5\""));
}

TEST_F(JUnitFormatterTest, KeepsThePreviousOutputWithoutTheDocumentService) {
  FakeRun run;
  buildMixedRun(run);
  std::string first = format(run);
  manager_->releaseServices();
  FakeRun empty;
  EXPECT_EQ(format(empty), first);
}
