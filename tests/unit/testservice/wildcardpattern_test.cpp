// Unit tests of WildcardPattern: the rules of *, ?, [sets] and literals.
#include "testservice/wildcardpattern.h"
#include <gtest/gtest.h>

namespace {
bool match(const char *pattern, const char *name) {
  WildcardPattern compiled(pattern);
  return compiled.matches(name);
}
} // namespace

TEST(WildcardPattern, WholeNameMustMatchCaseSensitively) {
  EXPECT_TRUE(
      match("Spec Suite.Assert Equals Test", "Spec Suite.Assert Equals Test"));
  EXPECT_FALSE(match("Spec Suite", "Spec Suite.Assert Equals Test"));
  EXPECT_FALSE(match("Spec Suite.*", "Spec Suite"));
  EXPECT_FALSE(match("spec suite.*", "Spec Suite.X"));
  EXPECT_FALSE(match("abc", "ab"));
}

TEST(WildcardPattern, StarMatchesAnyRunIncludingEmpty) {
  EXPECT_TRUE(match("Spec Suite.*", "Spec Suite."));
  EXPECT_TRUE(match("Spec Suite.*", "Spec Suite.Assert Equals Test"));
  EXPECT_TRUE(match("*Test", "Test"));
  EXPECT_TRUE(match("a*b*c", "aXXbYYbc"));
  EXPECT_FALSE(match("a*b*c", "aXXbYYbcd"));
  EXPECT_TRUE(match("**", "anything"));
}

TEST(WildcardPattern, QuestionMatchesExactlyOneCharacter) {
  EXPECT_TRUE(match("S?ite", "Suite"));
  EXPECT_FALSE(match("S?ec", "Sec"));
  EXPECT_FALSE(match("S?ec", "Sppec"));
}

TEST(WildcardPattern, EmptyNameMatchesOnlyStarsOrEmptyPattern) {
  EXPECT_TRUE(match("", ""));
  EXPECT_TRUE(match("***", ""));
  EXPECT_FALSE(match("?", ""));
  EXPECT_FALSE(match("*a", ""));
  EXPECT_FALSE(match("", "a"));
}

TEST(WildcardPattern, SetsWithRangesAndSelfMatchingMembers) {
  EXPECT_TRUE(match("[A-Z]x", "Qx"));
  EXPECT_FALSE(match("[A-Z]x", "qx"));
  EXPECT_TRUE(match("[a-c-e]", "d")); // overlapping ranges a-c and c-e
  EXPECT_TRUE(match("[a-c]", "-"));   // "-" matches itself
  EXPECT_TRUE(match("[ax-]", "-"));   // a trailing "-" is no range
  EXPECT_FALSE(match("[ax-]", "b"));
  EXPECT_TRUE(match("[z-a]", "a")); // an empty range still lists its ends
  EXPECT_FALSE(match("[z-a]", "m"));
  EXPECT_FALSE(match("[]x", "x")); // an empty set matches nothing
  EXPECT_FALSE(match("[]]", "]"));
}

TEST(WildcardPattern, BracketsAsLiterals) {
  EXPECT_TRUE(match("a[b", "a[b")); // no "]" after it: a literal "["
  EXPECT_FALSE(match("a[b", "ab"));
  EXPECT_TRUE(match("[a]", "a"));
  EXPECT_TRUE(match("[a]", "[a]")); // "[" in the name matches directly
  EXPECT_TRUE(match("x]", "x]"));
}

TEST(WildcardPattern, SelectsCapitalisedTestsOfOneSuite) {
  WildcardPattern upper("Sp?c Suite.[A-Z]*");
  WildcardPattern lower("sp?c suite.[a-z]*");
  for (const char *name :
       {"Spec Suite.Assert Equals Test", "Spec Suite.Explicit pass test"}) {
    EXPECT_TRUE(upper.matches(name)) << name;
    EXPECT_FALSE(lower.matches(name)) << name;
  }
  EXPECT_FALSE(upper.matches("Spec Suite.lower case"));
  EXPECT_FALSE(upper.matches("Empty Suite.Test"));
}

TEST(WildcardPattern, ReusedPatternForgetsEarlierNames) {
  WildcardPattern pattern("a*z");
  EXPECT_TRUE(pattern.matches("abcz"));
  EXPECT_FALSE(pattern.matches("abc"));
  EXPECT_FALSE(pattern.matches(""));
  EXPECT_TRUE(pattern.matches("az"));
}
