//===- wildcardpattern.cpp - Whole-name patterns with *, ? and [sets] -----===//
#include "testservice/wildcardpattern.h"
#include <algorithm>
#include <utility>

WildcardPattern::WildcardPattern(const char *text)
    : pattern_(text ? text : ""), length_(pattern_.size()),
      current_(new bool[length_ + 1]), next_(new bool[length_ + 1]) {}

void WildcardPattern::closeOverStars(bool *states) const {
  for (size_t k = 0; k < length_; ++k)
    if (states[k] && pattern_[k] == '*')
      states[k + 1] = true;
}

bool WildcardPattern::setContains(size_t open, size_t close, char c) const {
  auto code = [](char ch) { return static_cast<unsigned char>(ch); };
  for (size_t i = open + 1; i < close; ++i) {
    if (pattern_[i] == c)
      return true;
    bool isRange = i + 2 < close && pattern_[i + 1] == '-';
    if (isRange && code(pattern_[i]) <= code(c) &&
        code(c) <= code(pattern_[i + 2]))
      return true;
  }
  return false;
}

void WildcardPattern::advance(char c) {
  std::swap(current_, next_);
  std::fill_n(next_.get(), length_ + 1, false);
  for (size_t k = 0; k < length_; ++k) {
    if (!current_[k])
      continue;
    char p = pattern_[k];
    if (p == '?') {
      next_[k + 1] = true;
    } else if (p == '*') {
      next_[k] = true;
    } else if (p == c) {
      next_[k + 1] = true;
    } else if (p == '[') {
      size_t close = pattern_.find(']', k + 1);
      if (close != std::string::npos && setContains(k, close, c))
        next_[close + 1] = true;
    }
  }
  closeOverStars(next_.get());
}

bool WildcardPattern::matches(const char *name) {
  std::fill_n(next_.get(), length_ + 1, false);
  next_[0] = true;
  closeOverStars(next_.get());
  for (const char *c = name ? name : ""; *c; ++c)
    advance(*c);
  return next_[length_];
}
