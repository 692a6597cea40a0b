// Unit tests of the parts both XML formatters share.
#include "results/resultsxml.h"
#include "tests/unit/support/resultsfakes.h"
#include <gtest/gtest.h>

using namespace korresults;

TEST(ResultsXml, SummaryJoinsTenMessagesThenCountsTheRest) {
  FakeRun run;
  IKorTestSuite *suite = run.suite("s");
  FakeStatus &none = run.add(suite, "t", kTestFailed);
  EXPECT_STREQ(messageSummary(none).c_str(), "");
  FakeStatus &ten = run.add(suite, "t", kTestFailed);
  for (int i = 1; i <= 10; ++i)
    ten.AddMessage(("m" + std::to_string(i)).c_str(), "", 0);
  EXPECT_STREQ(messageSummary(ten).c_str(),
               "m1; m2; m3; m4; m5; m6; m7; m8; m9; m10");
  ten.AddMessage("m11", "", 0);
  ten.AddMessage("m12", "", 0);
  EXPECT_STREQ(messageSummary(ten).c_str(),
               "m1; m2; m3; m4; m5; m6; m7; m8; m9; m10; <2 more>");
}

TEST(ResultsXml, ClassNameIsSuiteThenSourceBaseNameWithoutExtension) {
  FakeRun run;
  IKorTestSuite *suite = run.suite("IO Suite");
  KorString name(u"IO Suite");
  auto className = [&](const char *file) {
    return std::u16string(
        testCaseClassName(name, run.add(suite, "t", kTestPassed, 0, file))
            .view());
  };
  EXPECT_EQ(className("c:/src/tests/io_test.src"), u"IO Suite.io_test");
  EXPECT_EQ(className("c:\\src\\tests\\io_test.src"), u"IO Suite.io_test");
  EXPECT_EQ(className("plain"), u"IO Suite.plain");
  EXPECT_EQ(className("a.b/c.d.e"), u"IO Suite.c.d");
  EXPECT_EQ(className("dir/file.txt/"), u"IO Suite.file");
}

TEST(ResultsXml, ErrorsAreUnexpectedExceptionsAndAbortsFailuresTheRest) {
  FakeRun run;
  IKorTestSuite *suite = run.suite("s");
  FakeStatus &plain = run.add(suite, "t", kTestFailed);
  FakeStatus &thrown = run.add(suite, "t", kTestFailed);
  thrown.exceptionOccurred = true;
  FakeStatus &expected = run.add(suite, "t", kTestFailed);
  expected.exceptionOccurred = expected.exceptionExpected = true;
  FakeStatus &aborted = run.add(suite, "t", kTestAborted);
  FakeStatus &skipped = run.add(suite, "t", kTestSkipped);
  EXPECT_TRUE(isFailure(plain) && !isError(plain));
  EXPECT_TRUE(isError(thrown) && !isFailure(thrown));
  EXPECT_TRUE(isFailure(expected) && !isError(expected));
  EXPECT_TRUE(isError(aborted) && !isFailure(aborted));
  EXPECT_FALSE(isError(skipped) || isFailure(skipped));
}
