// Unit tests of data-driven tests: one test per case of a table, between
// the suite's plain tests, each running the body on its own row.
#include "frame/kortesttable.h"
#include "testservice/genteststatus.h"
#include <gtest/gtest.h>
#include <string>

namespace {
struct Sum {
  int a, b, total;
};

constexpr int kFirstCaseLine = 16;
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

int runState(IKorTest *test) {
  GenTestStatus status(test);
  test->Run(&status);
  return status.GetState();
}
} // namespace

TEST(TestTable, EveryCaseIsATestInDeclarationOrderRunOnItsRow) {
  uint32_t registered = korTestRegistry().count();
  TableSuite &suite = korCreateSuite<TableSuite>();
  const int line = kFirstCaseLine;
  struct Row {
    const char *description, *reason;
    int line, state;
  } rows[] = {
      {"Plain test before", "", line + 12, kTestPassed},
      {"1 + 1", "", line, kTestPassed},
      {"2 + 2 is wrong", "", line + 1, kTestFailed},
      {"Overflow", "Not decided yet", line + 2, kTestNotRun},
      {"10 + 0", "", line + 4, kTestPassed},
      {"20 + 0", "", line + 4, kTestPassed},
      {"Plain test after", "", line + 16, kTestPassed},
  };
  ASSERT_EQ(suite.TestCount(), 7);
  for (int i = 1; i <= 7; ++i) {
    const Row &row = rows[i - 1];
    IKorTest *test = suite.TestAt(i);
    KorCString description;
    SCOPED_TRACE(row.description);
    EXPECT_EQ(korTestRegistry()[registered + i], test);
    EXPECT_EQ(test->Suite(), &suite);
    EXPECT_STREQ(test->Description(description).c_str(), row.description);
    EXPECT_EQ(test->Enabled(), row.state != kTestNotRun);
    EXPECT_STREQ(test->DisabledReason(), row.reason);
    EXPECT_STREQ(test->SourceFile(), "tests/unit/frame/kortesttable_test.cpp");
    EXPECT_EQ(test->DeclarationLine(), row.line);
    if (test->Enabled()) {
      EXPECT_EQ(runState(test), row.state);
    }
  }
  EXPECT_STREQ(dynamic_cast<KorTestBase *>(suite.TestAt(2))->Categories(),
               "MATH,TABLE");
  suite.offset = 1;
  EXPECT_EQ(runState(suite.TestAt(3)), kTestPassed)
      << "the body sees SUITE_VAR";
  suite.offset = 0;
}
