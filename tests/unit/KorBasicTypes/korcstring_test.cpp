//===- korcstring_test.cpp - Narrow string: ownership, search, numbers ----===//
#include "KorBasicTypes/korcstring.h"
#include "tests/unit/support/strtestsupport.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(KorCStringTest, CopiesOwnedTextsAndSharesBorrowedOnes) {
  static const char literal[] = "literal";
  KorCString borrowed = KorCString::borrowed(literal);
  EXPECT_FALSE(borrowed.isOwned());
  KorCString sharedCopy(borrowed);
  EXPECT_EQ(sharedCopy.data(), literal);

  KorCString owned("text");
  EXPECT_GT(owned.capacity(), 4);
  KorCString ownedCopy(owned);
  EXPECT_NE(ownedCopy.data(), owned.data());
  EXPECT_EQ(ownedCopy, "text");

  const char *buffer = owned.data();
  KorCString moved(std::move(owned));
  EXPECT_EQ(moved.data(), buffer);
  EXPECT_TRUE(owned.isNull());
  EXPECT_EQ(owned.capacity(), 0);
}

TEST(KorCStringTest, ChangesOfABorrowedTextCopyItFirst) {
  static const char literal[] = "abc";
  KorCString text = KorCString::borrowed(literal);
  text.toUpper();
  EXPECT_EQ(text, "ABC");
  EXPECT_TRUE(text.isOwned());
  EXPECT_STREQ(literal, "abc");

  KorCString reversed = KorCString::borrowed(literal);
  reversed.reverse();
  EXPECT_EQ(reversed, "cba");
  reversed.replace(0, 1, "z");
  EXPECT_EQ(reversed, "zba");
  EXPECT_STREQ(literal, "abc");
}

TEST(KorCStringTest, BuildsFromPartsCharactersAndNumbers) {
  EXPECT_EQ(KorCString("abcdef", 3), "abc");
  EXPECT_EQ(KorCString("ab", 10), "ab");
  EXPECT_EQ(KorCString("a", nullptr, "c"), "ac");
  EXPECT_TRUE(KorCString(nullptr, "").isNull());
  const char *list[] = {"x", "y", nullptr, "ignored"};
  EXPECT_EQ(KorCString::concat(list), "xy");
  EXPECT_EQ(KorCString('q'), "q");
  EXPECT_EQ(KorCString(int32_t(-42)), "-42");
  EXPECT_EQ(KorCString(2.5), "2.500000");
  EXPECT_EQ(KorCString(0.25f), "0.250000");
}

TEST(KorCStringTest, AdoptedBuffersCountAsOwned) {
  KorCString source("adopt me");
  int32_t capacity = 0;
  char *buffer = source.release(&capacity);
  KorCString adopted = KorCString::adopted(buffer);
  EXPECT_EQ(adopted.capacity(), 9);
  EXPECT_EQ(adopted.data(), buffer);
  KorCString referred = KorCString::refer(buffer, false);
  EXPECT_EQ(referred.capacity(), 0);
}

TEST(KorCStringTest, WideTextKeepsTheLowBytes) {
  const KorWChar wide[] = {u'a', 0xFFE9, 0x0141, 0};
  KorCString narrow(wide);
  ASSERT_EQ(narrow.length(), 3);
  EXPECT_EQ(static_cast<unsigned char>(narrow[1]), 0xE9);
  EXPECT_EQ(static_cast<unsigned char>(narrow[2]), 0x41);

  // The buffer is reused when it is larger than the new text.
  KorCString target("long enough text");
  const char *buffer = target.data();
  target = u"short";
  EXPECT_EQ(target.data(), buffer);
  EXPECT_EQ(target, "short");
}

TEST(KorCStringTest, ComparesBytesUnsignedWithNullFirst) {
  KorCString null;
  EXPECT_EQ(null.compare(""), -1);
  EXPECT_EQ(KorCString("").compare(null), 1);
  EXPECT_EQ(null.compare(nullptr), 0);
  EXPECT_EQ(KorCString("\xE9").compare("z"), 1);
  EXPECT_EQ(KorCString("abc").compare("abd"), -1);
  EXPECT_TRUE(KorCString("b") > KorCString("a"));
  EXPECT_EQ(null.length(), 0);
}

TEST(KorCStringTest, FindsTextsAndCharacters) {
  KorCString hello("hello");
  EXPECT_EQ(hello.find("lo", 0), 3);
  EXPECT_EQ(hello.find("lo", 4), -1);
  EXPECT_EQ(hello.find("", 2), 0);
  EXPECT_EQ(hello.find("hello world"), -1);
  EXPECT_EQ(hello.find('l', 3), 3);
  EXPECT_EQ(hello.find('l', 5), -1);
  EXPECT_EQ(hello.find('l', -1), -1);
  EXPECT_EQ(KorCString().find('a'), -1);
  EXPECT_EQ(hello.rfind('l'), 3);
  EXPECT_EQ(hello.rfind('z'), -1);
  EXPECT_EQ(hello.rfind("l"), 3);
  EXPECT_EQ(KorCString("abc").rfind(""), 3);
  EXPECT_EQ(KorCString("abc").rfind("abcd"), -1);
}

TEST(KorCStringTest, NegativeStartIsReportedAtItsLine) {
  AssertRecorder recorder;
  EXPECT_EQ(KorCString("hello").find("x", -1), -1);
  ASSERT_EQ(recorder.reports.size(), 1u);
  EXPECT_EQ(recorder.reports[0].text, "start >= 0");
  EXPECT_EQ(recorder.reports[0].file, "KorBasicTypes/korcstring");
  EXPECT_EQ(recorder.reports[0].line, 671);
  // The checks before it come first: a longer or an empty text does not
  // report.
  EXPECT_EQ(KorCString("hi").find("long", -1), -1);
  EXPECT_EQ(KorCString("hi").find("", -1), 0);
  EXPECT_EQ(recorder.reports.size(), 1u);
}

