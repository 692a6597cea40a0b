//===- naturalorder_test.cpp - Natural-order comparison, both widths ------===//
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/naturalorder.h"
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

/// The comparison of a and b, checked against the swapped one.
int antisymmetric(const char *a, const char *b) {
  int forward = korNaturalCompare(a, b);
  EXPECT_EQ(korNaturalCompare(b, a), -forward) << a << " / " << b;
  std::u16string wideA(a, a + std::strlen(a)), wideB(b, b + std::strlen(b));
  EXPECT_EQ(korNaturalCompare(wideA.c_str(), wideB.c_str()), forward)
      << a << " / " << b;
  return forward;
}

TEST(NaturalOrderTest, NumbersCompareByValue) {
  EXPECT_EQ(antisymmetric("file2", "file10"), -1);
  EXPECT_EQ(antisymmetric("x9y", "x10y"), -1);
  EXPECT_EQ(antisymmetric("x10y", "x10z"), -1);
  EXPECT_EQ(antisymmetric("v1.2.10", "v1.2.9"), 1);
  EXPECT_EQ(antisymmetric("123", "124"), -1);
  EXPECT_EQ(antisymmetric("file10", "file10"), 0);
}

TEST(NaturalOrderTest, TextComparesWithoutCaseFirst) {
  EXPECT_EQ(antisymmetric("abc", "abd"), -1);
  EXPECT_EQ(antisymmetric("abc", "ABD"), -1);
  EXPECT_EQ(antisymmetric("a", "Ab"), -1);
  EXPECT_EQ(antisymmetric("ab", "abc"), -1);
  // Texts that differ only in case still have a fixed order.
  EXPECT_NE(antisymmetric("abc", "ABC"), 0);
  EXPECT_EQ(antisymmetric("a_", "a0"), 1); // '_' (0x5F) is above '0'
}

TEST(NaturalOrderTest, LeadingZerosOnlyBreakTies) {
  EXPECT_EQ(antisymmetric("a01", "a1"), -1);
  EXPECT_EQ(antisymmetric("a01", "a2"), -1);
  EXPECT_EQ(antisymmetric("a001b", "a01c"), -1);
  EXPECT_EQ(antisymmetric("a01c", "a1b"), 1);
  EXPECT_EQ(antisymmetric("a0", "a00"), 1);
}

TEST(NaturalOrderTest, NullSortsFirst) {
  EXPECT_EQ(korNaturalCompare(static_cast<const char *>(nullptr), ""), -1);
  EXPECT_EQ(korNaturalCompare("", static_cast<const char *>(nullptr)), 1);
  EXPECT_EQ(korNaturalCompare(static_cast<const char *>(nullptr),
                              static_cast<const char *>(nullptr)),
            0);
  EXPECT_EQ(korNaturalCompare(KorString(), KorString(u"")), -1);
  EXPECT_EQ(korNaturalCompare(KorString(u"b2"), KorString(u"b10")), -1);
}

TEST(NaturalOrderTest, WideFormCountsOnlyAsciiDigits) {
  // U+0661 (Arabic-Indic one) is not a digit here; U+0131's low byte is
  // '1', which does not make it one either.
  EXPECT_EQ(korNaturalCompare(u"a2", u"a\u0661"), -1);
  EXPECT_EQ(korNaturalCompare(u"a\u0131", u"a2"), 1);
  EXPECT_EQ(korNaturalCompare(u"\u00E9", u"\u00C9"), 1);
}

TEST(NaturalOrderTest, SortsFileNames) {
  std::vector<std::string> names = {"img12.png", "img10.png", "IMG2.png",
                                    "img1.png", "img02.png"};
  std::sort(names.begin(), names.end(), [](auto &a, auto &b) {
    return korNaturalCompare(a.c_str(), b.c_str()) < 0;
  });
  // The first tie-break met decides: case at the first letter here.
  EXPECT_EQ(names, (std::vector<std::string>{"img1.png", "IMG2.png",
                                             "img02.png", "img10.png",
                                             "img12.png"}));
}

} // namespace
