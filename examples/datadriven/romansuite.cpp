//===- romansuite.cpp - Tests made from tables of cases -------------------===//
//
// Roman numerals, tested from data: a table written case by case, and a
// table built in a loop. KOR_TEST_TABLE makes one test per case, named by
// the case's description and declared at the line that added it.
//
//===----------------------------------------------------------------------===//
#include "frame/korsuiteregistration.h"
#include "frame/kortesttable.h"
#include <string>
#include <string_view>
#include <utility>

namespace {
/// The value of one Roman digit; 0 for anything else.
int digitValue(char digit) {
  static constexpr std::string_view kDigits = "IVXLCDM";
  static constexpr int kValues[] = {1, 5, 10, 50, 100, 500, 1000};
  size_t at = kDigits.find(digit);
  return at == std::string_view::npos ? 0 : kValues[at];
}

/// The code under test: the value of an upper-case Roman numeral.
int readRoman(std::string_view text) {
  int total = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    int digit = digitValue(text[i]);
    bool subtracted = i + 1 < text.size() && digit < digitValue(text[i + 1]);
    total += subtracted ? -digit : digit;
  }
  return total;
}

/// The code under test: the Roman numeral of 1 to 3999.
std::string writeRoman(int value) {
  static const std::pair<int, const char *> digits[] = {
      {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"},
      {90, "XC"},  {50, "L"},   {40, "XL"}, {10, "X"},   {9, "IX"},
      {5, "V"},    {4, "IV"},   {1, "I"}};
  std::string text;
  for (const auto &[step, digit] : digits)
    for (; value >= step; value -= step)
      text += digit;
  return text;
}

/// One row: a numeral and its value.
struct Numeral {
  const char *text;
  int value;
};

/// Written case by case: each case's declaration is the line of its add.
KorTestTable<Numeral> numerals() {
  return KorTestTable<Numeral>()
      .add("Reads I", {"I", 1})
      .add("Reads IV", {"IV", 4})
      .add("Reads IX", {"IX", 9})
      .add("Reads XLII", {"XLII", 42})
      .add("Reads MCMXCIV", {"MCMXCIV", 1994})
      .addDisabled("Reads mmxxiv", {"mmxxiv", 2024},
                   "Lower case is not read yet");
}

/// Built in a loop: one case per value, all declared at the loop's line.
KorTestTable<int> roundTrips() {
  KorTestTable<int> table;
  for (int value : {1, 14, 399, 2024, 3999})
    table.add("Round trip of " + std::to_string(value), value);
  return table;
}
} // namespace

class RomanSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(RomanSuite, "Roman Suite")

  KOR_TEST_TABLE(ReadsNumeralTest, "EXAMPLE,TABLE", Numeral, numerals()) {
    TEST_ASSERT_EQUALS(readRoman(row.text), row.value);
  }

  KOR_TEST_TABLE(RoundTripTest, "EXAMPLE,TABLE", int, roundTrips()) {
    TEST_ASSERT_EQUALS(readRoman(writeRoman(row)), row);
  }

  // Ordinary tests and tables mix in one suite, in declaration order.
  KOR_TEST(EmptyNumeralTest, "Reads the empty numeral as 0", "EXAMPLE") {
    TEST_ASSERT_EQUALS(readRoman(""), 0);
  }
};
KOR_REGISTER_SUITE(RomanSuite);