TEST(KorCStringTest, ReplacesInPlaceOrRebuilds) {
  KorCString text("abcdef");
  const char *buffer = text.data();
  text.replace(1, 2, "XY");
  EXPECT_EQ(text, "aXYdef");
  EXPECT_EQ(text.data(), buffer);
  text.replace(1, 2, "");
  EXPECT_EQ(text, "adef");
  text.replace(4, 0, "gh");
  EXPECT_EQ(text, "adefgh");
  text.append('!');
  text += "?";
  EXPECT_EQ(text, "adefgh!?");
}

TEST(KorCStringTest, ReplacesAllMatchesLeftToRight) {
  KorCString text("aXa");
  text.replaceAll("a", "bb");
  EXPECT_EQ(text, "bbXbb");
  KorCString growing("aa");
  growing.replaceAll("a", "aa");
  EXPECT_EQ(growing, "aaaa");
  KorCString overlap("aaa");
  overlap.replaceAll("aa", "b");
  EXPECT_EQ(overlap, "ba");

  static const char literal[] = "same";
  KorCString unchanged = KorCString::borrowed(literal);
  unchanged.replaceAll("s", "s");
  unchanged.replaceAll(nullptr, "x");
  unchanged.replaceAll("", "x");
  EXPECT_EQ(unchanged.data(), literal);
}

TEST(KorCStringTest, ChangesCaseByteByByte) {
  KorCString text("MiXeD 1");
  text.toLower();
  EXPECT_EQ(text, "mixed 1");
  text.toUpper();
  EXPECT_EQ(text, "MIXED 1");
  KorCString null;
  null.toUpper();
  EXPECT_TRUE(null.isNull());
}

TEST(KorCStringTest, SimplifiesWhiteSpace) {
  EXPECT_EQ(KorCString("  a \t b  ").simplifyWhiteSpace('_'), "a_b");
  EXPECT_EQ(KorCString("one\ntwo  three").simplifyWhiteSpace(), "one two three");
  EXPECT_EQ(KorCString(" \t ").simplifyWhiteSpace(), "");
  KorCString fromNull = KorCString().simplifyWhiteSpace();
  EXPECT_FALSE(fromNull.isNull());
  EXPECT_EQ(fromNull, "");
}

TEST(KorCStringTest, AbbreviatesToExactlyTheMaximumLength) {
  KorCString text("abcdefghij");
  EXPECT_EQ(text.abbreviate(6, 3, 0), "abc...");
  EXPECT_EQ(text.abbreviate(6, 3, 1), "...hij");
  EXPECT_EQ(text.abbreviate(6, 3, 2), "a...ij");
  EXPECT_EQ(text.abbreviate(3, 3, 0), "...");
  EXPECT_EQ(text.abbreviate(2, 3, 1), "..");
  EXPECT_EQ(text.abbreviate(10, 3, 0), "abcdefghij");
  EXPECT_EQ(text.abbreviate(7, 2, 2), "ab..hij");
}

TEST(KorCStringTest, UnknownAbbreviationModeIsReported) {
  AssertRecorder recorder;
  EXPECT_EQ(KorCString("abcdefghij").abbreviate(6, 3, 5), "abcdefghij");
  ASSERT_EQ(recorder.reports.size(), 1u);
  EXPECT_EQ(recorder.reports[0].text, "0");
  EXPECT_EQ(recorder.reports[0].file, "KorBasicTypes/korcstring");
  EXPECT_EQ(recorder.reports[0].line, 871);
}

TEST(KorCStringTest, ShortestFloatTextReadsBackTheSameValue) {
  EXPECT_EQ(KorCString(0.1f, true), "0.1");
  EXPECT_EQ(KorCString(3.0f, true), "3");
  EXPECT_EQ(KorCString(-7.0, true), "-7");
  EXPECT_EQ(KorCString(0.1, true), "0.1");
  EXPECT_EQ(KorCString(1.0 / 3.0, true), "0.3333333333333333");
  EXPECT_EQ(KorCString(1.0f / 3.0f, true), "0.33333334");
  EXPECT_EQ(KorCString(1e20, true), "1e+20");
  for (float value : {0.3f, 123.456f, -2.5e-3f, 6.02e23f}) {
    KorCString text(value, true);
    EXPECT_EQ(text.toFloat(), value) << text.c_str();
  }
}

TEST(KorCStringTest, ParsingRaisesTheStandardExceptions) {
  EXPECT_EQ(KorCString().toFloat(), 0.0f);
  EXPECT_EQ(KorCString(" 1.5x").toFloat(), 1.5f);
  try {
    KorCString("abc").toFloat();
    FAIL() << "no exception";
  } catch (const std::invalid_argument &e) {
    EXPECT_STREQ(e.what(), "invalid stof argument");
  }
  try {
    KorCString("1e60").toFloat();
    FAIL() << "no exception";
  } catch (const std::out_of_range &e) {
    EXPECT_STREQ(e.what(), "stof argument out of range");
  }
  try {
    KorCString("").toDouble();
    FAIL() << "no exception";
  } catch (const std::invalid_argument &e) {
    EXPECT_STREQ(e.what(), "invalid stod argument");
  }
  try {
    KorCString("1e999").toDouble();
    FAIL() << "no exception";
  } catch (const std::out_of_range &e) {
    EXPECT_STREQ(e.what(), "stod argument out of range");
  }
  // A subnormal float does not read back within range.
  EXPECT_THROW(KorCString(1e-45f, true), std::out_of_range);
}

} // namespace
