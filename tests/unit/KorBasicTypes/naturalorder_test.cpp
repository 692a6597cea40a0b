//===- naturalorder_test.cpp - Natural-order comparison, both widths ------===//
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/naturalorder.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(NaturalOrderTest, ComparesNumbersByValueAndTextWithoutCaseFirst) {
  const struct {
    const char *a, *b;
    int order;
  } cases[] = {
      {"file2", "file10", -1}, {"x9y", "x10y", -1}, {"x10y", "x10z", -1},
      {"v1.2.10", "v1.2.9", 1}, {"123", "124", -1}, {"file10", "file10", 0},
      {"abc", "abd", -1}, {"abc", "ABD", -1}, {"a", "Ab", -1},
      {"ab", "abc", -1}, {"a_", "a0", 1}, // '_' (0x5F) is above '0'
      // Case and leading zeros only break ties; the first one met decides.
      {"abc", "ABC", 1}, {"img1", "IMG2", -1}, {"IMG2", "img02", -1},
      {"a01", "a1", -1}, {"a01", "a2", -1}, {"a001b", "a01c", -1},
      {"a01c", "a1b", 1}, {"a0", "a00", 1}, {"", "", 0},
  };
  for (const auto &c : cases) {
    std::u16string a(c.a, c.a + std::strlen(c.a)), b(c.b, c.b + std::strlen(c.b));
    EXPECT_EQ(korNaturalCompare(c.a, c.b), c.order) << c.a << " / " << c.b;
    EXPECT_EQ(korNaturalCompare(c.b, c.a), -c.order) << c.a << " / " << c.b;
    EXPECT_EQ(korNaturalCompare(a.c_str(), b.c_str()), c.order) << c.a;
  }
}

TEST(NaturalOrderTest, NullSortsFirstAndWideFormCountsOnlyAsciiDigits) {
  const char *null = nullptr;
  EXPECT_EQ(korNaturalCompare(null, ""), -1);
  EXPECT_EQ(korNaturalCompare("", null), 1);
  EXPECT_EQ(korNaturalCompare(null, null), 0);
  EXPECT_EQ(korNaturalCompare(KorString(), KorString(u"")), -1);
  EXPECT_EQ(korNaturalCompare(KorString(u"b2"), KorString(u"b10")), -1);
  // U+0661 (Arabic-Indic one) is not a digit here; U+0131's low byte is
  // '1', which does not make it one either.
  EXPECT_EQ(korNaturalCompare(u"a2", u"a\u0661"), -1);
  EXPECT_EQ(korNaturalCompare(u"a\u0131", u"a2"), 1);
  EXPECT_EQ(korNaturalCompare(u"\u00E9", u"\u00C9"), 1);
}

} // namespace
