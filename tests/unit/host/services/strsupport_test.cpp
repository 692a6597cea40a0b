//===- strsupport_test.cpp - korhost's ICU string service -----------------===//
#include "host/services/strsupport.h"
#include "tests/unit/support/strtestsupport.h"
#include <gtest/gtest.h>

namespace {

TEST(HostStrSupportTest, ComparesByRootCollation) {
  HostStrSupport support;
  EXPECT_LT(support.Compare(u"a", u"B"), 0);
  EXPECT_LT(support.Compare(u"a", u"A"), 0);
  EXPECT_LT(support.Compare(u"\u00E9", u"f"), 0);
  EXPECT_EQ(support.Compare(u"same", u"same"), 0);
  EXPECT_GT(support.Compare(u"b", nullptr), 0);
}

TEST(HostStrSupportTest, FollowsTheLocaleItWasGiven) {
  // Swedish sorts 'ä' after 'z'; the root rules sort it with 'a'.
  EXPECT_LT(HostStrSupport().Compare(u"\u00E4", u"z"), 0);
  EXPECT_GT(HostStrSupport("sv_SE").Compare(u"\u00E4", u"z"), 0);
}

TEST(HostStrSupportTest, ClassesUnicodeSpacesAndDigits) {
  HostStrSupport support;
  EXPECT_TRUE(support.IsSpace(u' '));
  EXPECT_TRUE(support.IsSpace(0x3000));
  EXPECT_FALSE(support.IsSpace(u'x'));
  EXPECT_TRUE(support.IsDigit(u'7'));
  EXPECT_TRUE(support.IsDigit(0x0663));
  EXPECT_FALSE(support.IsDigit(u'x'));
}

TEST(HostStrSupportTest, NarrowFormIsUtf8WithPairsCombined) {
  HostStrSupport support;
  KorCString out;
  support.NarrowForm(u"a\u00E9\U0001F600", out);
  EXPECT_STREQ(out.c_str(), "a\xC3\xA9\xF0\x9F\x98\x80");
  support.NarrowForm(nullptr, out);
  EXPECT_STREQ(out.c_str(), "");
}

TEST(HostStrSupportTest, TransformsCaseAndNormalForm) {
  HostStrSupport support;
  KorString text(u"Stra\u00DFe \u00C9");
  support.ToUpper(text);
  EXPECT_EQ(text, u"STRASSE \u00C9");
  support.ToLower(text);
  EXPECT_EQ(text, u"strasse \u00E9");
  KorString folded(u"\u00DF");
  support.FoldCase(folded);
  EXPECT_EQ(folded, u"ss");
  KorString decomposed(u"e\u0301");
  support.Normalize(decomposed);
  EXPECT_EQ(decomposed, u"\u00E9");
  KorString empty(u"");
  support.ToUpper(empty);
  EXPECT_TRUE(empty.isOwned());
  EXPECT_TRUE(empty.isEmpty());
}

TEST(HostStrSupportTest, StringsUseItWhenOffered) {
  ScopedServiceHost host;
  host.offer("IKorStrSupport", new HostStrSupport);
  EXPECT_TRUE(KorString(u"a") < KorString(u"B"));
  EXPECT_STREQ(KorString(u"\u00E9t\u00E9").narrow(), "\xC3\xA9t\xC3\xA9");
  EXPECT_TRUE(KorString(u"\u3000x").isSpace(0));
  KorString text(u"\u00C9cole");
  text.toLower();
  EXPECT_EQ(text, u"\u00E9cole");
  EXPECT_EQ(KorString(u"a\u3000e\u0301").withWhiteSpaceReplaced(u'_'),
            u"a_\u00E9");
}

} // namespace
