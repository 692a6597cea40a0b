//===- wildcardpattern.h - Whole-name patterns with *, ? and [sets] -------===//
//
// "*" matches any run of characters (the empty run too), "?" one character,
// "[...]" one character of a set that ends at the first "]" after it (with
// "a-z" ranges by character code; no negation). A "[" with no "]" after it
// is a literal "[". Everything else matches itself, case-sensitively.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>
#include <memory>
#include <string>

/// A pattern that a whole test name must match.
class WildcardPattern {
public:
  explicit WildcardPattern(const char *text);
  WildcardPattern(const WildcardPattern &) = delete;
  WildcardPattern &operator=(const WildcardPattern &) = delete;

  /// True when the whole of `name` matches the pattern.
  bool matches(const char *name);
  const std::string &text() const { return pattern_; }

private:
  void closeOverStars(bool *states) const;
  void advance(char c);
  bool setContains(size_t open, size_t close, char c) const;

  std::string pattern_;
  size_t length_;
  // State k is active when the first k pattern characters match what was
  // read so far; one array holds the current states, the other the next.
  std::unique_ptr<bool[]> current_;
  std::unique_ptr<bool[]> next_;
};
