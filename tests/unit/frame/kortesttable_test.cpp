// Unit tests of data-driven tests: one test per case of a table.
#include "frame/kortesttable.h"
#include "testservice/genteststatus.h"
#include <gtest/gtest.h>
#include <string>

namespace {
struct Sum {
  int a, b, total;
};

constexpr int kFirstCaseLine = 15;
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

struct Expected {
  const char *className, *description;
  bool enabled;
  const char *reason;
  int line;
};

std::string descriptionOf(IKorTest *test) {
  KorCString text;
  return test->Description(text).c_str();
}
} // namespace

TEST(TestTable, EveryCaseIsATestInDeclarationOrder) {
  uint32_t registered = korTestRegistry().count();
  TableSuite &suite = korCreateSuite<TableSuite>();
  const int line = kFirstCaseLine;
  const Expected expected[] = {
      {"FirstTest", "Plain test before", true, "", 27},
      {"AddsTest", "1 + 1", true, "", line},
      {"AddsTest", "2 + 2 is wrong", true, "", line + 1},
      {"AddsTest", "Overflow", false, "Not decided yet", line + 2},
      {"AddsTest", "10 + 0", true, "", line + 4},
      {"AddsTest", "20 + 0", true, "", line + 4},
      {"LastTest", "Plain test after", true, "", 31},
  };
  ASSERT_EQ(suite.TestCount(), 7);
  EXPECT_EQ(korTestRegistry().count(), registered + 7);
  for (int i = 1; i <= 7; ++i) {
    const Expected &want = expected[i - 1];
    IKorTest *test = suite.TestAt(i);
    SCOPED_TRACE(want.description);
    EXPECT_EQ(korTestRegistry()[registered + i], test);
    EXPECT_EQ(test->Suite(), &suite);
    EXPECT_STREQ(test->ClassName(), want.className);
    EXPECT_EQ(descriptionOf(test), want.description);
    EXPECT_EQ(test->Enabled(), want.enabled);
    EXPECT_STREQ(test->DisabledReason(), want.reason);
    EXPECT_STREQ(test->SourceFile(), "tests/unit/frame/kortesttable_test.cpp");
    EXPECT_EQ(test->DeclarationLine(), want.line);
    EXPECT_TRUE(test->Metadata().empty());
  }
  EXPECT_STREQ(dynamic_cast<KorTestBase *>(suite.TestAt(2))->Categories(),
               "MATH,TABLE");
  void *base = nullptr;
  suite.TestAt(2)->QueryInterface("KorTestBase", &base);
  EXPECT_EQ(base, dynamic_cast<KorTestBase *>(suite.TestAt(2)));
}

TEST(TestTable, EachCaseRunsTheBodyOnItsOwnRowAndSuite) {
  TableSuite &suite = korCreateSuite<TableSuite>();
  const int expected[] = {kTestPassed, kTestFailed, kTestPassed, kTestPassed};
  const int positions[] = {2, 3, 5, 6};
  for (int i = 0; i < 4; ++i) {
    GenTestStatus status(suite.TestAt(positions[i]));
    suite.TestAt(positions[i])->Run(&status);
    EXPECT_EQ(status.GetState(), expected[i])
        << descriptionOf(suite.TestAt(positions[i]));
  }
  suite.offset = 1;
  GenTestStatus shifted(suite.TestAt(3));
  suite.TestAt(3)->Run(&shifted);
  suite.offset = 0;
  EXPECT_EQ(shifted.GetState(), kTestPassed) << "the body sees SUITE_VAR";
}
