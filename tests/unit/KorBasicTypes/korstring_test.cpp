//===- korstring_test.cpp - Wide string: ownership, forms, numbers --------===//
#include "component/ikorstrsupport.h"
#include "KorBasicTypes/korstring.h"
#include "tests/unit/support/binio_testutil.h"
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

/// A computed text against the one expected.
struct Row {
  KorString got;
  const char16_t *expected;
};

TEST(KorStringTest, ConvertsBetweenForms) {
  // Narrow bytes widen by sign extension and narrow back to the low byte.
  KorString wide("a\x7F\x80\xE9");
  EXPECT_EQ(std::u16string(wide.data()), u"a\u007F\uFF80\uFFE9");
  EXPECT_EQ(static_cast<unsigned char>(KorCString(wide.data())[3]), 0xE9);
  EXPECT_FALSE(KorString(u"\u00E9") == "\xE9");
  // Without a string service the narrow form keeps ASCII, or the literal.
  KorString pair(u"wide", "narrow literal");
  EXPECT_STREQ(KorString(pair).narrow(), "narrow literal");
  pair.append(u"!");
  EXPECT_STREQ(pair.narrow(), "wide!");
  EXPECT_STREQ(KorString(u"a\u00E9b\u4E2Dc").narrow(), "abc");
  // UTF-8 encodes each unit, lone surrogates too.
  const KorWChar units[] = {0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0xD83D, 0};
  KorString text(units);
  EXPECT_STREQ(text.utf8(), "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"
                            "\xED\xA0\xBD");
  EXPECT_TRUE(KorString::fromUtf8(text.utf8()) == text);
  Row good[] = {{KorString::fromUtf8("h\xC3\xA9"), u"h\u00E9"},
                {KorString::fromUtf8("a\xBF"), u"a?"}}; // low seven bits
  for (const Row &r : good)
    EXPECT_EQ(r.got, r.expected);
  // A bad sequence rejects the whole text.
  for (const char *bad : {"ok\xF0\x9F\x98\x80", "cut\xE4\xB8", "\xC0\x80",
                          "\xE0\x9F\xBF", "", (const char *)nullptr})
    EXPECT_EQ(KorString::fromUtf8(bad).rawData(),
              KorString::emptyString().rawData())
        << (bad ? bad : "null");
}

TEST(KorStringTest, ComparesAndSearchesByCodeUnit) {
  KorString null;
  EXPECT_TRUE(null == KorString(u"") && null == "" &&
              KorString(u"") == static_cast<const KorWChar *>(nullptr));
  EXPECT_TRUE(KorString(u"B").compare(KorString(u"a")) < 0 &&
              KorString(u"abc") < KorString(u"abd") && !(KorString(u"a") == KorString(u"ab")));
  KorString classes(u"a1 \u0663");
  EXPECT_EQ(std::vector<bool>({classes.isDigit(1), classes.isDigit(3),
                               classes.isDigit(-1), classes.isSpace(2)}),
            std::vector<bool>({true, false, false, true}));
  AssertRecorder recorder;
  KorString hello(u"hello");
  EXPECT_EQ(std::vector<int32_t>({hello.find(u"lo", 0), hello.find(u"lo", 4),
                                  hello.find(u"", 2), hello.find(u"x", -1),
                                  hello.find(u"hello!"), hello.find(u'l', 3),
                                  hello.rfind(u"l", 2), hello.rfind(u"l", 1),
                                  hello.rfind(u"")}),
            std::vector<int32_t>({3, -1, 0, -1, -1, 3, 2, -1, 5}));
  EXPECT_TRUE(recorder.reports.empty()) << "a negative start is no misuse";
}

