//===- strsupport_test.cpp - korhost's ICU string service -----------------===//
#include "host/services/strsupport.h"
#include "tests/unit/support/strtestsupport.h"
#include <gtest/gtest.h>

namespace {
TEST(HostStrSupportTest, ComparesByTheCollationOfItsLocale) {
  const std::tuple<const char *, const KorWChar *, const KorWChar *, int>
      cases[] = {{"", u"a", u"B", -1},     {"", u"a", u"A", -1},
                 {"", u"\u00E9", u"f", -1}, {"", u"same", u"same", 0},
                 {"", u"b", nullptr, 1},    {"", u"\u00E4", u"z", -1},
                 {"sv_SE", u"\u00E4", u"z", 1}}; // Swedish: 'ä' after 'z'
  for (auto [locale, a, b, order] : cases) {
    int compared = HostStrSupport(locale).Compare(a, b);
    EXPECT_EQ((compared > 0) - (compared < 0), order)
        << locale << " " << KorString(a).utf8();
  }
}

TEST(HostStrSupportTest, ClassesTransformsAndNarrowsUnicodeText) {
  HostStrSupport support;
  const std::tuple<KorWChar, bool, bool> classes[] = {
      {u' ', true, false}, {0x3000, true, false}, {u'7', false, true},
      {0x0663, false, true}, {u'x', false, false}};
  for (auto [c, space, digit] : classes)
    EXPECT_EQ(std::pair(support.IsSpace(c), support.IsDigit(c)),
              std::pair(space, digit))
        << int(c);
  using Transform = void (HostStrSupport::*)(KorString &);
  const std::tuple<Transform, const KorWChar *, const KorWChar *> cases[] = {
      {&HostStrSupport::ToUpper, u"Stra\u00DFe \u00E9", u"STRASSE \u00C9"},
      {&HostStrSupport::ToLower, u"STRASSE \u00C9", u"strasse \u00E9"},
      {&HostStrSupport::FoldCase, u"\u00DF", u"ss"},
      {&HostStrSupport::Normalize, u"e\u0301", u"\u00E9"},
      {&HostStrSupport::ToUpper, u"", u""}};
  for (auto [transform, in, out] : cases) {
    KorString text(in);
    (support.*transform)(text);
    EXPECT_TRUE(text == out && text.isOwned()) << text.utf8();
  }
  KorCString narrow;
  support.NarrowForm(u"a\u00E9\U0001F600", narrow);
  EXPECT_STREQ(narrow.c_str(), "a\xC3\xA9\xF0\x9F\x98\x80");
  support.NarrowForm(nullptr, narrow);
  EXPECT_STREQ(narrow.c_str(), "");
}
} // namespace
