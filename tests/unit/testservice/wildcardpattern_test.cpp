// Unit tests of WildcardPattern: the rules of *, ?, [sets] and literals.
#include "testservice/wildcardpattern.h"
#include <gtest/gtest.h>

TEST(WildcardPattern, MatchesWholeNamesByTheRules) {
  struct Row {
    const char *pattern, *name;
    bool matches;
  };
  const Row rows[] = {
      {"Spec Suite.Assert Test", "Spec Suite.Assert Test", true},
      {"Spec Suite", "Spec Suite.Assert Test", false}, // the whole name
      {"spec suite.*", "Spec Suite.X", false},         // case-sensitive
      {"Spec Suite.*", "Spec Suite.", true}, // "*" matches the empty run
      {"Spec Suite.*", "Spec Suite", false},
      {"a*b*c", "aXXbYYbc", true},
      {"a*b*c", "aXXbYYbcd", false},
      {"S?ite", "Suite", true},
      {"S?ec", "Sec", false},
      {"", "", true},
      {"***", "", true},
      {"?", "", false},
      {"", "a", false},
      {"[A-Z]x", "Qx", true},
      {"[a-c-e]", "d", true}, // overlapping ranges a-c and c-e
      {"[a-c]", "-", true},   // "-" matches itself
      {"[ax-]", "-", true},   // a trailing "-" is no range
      {"[ax-]", "b", false},
      {"[z-a]", "a", true}, // an empty range still lists its ends
      {"[z-a]", "m", false},
      {"[]x", "x", false}, // an empty set matches nothing
      {"[]]", "]", false},
      {"a[b", "a[b", true}, // no "]" after it: a literal "["
      {"[a]", "[a]", true}, // "[" in the name matches directly
  };
  for (const Row &row : rows)
    EXPECT_EQ(WildcardPattern(row.pattern).matches(row.name), row.matches)
        << row.pattern << " ~ " << row.name;
}
