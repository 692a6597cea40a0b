//===- wildcardpattern_fuzz.cpp - Fuzzes wildcard matching ----------------===//
//
// The input is a pattern, a NUL and a name. The two-array matcher must
// agree with a memoised recursive matcher of the same rules, and a pattern
// object must give the same answer when asked twice.
//
//===----------------------------------------------------------------------===//
#include "testservice/wildcardpattern.h"
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
/// Straightforward recursive reading of the pattern rules.
class ReferenceMatcher {
public:
  ReferenceMatcher(const std::string &pattern, const std::string &name)
      : p_(pattern), n_(name),
        memo_((p_.size() + 1) * (n_.size() + 1), Unknown) {}
  bool matches() { return at(0, 0); }

private:
  enum Memo : char { Unknown, No, Yes };

  bool inSet(size_t open, size_t close, char c) const {
    for (size_t i = open + 1; i < close; ++i) {
      if (p_[i] == c)
        return true;
      auto code = [](char ch) { return static_cast<unsigned char>(ch); };
      if (i + 2 < close && p_[i + 1] == '-' && code(p_[i]) <= code(c) &&
          code(c) <= code(p_[i + 2]))
        return true;
    }
    return false;
  }

  bool at(size_t pi, size_t ni) {
    char &memo = memo_[pi * (n_.size() + 1) + ni];
    if (memo == Unknown)
      memo = compute(pi, ni) ? Yes : No;
    return memo == Yes;
  }

  bool compute(size_t pi, size_t ni) {
    if (pi == p_.size())
      return ni == n_.size();
    char p = p_[pi];
    if (p == '*')
      return at(pi + 1, ni) || (ni < n_.size() && at(pi, ni + 1));
    if (ni == n_.size())
      return false;
    char c = n_[ni];
    if (p == '?' || p == c)
      return at(pi + 1, ni + 1);
    if (p == '[') {
      size_t close = p_.find(']', pi + 1);
      return close != std::string::npos && inSet(pi, close, c) &&
             at(close + 1, ni + 1);
    }
    return false;
  }

  std::string p_, n_;
  std::vector<char> memo_;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string input(reinterpret_cast<const char *>(data), size);
  size_t split = input.find('\0');
  if (split == std::string::npos)
    return 0;
  std::string pattern = input.substr(0, split);
  std::string name = input.substr(split + 1);
  name = name.substr(0, name.find('\0'));

  WildcardPattern matcher(pattern.c_str());
  bool answer = matcher.matches(name.c_str());
  if (answer != ReferenceMatcher(pattern, name).matches())
    std::abort();
  if (matcher.matches(name.c_str()) != answer)
    std::abort();
  return 0;
}
