// Unit tests of data-driven tests: one test per case of a table, between
// the suite's plain tests, each running the body on its own row. The
// names, reasons, files and lines of cases are checked by the kit's
// listing (tests/e2e/expected/kit_datadriven_list.txt).
#include "frame/kortesttable.h"
#include "testservice/genteststatus.h"
#include <gtest/gtest.h>
#include <string>

namespace {
struct Sum {
  int a, b, total;
};

KorTestTable<Sum> sums() {
  KorTestTable<Sum> table;
  table.add("1 + 1", {1, 1, 2})
      .add("2 + 2 is wrong", {2, 2, 5})
      .addDisabled("Overflow", {1, 2, 3}, "Not decided yet");
  for (int n : {10, 20})
    table.add(std::to_string(n) + " + 0", {n, 0, n});
  return table;
}

class TableSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(TableSuite, "Table Suite")
  int offset = 0;

  KOR_TEST(FirstTest, "Plain test before", "PLAIN") {}
  KOR_TEST_TABLE(AddsTest, "MATH,TABLE", Sum, sums()) {
    TEST_ASSERT_EQUALS(row.a + row.b + SUITE_VAR->offset, row.total);
  }
  KOR_TEST(LastTest, "Plain test after", "PLAIN") {}
};

/// The state a run leaves, or NotRun for a disabled test.
int runState(IKorTest *test) {
  GenTestStatus status(test);
  if (test->Enabled())
    test->Run(&status);
  return status.GetState();
}
} // namespace

TEST(TestTable, EveryCaseIsATestInDeclarationOrderRunOnItsRow) {
  TableSuite &suite = korCreateSuite<TableSuite>();
  struct Row {
    const char *description;
    int state;
  } rows[] = {
      {"Plain test before", kTestPassed}, {"1 + 1", kTestPassed},
      {"2 + 2 is wrong", kTestFailed},    {"Overflow", kTestNotRun},
      {"10 + 0", kTestPassed},            {"20 + 0", kTestPassed},
      {"Plain test after", kTestPassed},
  };
  ASSERT_EQ(suite.TestCount(), 7);
  for (int i = 1; i <= 7; ++i) {
    KorCString description;
    EXPECT_STREQ(suite.TestAt(i)->Description(description).c_str(),
                 rows[i - 1].description);
    EXPECT_EQ(runState(suite.TestAt(i)), rows[i - 1].state)
        << rows[i - 1].description;
  }
  EXPECT_STREQ(suite.TestAt(4)->DisabledReason(), "Not decided yet");
  EXPECT_STREQ(suite.TestAt(2)->SourceFile(),
               "tests/unit/frame/kortesttable_test.cpp");
  EXPECT_EQ(suite.TestAt(5)->DeclarationLine(), suite.TestAt(6)->DeclarationLine())
      << "cases added in one loop share its line";
  suite.offset = 1;
  EXPECT_EQ(runState(suite.TestAt(3)), kTestPassed) << "the body sees SUITE_VAR";
  suite.offset = 0;
}
