//===- korcstring_test.cpp - Narrow string: ownership, search, numbers ----===//
#include "KorBasicTypes/korcstring.h"
#include "tests/unit/support/binio_testutil.h"
#include "tests/unit/support/strtestsupport.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

/// A computed text against the one expected.
struct Row {
  KorCString got;
  const char *expected;
};

KorCString replaced(const char *text, const char *from, const char *to) {
  KorCString out(text);
  out.replaceAll(from, to);
  return out;
}

TEST(KorCStringTest, BorrowedTextsAreCopiedBeforeChangesOwnedOnesOnCopy) {
  static const char literal[] = "abc";
  KorCString borrowed = KorCString::borrowed(literal), owned("text");
  EXPECT_EQ(KorCString(borrowed).data(), literal);
  EXPECT_NE(KorCString(owned).data(), owned.data());
  KorCString moved(std::move(owned));
  EXPECT_TRUE(owned.isNull());
  borrowed.toUpper();
  KorCString reversed = KorCString::borrowed(literal);
  reversed.reverse();
  reversed.replace(0, 1, "z");
  KorCString unchanged = KorCString::borrowed(literal);
  unchanged.replaceAll("a", "a");
  unchanged.replaceAll("", "x");
  EXPECT_TRUE(borrowed == "ABC" && reversed == "zba" && unchanged.data() == literal);
  EXPECT_STREQ(literal, "abc");
  int32_t capacity = 0;
  char *released = KorCString("adopt me").release(&capacity);
  EXPECT_EQ(KorCString::adopted(released).capacity(), 9);
}

TEST(KorCStringTest, BuildsChangesAndAbbreviatesTexts) {
  const char *list[] = {"x", "y", nullptr, "ignored"};
  const KorWChar wide[] = {u'a', 0xFFE9, 0x0141, 0}; // low bytes kept
  KorCString edited("abcdef"), reused("long enough text"), text("MiXeD 1");
  edited.replace(1, 2, "XY");
  edited.replace(4, 0, "gh");
  edited.replace(1, 1, "");
  edited.append('!');
  edited += "?";
  reused = u"short";
  text.toLower();
  KorCString ten("abcdefghij");
  Row rows[] = {
      {KorCString("abcdef", 3), "abc"},
      {KorCString("a", nullptr, "c"), "ac"},
      {KorCString::concat(list), "xy"},
      {KorCString(int32_t(-42)), "-42"},
      {KorCString(0.25f), "0.250000"},
      {KorCString(wide), "a\xE9\x41"},
      {reused, "short"},
      {edited, "aYdghef!?"},
      {text, "mixed 1"},
      {replaced("aa", "a", "aa"), "aaaa"},
      {replaced("aaa", "aa", "b"), "ba"},
      {KorCString("  a \t b  ").simplifyWhiteSpace('_'), "a_b"},
      {KorCString(" \t ").simplifyWhiteSpace(), ""},
      {ten.abbreviate(6, 3, 0), "abc..."},
      {ten.abbreviate(6, 3, 1), "...hij"},
      {ten.abbreviate(6, 3, 2), "a...ij"},
      {ten.abbreviate(2, 3, 1), ".."},
      {ten.abbreviate(10, 3, 0), "abcdefghij"},
      {ten.abbreviate(7, 2, 2), "ab..hij"},
  };
  for (const Row &r : rows)
    EXPECT_EQ(r.got, r.expected);
  EXPECT_TRUE(KorCString(nullptr, "").isNull());
  EXPECT_FALSE(KorCString().simplifyWhiteSpace().isNull());
}

TEST(KorCStringTest, ComparesUnsignedWithNullFirstAndFinds) {
  KorCString null, hello("hello");
  EXPECT_EQ(std::vector<int>({null.compare(""), KorCString("").compare(null),
                              null.compare(nullptr),
                              KorCString("\xE9").compare("z"),
                              KorCString("abc").compare("abd")}),
            std::vector<int>({-1, 1, 0, 1, -1}));
  EXPECT_EQ(std::vector<int32_t>(
                {hello.find("lo", 0), hello.find("lo", 4), hello.find("", 2),
                 hello.find("hello world"), hello.find('l', 3),
                 hello.find('l', -1), null.find('a'), hello.rfind('l'),
                 hello.rfind('z'), hello.rfind("l"), hello.rfind(""),
                 hello.rfind("hello!")}),
            std::vector<int32_t>({3, -1, 0, -1, 3, -1, -1, 3, -1, 3, 5, -1}));
}

TEST(KorCStringTest, MisuseIsReportedWithTextAndLine) {
  AssertRecorder recorder;
  EXPECT_EQ(KorCString("hello").find("x", -1), -1);
  // The checks before it come first: a longer or an empty text does not
  // report.
  EXPECT_EQ(KorCString("hi").find("long", -1), -1);
  EXPECT_EQ(KorCString("hi").find("", -1), 0);
  EXPECT_EQ(KorCString("abcdefghij").abbreviate(6, 3, 5), "abcdefghij");
  EXPECT_EQ(recorder.reports,
            (std::vector<std::string>{"KorBasicTypes/korcstring:671: start >= 0",
                                      "KorBasicTypes/korcstring:871: 0"}));
}

TEST(KorCStringTest, ShortestFloatTextReadsBackTheSameValue) {
  Row rows[] = {{KorCString(0.1f, true), "0.1"},
                {KorCString(-7.0, true), "-7"},
                {KorCString(1.0 / 3.0, true), "0.3333333333333333"},
                {KorCString(1.0f / 3.0f, true), "0.33333334"},
                {KorCString(1e20, true), "1e+20"}};
  for (const Row &r : rows)
    EXPECT_EQ(r.got, r.expected);
  for (float value : {0.3f, 123.456f, -2.5e-3f, 6.02e23f})
    EXPECT_EQ(KorCString(value, true).toFloat(), value);
  EXPECT_EQ(KorCString().toFloat() + KorCString(" 1.5x").toFloat(), 1.5f);
  EXPECT_THROW(KorCString("abc").toFloat(), std::invalid_argument);
  EXPECT_THROW(KorCString("1e60").toFloat(), std::out_of_range);
  EXPECT_THROW(KorCString("").toDouble(), std::invalid_argument);
  EXPECT_THROW(KorCString("1e999").toDouble(), std::out_of_range);
  // A subnormal float does not read back within range.
  EXPECT_THROW(KorCString(1e-45f, true), std::out_of_range);
}

} // namespace
