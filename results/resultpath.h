//===- resultpath.h - Path rules of the results file and test classnames --===//
//
// Paths are accepted with "/" or "\" separators and normalised to "/":
// every "\" becomes "/" and trailing separators are dropped while more than
// one character remains. Drive letters mean nothing here, so a name such as
// "//c/x" stays as it is. The rules work on narrow and wide text alike.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <string>
#include <string_view>

namespace korpath {

/// `path` with "/" separators and without trailing ones.
template <class C>
std::basic_string<C> normalise(std::basic_string_view<C> path) {
  std::basic_string<C> out(path);
  for (C &c : out)
    if (c == C('\\'))
      c = C('/');
  while (out.size() > 1 && out.back() == C('/'))
    out.pop_back();
  return out;
}

/// The directory of a normalised path: the text before the last "/", "./"
/// when there is none and "/" when it is the first character.
template <class C>
std::basic_string<C> directoryPart(std::basic_string_view<C> normalised) {
  size_t slash = normalised.rfind(C('/'));
  if (slash == std::basic_string_view<C>::npos)
    return {C('.'), C('/')};
  if (slash == 0)
    return {C('/')};
  return std::basic_string<C>(normalised.substr(0, slash));
}

/// The file name of `path` without its last extension: the text after the
/// last separator (all of it when there is none), cut before its last ".".
template <class C>
std::basic_string<C> baseName(std::basic_string_view<C> path) {
  std::basic_string<C> normalised = normalise(path);
  size_t slash = normalised.rfind(C('/'));
  std::basic_string<C> name =
      slash == std::basic_string<C>::npos ? normalised
                                          : normalised.substr(slash + 1);
  size_t dot = name.rfind(C('.'));
  if (dot != std::basic_string<C>::npos)
    name.resize(dot);
  return name;
}

} // namespace korpath
