//===- korstring_test.cpp - Wide string: ownership, forms, numbers --------===//
#include "component/ikorstrsupport.h"
#include "KorBasicTypes/korstring.h"
#include "tests/unit/support/strtestsupport.h"
#include <gtest/gtest.h>
#include <string>

namespace {

/// A string service with visible rules: reversed order, '_' as the only
/// space, '#' as the only digit, narrow form prefixed with "N:".
class FakeStrSupport : public IKorStrSupport {
public:
  KOR_CLASS(FakeStrSupport, IKorStrSupport)
  void NarrowForm(const KorWChar *text, KorCString &out) override {
    out = KorCString("N:", KorCString(text).c_str());
  }
  int Compare(const KorWChar *a, const KorWChar *b) override {
    return -std::u16string_view(a).compare(b);
  }
  bool IsSpace(KorWChar c) override { return c == u'_'; }
  bool IsDigit(KorWChar c) override { return c == u'#'; }
  void ToLower(KorString &text) override { text = u"lower"; }
  void ToUpper(KorString &text) override { text = u"UPPER"; }
  void Normalize(KorString &text) override { text.append(u"~"); }
  void FoldCase(KorString &text) override { text = u"folded"; }
};

TEST(KorStringTest, BorrowsLiteralsAndCopiesOwnedTexts) {
  static const KorWChar literal[] = u"literal";
  KorString borrowed(literal, 0);
  EXPECT_EQ(borrowed.rawData(), literal);
  EXPECT_EQ(borrowed.capacity(), 0);
  KorString sharedCopy(borrowed);
  EXPECT_EQ(sharedCopy.rawData(), literal);
  KorString assigned;
  assigned = borrowed;
  EXPECT_EQ(assigned.rawData(), literal);

  KorString owned(literal);
  EXPECT_NE(owned.rawData(), literal);
  EXPECT_GE(owned.capacity(), 16);
  KorString ownedCopy(owned);
  EXPECT_NE(ownedCopy.rawData(), owned.rawData());
  EXPECT_EQ(ownedCopy, owned);

  const KorWChar *buffer = owned.rawData();
  KorString moved(std::move(owned));
  EXPECT_EQ(moved.rawData(), buffer);
  EXPECT_TRUE(owned.isNull());
  EXPECT_EQ(owned.data()[0], 0);
}

TEST(KorStringTest, ReusesTheOwnedBufferWhenLargeEnough) {
  KorString text(u"twelve units");
  const KorWChar *buffer = text.rawData();
  text = u"short";
  EXPECT_EQ(text.rawData(), buffer);
  text = u"twelve units";
  EXPECT_EQ(text.rawData(), buffer);
  text = u"now more than twelve units";
  EXPECT_NE(text.rawData(), buffer);
  EXPECT_GE(text.capacity(), 2 * text.length() + 2);
  // Assigning a part of itself is safe.
  text.assign(text.data() + 4, 4);
  EXPECT_EQ(text, u"more");
}

TEST(KorStringTest, WidensNarrowBytesBySignExtension) {
  KorString wide("a\x7F\x80\xE9");
  ASSERT_EQ(wide.length(), 4);
  EXPECT_EQ(wide[1], 0x007F);
  EXPECT_EQ(wide[2], 0xFF80);
  EXPECT_EQ(wide[3], 0xFFE9);
  KorCString back(wide.data());
  EXPECT_EQ(static_cast<unsigned char>(back[3]), 0xE9);
  EXPECT_TRUE(wide == "a\x7F\x80\xE9");
  EXPECT_FALSE(KorString(u"\u00E9") == "\xE9");
}

TEST(KorStringTest, NullAndEmptyAreEqual) {
  KorString null;
  EXPECT_EQ(null.length(), 0);
  EXPECT_TRUE(null == KorString(u""));
  EXPECT_TRUE(null == "");
  EXPECT_TRUE(null == static_cast<const char *>(nullptr));
  EXPECT_TRUE(KorString(u"") == static_cast<const KorWChar *>(nullptr));
  EXPECT_FALSE(KorString(u"a") == KorString(u"ab"));
}

TEST(KorStringTest, NarrowFormWithoutServiceKeepsAscii) {
  KorString pair(u"wide", "narrow literal");
  EXPECT_STREQ(pair.narrow(), "narrow literal");
  KorString copy(pair);
  EXPECT_STREQ(copy.narrow(), "narrow literal");
  pair.append(u"!");
  EXPECT_STREQ(pair.narrow(), "wide!");
  EXPECT_STREQ(KorString(u"a\u00E9b\u4E2Dc").narrow(), "abc");
  EXPECT_STREQ(KorString().narrow(), "");
}

TEST(KorStringTest, Utf8FormEncodesEachUnitAtTheBoundaries) {
  const KorWChar units[] = {0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0xD83D, 0};
  KorString text(units);
  EXPECT_STREQ(text.utf8(), "\x7F"
                            "\xC2\x80"
                            "\xDF\xBF"
                            "\xE0\xA0\x80"
                            "\xEF\xBF\xBF"
                            "\xED\xA0\xBD");
  EXPECT_TRUE(KorString::fromUtf8(text.utf8()) == text);
  EXPECT_STREQ(KorString().utf8(), "");
}

TEST(KorStringTest, Utf8DecodingRejectsWholeText) {
  EXPECT_TRUE(KorString::fromUtf8("h\xC3\xA9") == u"h\u00E9");
  EXPECT_TRUE(KorString::fromUtf8("\xE4\xB8\xAD") == u"\u4E2D");
  // Any other byte keeps its low seven bits.
  EXPECT_TRUE(KorString::fromUtf8("a\xBF") == u"a?");
  for (const char *bad : {"ok\xF0\x9F\x98\x80", "cut\xC3", "cut\xE4\xB8",
                          "\xC0\x80", "\xC1\xBF", "\xE0\x9F\xBF"}) {
    KorString result = KorString::fromUtf8(bad);
    EXPECT_TRUE(result.isEmpty()) << bad;
    EXPECT_EQ(result.rawData(), KorString::emptyString().rawData());
  }
  EXPECT_TRUE(KorString::fromUtf8(nullptr).isEmpty());
  EXPECT_TRUE(KorString::fromUtf8("").isEmpty());
}

TEST(KorStringTest, ComparesByCodeUnitWithoutService) {
  EXPECT_LT(KorString(u"B").compare(KorString(u"a")), 0);
  EXPECT_TRUE(KorString(u"abc") < KorString(u"abd"));
  EXPECT_TRUE(KorString(u"b") > KorString(u"a"));
  EXPECT_EQ(KorString(u"x").compare(KorString(u"x")), 0);
}

TEST(KorStringTest, ClassesCharactersInRange) {
  KorString text(u"a1 ");
  EXPECT_TRUE(text.isDigit(1));
  EXPECT_FALSE(text.isDigit(0));
  EXPECT_TRUE(text.isSpace(2));
  EXPECT_FALSE(text.isSpace(3));
  EXPECT_FALSE(text.isDigit(-1));
  EXPECT_FALSE(KorString(u"\u0663").isDigit(0));
}

TEST(KorStringTest, FindsWithTheNarrowRulesWithoutAssertion) {
  AssertRecorder recorder;
  KorString hello(u"hello");
  EXPECT_EQ(hello.find(u"lo", 0), 3);
  EXPECT_EQ(hello.find(u"lo", 4), -1);
  EXPECT_EQ(hello.find(u"", 2), 0);
  EXPECT_EQ(hello.find(u"x", -1), -1);
  EXPECT_EQ(hello.find(u"hello!"), -1);
  EXPECT_EQ(hello.find(u'l', 3), 3);
  EXPECT_EQ(hello.rfind(u"l"), 3);
  EXPECT_EQ(hello.rfind(u"l", 2), 2);
  EXPECT_EQ(hello.rfind(u"l", 1), -1);
  EXPECT_EQ(hello.rfind(u""), 5);
  EXPECT_TRUE(recorder.reports.empty());
}

TEST(KorStringTest, AppendsInPlaceOrIntoANewBuffer) {
  KorString text(u"a very long text to start with");
  text = u"ab";
  const KorWChar *buffer = text.rawData();
  text.append(u"cd");
  EXPECT_EQ(text.rawData(), buffer);
  text.append(text);
  EXPECT_EQ(text, u"abcdabcd");

  KorString borrowed(u"lit", 0);
  borrowed += u'!';
  EXPECT_TRUE(borrowed.isOwned());
  EXPECT_EQ(borrowed, u"lit!");
  KorString grown = borrowed + KorString(u" and more text than before");
  EXPECT_GE(grown.capacity(), (grown.length() + 1) * 2);
  EXPECT_EQ(grown, u"lit! and more text than before");
}

TEST(KorStringTest, CutsPieces) {
  KorString text(u"abcdef");
  EXPECT_EQ(text.substring(1, 3), u"bcd");
  EXPECT_EQ(text.substring(4, 10), u"ef");
  EXPECT_TRUE(text.substring(6, 2).isEmpty());
  EXPECT_TRUE(text.substring(2, 0).isEmpty());
  EXPECT_EQ(text.tail(3), u"def");
  EXPECT_TRUE(text.tail(6).isEmpty());
  EXPECT_EQ(text.splice(1, 4, KorString(u"XY")), u"aXYef");
  EXPECT_EQ(text.splice(0, 0, KorString(u">")), u">abcdef");
}

TEST(KorStringTest, SubstitutesPlaceholders) {
  KorString a(u"one"), b(u"two"), i(u"nine");
  const KorString *args[] = {&a, &b, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, &i};
  KorString text(u"%2-%1 %3%9 %0 %x 100%");
  text.substituteArgs(args, 9);
  EXPECT_EQ(text, u"two-one nine %0 %x 100%");

  // Entries at or beyond the count are null.
  KorString limited(u"[%1|%2]");
  limited.substituteArgs(args, 1);
  EXPECT_EQ(limited, u"[one|]");
}

TEST(KorStringTest, SubstitutionLeavesBorrowedAndPlainTextsAlone) {
  KorString a(u"x");
  const KorString *args[] = {&a, nullptr};
  static const KorWChar literal[] = u"borrowed %1";
  KorString borrowed(literal, 0);
  borrowed.substituteArgs(args, 2);
  EXPECT_EQ(borrowed.rawData(), literal);

  KorString plain(u"no placeholder");
  const KorWChar *buffer = plain.rawData();
  plain.substituteArgs(args, 2);
  EXPECT_EQ(plain.rawData(), buffer);
}

TEST(KorStringTest, FormatsNumbers) {
  EXPECT_EQ(KorString::number(uint32_t(42)), u"42");
  EXPECT_EQ(KorString::number(uint32_t(0xFFFFFFFF)), u"-1");
  EXPECT_EQ(KorString::number(int32_t(42), "05"), u"00042");
  EXPECT_EQ(KorString::number(1234567890123L, ""), u"1234567890123");
  EXPECT_EQ(KorString::number(-5LL, "+"), u"-5");
  EXPECT_EQ(KorString::number(12345678901.0), u"1.234568e+10");
  EXPECT_EQ(KorString::number(-12345678901.0), u"-1.234568e+10");
  EXPECT_EQ(KorString::number(2.5), u"2.500000");
  EXPECT_EQ(KorString::number(3.14159, {".2", false, false}), u"3.14");
  EXPECT_EQ(KorString::number(31415.9, {".3", true, true}), u"3.142e+04");
  EXPECT_EQ(KorString::number(31415.9, {".3", true, false}), u"3.14e+04");
  // Wider than the first 40-byte buffer.
  KorString wide = KorString::number(1.5, {"60.1", false, false});
  EXPECT_EQ(wide.length(), 60);
  EXPECT_EQ(wide.tail(57), u"1.5");
  EXPECT_EQ(KorString::character(u'\u00E9'), u"\u00E9");
}

TEST(KorStringTest, ScansNumbers) {
  bool ok = true;
  EXPECT_EQ(KorString().toDouble(&ok), 0.0);
  EXPECT_FALSE(ok);
  EXPECT_EQ(KorString(u" 2.5e1 m").toDouble(&ok), 25.0);
  EXPECT_TRUE(ok);
  EXPECT_EQ(KorString(u"abc").toInt(&ok), 0);
  EXPECT_FALSE(ok);
  EXPECT_EQ(KorString(u"0x1F").toInt(&ok), 31);
  EXPECT_TRUE(ok);
  EXPECT_EQ(KorString(u"-17").toInt(), -17);
}

TEST(KorStringTest, LocaleOperationsFallBackToAscii) {
  KorString text(u"MiXed \u00C9");
  text.toLower();
  EXPECT_EQ(text, u"mixed \u00C9");
  text.toUpper();
  EXPECT_EQ(text, u"MIXED \u00C9");
  KorString spaced(u"a\tb");
  EXPECT_EQ(spaced.withWhiteSpaceReplaced(u'_'), u"a\tb");
}

TEST(KorStringTest, UsesTheHostServiceWhenOffered) {
  ScopedServiceHost host;
  host.offer("IKorStrSupport", new FakeStrSupport);
  KorString a(u"a"), b(u"b");
  EXPECT_TRUE(a > b);
  EXPECT_GT(a.compare(b), 0);
  EXPECT_STREQ(KorString(u"xy").narrow(), "N:xy");
  EXPECT_STREQ(KorString(u"wide", "lit").narrow(), "lit");
  KorString classes(u"_#1 ");
  EXPECT_TRUE(classes.isSpace(0));
  EXPECT_TRUE(classes.isDigit(1));
  EXPECT_FALSE(classes.isDigit(2));
  EXPECT_FALSE(classes.isSpace(3));

  KorString text(u"x");
  text.toUpper();
  EXPECT_EQ(text, u"UPPER");
  text.toLower();
  EXPECT_EQ(text, u"lower");
  text.foldCase();
  EXPECT_EQ(text, u"folded");
  text.normalize();
  EXPECT_EQ(text, u"folded~");
  EXPECT_EQ(KorString(u"a_b c").withWhiteSpaceReplaced(u'-'), u"a-b c~");
  EXPECT_EQ(KorString(u"a_b").withWhiteSpaceReplaced(u' '), u"a_b~");
}

} // namespace