TEST(KorStringTest, SubstitutesPlaceholders) {
  KorString text(u"abcdef");
  KorString a(u"one"), b(u"two"), i(u"nine");
  const KorString *args[] = {&a, &b, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, &i};
  auto substituted = [&](const char16_t *pattern, int32_t count) {
    KorString out(pattern);
    out.substituteArgs(args, count);
    return out;
  };
  Row rows[] = {
      {text.substring(6, 2), u""},
      {substituted(u"%2-%1 %3%9 %0 %x 100%", 9), u"two-one nine %0 %x 100%"},
      {substituted(u"[%1|%2]", 1), u"[one|]"}, // beyond the count: null
  };
  for (const Row &r : rows)
    EXPECT_EQ(r.got, r.expected);
  static const KorWChar literal[] = u"borrowed %1";
  KorString borrowed(literal, 0);
  borrowed.substituteArgs(args, 2);
  EXPECT_EQ(borrowed.rawData(), literal) << "borrowed texts stay alone";
}

TEST(KorStringTest, FormatsAndScansNumbers) {
  KorString wide = KorString::number(1.5, {"60.1", false, false});
  Row rows[] = {
      {KorString::number(uint32_t(0xFFFFFFFF)), u"-1"},
      {KorString::number(int32_t(42), "05"), u"00042"},
      {KorString::number(1234567890123L, ""), u"1234567890123"},
      {KorString::number(-5LL, "+"), u"-5"},
      {KorString::number(-12345678901.0), u"-1.234568e+10"},
      {KorString::number(2.5), u"2.500000"},
      {KorString::number(3.14159, {".2", false, false}), u"3.14"},
      {KorString::number(31415.9, {".3", true, true}), u"3.142e+04"},
      {KorString::number(31415.9, {".3", true, false}), u"3.14e+04"},
      {wide.tail(57), u"1.5"}, // wider than the first 40-byte buffer
      {KorString::character(u'\u00E9'), u"\u00E9"},
  };
  for (const Row &r : rows)
    EXPECT_EQ(r.got, r.expected);
  bool ok[4];
  EXPECT_EQ(std::vector<double>({KorString().toDouble(&ok[0]),
                                 KorString(u" 2.5e1 m").toDouble(&ok[1]),
                                 double(KorString(u"abc").toInt(&ok[2])),
                                 double(KorString(u"0x1F").toInt(&ok[3]))}),
            std::vector<double>({0, 25, 0, 31}));
  EXPECT_EQ(std::vector<bool>(ok, ok + 4),
            std::vector<bool>({false, true, false, true}));
}

TEST(KorStringTest, LocaleOperationsUseTheHostServiceOrAscii) {
  KorString text(u"MiXed \u00C9");
  text.toLower();
  EXPECT_EQ(text, u"mixed \u00C9");
  text.toUpper();
  EXPECT_EQ(text, u"MIXED \u00C9");
  EXPECT_EQ(KorString(u"a\tb").withWhiteSpaceReplaced(u'_'), u"a\tb");

  ScopedServiceHost host;
  host.offer("IKorStrSupport", new FakeStrSupport);
  EXPECT_TRUE(KorString(u"a") > KorString(u"b"));
  EXPECT_STREQ(KorString(u"xy").narrow(), "N:xy");
  KorString classes(u"_#1 ");
  EXPECT_EQ(std::vector<bool>({classes.isSpace(0), classes.isDigit(1),
                               classes.isDigit(2), classes.isSpace(3)}),
            std::vector<bool>({true, true, false, false}));
  auto changed = [](void (KorString::*change)()) {
    KorString text(u"x");
    (text.*change)();
    return text;
  };
  Row rows[] = {{changed(&KorString::toUpper), u"UPPER"},
                {changed(&KorString::toLower), u"lower"},
                {changed(&KorString::foldCase), u"folded"},
                {changed(&KorString::normalize), u"x~"},
                {KorString(u"a_b c").withWhiteSpaceReplaced(u'-'), u"a-b c~"}};
  for (const Row &r : rows)
    EXPECT_EQ(r.got, r.expected);
}

} // namespace
