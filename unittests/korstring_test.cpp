//===- korstring_test.cpp - Wide string: ownership, forms, numbers --------===//
#include "korstring.h"
#include <gtest/gtest.h>

namespace {

TEST(KorStringTest, BuildsFromNarrowWideAndUtf8) {
  KorString narrow("abc");
  EXPECT_TRUE(narrow == u"abc");
  EXPECT_TRUE(narrow.isOwned());
  KorString wide(u"h\u00e9");
  EXPECT_EQ(wide.length(), 2);
  EXPECT_STREQ(wide.utf8(), "h\xC3\xA9");
  EXPECT_TRUE(KorString::fromUtf8("h\xC3\xA9") == wide);
}

TEST(KorStringTest, SubstitutesPlaceholders) {
  KorString text(u"Unable to load %1 (%2)");
  KorString a(u"x"), b(u"y");
  const KorString *args[] = {&a, &b, nullptr};
  text.substituteArgs(args, 3);
  EXPECT_TRUE(text == u"Unable to load x (y)");
}

TEST(KorStringTest, FormatsNumbers) {
  EXPECT_TRUE(KorString::number(12345678901.0) == "1.234568e+10");
  EXPECT_TRUE(KorString::number(2.5) == "2.500000");
}

} // namespace
