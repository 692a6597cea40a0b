// Unit tests of the Visual Studio lines formatter.
#include "results/genvisualstudioresultsformatter.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/resultsfakes.h"
#include <algorithm>
#include <gtest/gtest.h>

TEST(VisualStudioFormatter, OneLinePerMessageForEveryRecordByDefault) {
  FakeRun run;
  buildMixedRun(run);
  GenVisualStudioResultsFormatter formatter;
  formatter.Format(&run.results);
  EXPECT_EQ(utf8Of(formatter.GetOutput()), readExpected("vs_mixed.txt"));
}

TEST(VisualStudioFormatter, OmitFlagsLeaveOutPassedSkippedAndAborted) {
  FakeRun run;
  IKorTestSuite *suite = run.suite("s");
  run.add(suite, "P", kTestPassed).AddMessage("p", "f", 1);
  run.add(suite, "S", kTestSkipped).AddMessage("s", "f", 2);
  run.add(suite, "A", kTestAborted).AddMessage("a", "f", 3);
  run.add(suite, "N", kTestNotRun).AddMessage("n", "f", 4);
  run.add(suite, "F", kTestFailed).AddMessage("x", "f", 5);
  GenVisualStudioResultsFormatter both(true, true), passedOnly(true, false);
  both.Format(&run.results);
  EXPECT_EQ(utf8Of(both.GetOutput()), "f(4) : N : n\nf(5) : F : x\n");
  passedOnly.Format(&run.results);
  EXPECT_EQ(utf8Of(passedOnly.GetOutput()),
            "f(2) : S : s\nf(3) : A : a\nf(4) : N : n\nf(5) : F : x\n");
}

TEST(VisualStudioFormatter, StopsAfterOneHundredLinesPerRecord) {
  FakeRun run;
  IKorTestSuite *suite = run.suite("s");
  FakeStatus &many = run.add(suite, "Many", kTestFailed);
  for (int i = 1; i <= 105; ++i)
    many.AddMessage(("m" + std::to_string(i)).c_str(), "f", i);
  FakeStatus &hundred = run.add(suite, "Hundred", kTestFailed);
  for (int i = 1; i <= 100; ++i)
    hundred.AddMessage("h", "g", i);
  GenVisualStudioResultsFormatter formatter;
  formatter.Format(&run.results);
  std::string out = utf8Of(formatter.GetOutput());
  EXPECT_NE(out.find("f(100) : Many : m100\nStopped after 100 of 105 "
                     "warnings.\ng(1) : Hundred : h\n"),
            std::string::npos);
  EXPECT_EQ(out.find("m101"), std::string::npos);
  EXPECT_EQ(out.find("Stopped after 100 of 100"), std::string::npos);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 201);
}

TEST(VisualStudioFormatter, EachFormatStartsFromEmpty) {
  FakeRun run;
  run.add(run.suite("s"), "F", kTestFailed).AddMessage("x", "f", 5);
  GenVisualStudioResultsFormatter formatter;
  formatter.Format(&run.results);
  formatter.Format(&run.results);
  EXPECT_EQ(utf8Of(formatter.GetOutput()), "f(5) : F : x\n");
  FakeRun empty;
  formatter.Format(&empty.results);
  EXPECT_TRUE(formatter.GetOutput().isEmpty());
}
