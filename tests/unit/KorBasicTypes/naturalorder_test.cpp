//===- naturalorder_test.cpp - Natural-order comparison, both widths ------===//
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/naturalorder.h"
#include <cctype>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

TEST(NaturalOrderTest, NullsAndWideDigits) {
  // Null sorts before empty; the rule itself is checked against the model
  // below.
  const char *null = nullptr;
  EXPECT_EQ(std::vector<int>({korNaturalCompare(null, ""),
                              korNaturalCompare(null, null),
                              korNaturalCompare(KorString(), KorString(u"")),
                              korNaturalCompare(KorString(u"b2"), KorString(u"b10")),
                              // U+0661 is no digit here, nor U+0131 (low byte '1').
                              korNaturalCompare(u"a2", u"a\u0661"),
                              korNaturalCompare(u"a\u0131", u"a2")}),
            std::vector<int>({-1, 0, -1, -1, -1, 1}));
}

/// The rule as stated, one character at a time: the model the comparison
/// is checked against.
int modelCompare(const std::string &a, const std::string &b) {
  size_t i = 0, j = 0;
  int tieBreak = 0;
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (;;) {
    if (i == a.size())
      return j < b.size() ? -1 : tieBreak;
    if (j == b.size())
      return 1;
    if (digit(a[i]) && digit(b[j])) {
      while (a[i] == '0')
        ++i;
      while (b[j] == '0')
        ++j;
      if (tieBreak == 0 && i != j)
        tieBreak = i > j ? -1 : 1;
      size_t endA = i, endB = j;
      while (endA < a.size() && digit(a[endA]))
        ++endA;
      while (endB < b.size() && digit(b[endB]))
        ++endB;
      if (endA - i != endB - j)
        return endA - i > endB - j ? 1 : -1;
      for (; i < endA; ++i, ++j)
        if (a[i] != b[j])
          return a[i] < b[j] ? -1 : 1;
      continue;
    }
    int lowerA = std::tolower(static_cast<unsigned char>(a[i]));
    int lowerB = std::tolower(static_cast<unsigned char>(b[j]));
    if (lowerA != lowerB)
      return lowerA < lowerB ? -1 : 1;
    if (tieBreak == 0 && a[i] != b[j])
      tieBreak =
          static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j])
              ? -1
              : 1;
    ++i;
    ++j;
  }
}

TEST(NaturalOrderTest, AgreesWithTheRuleOnRandomNames) {
  // Names over few characters, so that stems, numbers, leading zeros and
  // case differences meet often. In the C locale the wide form, which
  // leaves units from 128 up as they are, orders them the same way.
  const char alphabet[] = {'0', '0', '1', '9', 'a', 'A', 'b', '_', '\xE9'};
  std::mt19937 random(7);
  auto name = [&] {
    std::string text(random() % 7, ' ');
    for (char &c : text)
      c = alphabet[random() % sizeof alphabet];
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    std::string a = name(), b = random() % 2 ? name() : a.substr(0, 3) + name();
    std::u16string wideA(a.begin(), a.end()), wideB(b.begin(), b.end());
    for (char16_t &u : wideA)
      u = static_cast<unsigned char>(u);
    for (char16_t &u : wideB)
      u = static_cast<unsigned char>(u);
    int expected = modelCompare(a, b);
    ASSERT_EQ(korNaturalCompare(a.c_str(), b.c_str()), expected)
        << a << " / " << b;
    ASSERT_EQ(korNaturalCompare(wideA.c_str(), wideB.c_str()), expected)
        << a << " / " << b;
  }
}

} // namespace
