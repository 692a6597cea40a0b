//===- naturalorder_fuzz.cpp - Fuzzes the natural-order comparison --------===//
//
// The input is cut into two halves, compared as narrow texts (each cut at
// its first NUL) and as wide texts (pairs of bytes). The order must be
// antisymmetric, give -1, 0 or 1, and call two texts equal only when they
// are the same.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/naturalorder.h"
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
template <class Text> void checkPair(const Text &a, const Text &b) {
  int ab = korNaturalCompare(a.c_str(), b.c_str());
  int ba = korNaturalCompare(b.c_str(), a.c_str());
  if (ab < -1 || ab > 1 || ab != -ba)
    std::abort();
  if ((ab == 0) != (a == b))
    std::abort();
  if (korNaturalCompare(a.c_str(), a.c_str()) != 0)
    std::abort();
}

/// The text of `bytes` up to its first zero unit.
template <class Text> Text textOf(const uint8_t *bytes, size_t size) {
  using Unit = typename Text::value_type;
  Text text;
  for (size_t i = 0; i + sizeof(Unit) <= size; i += sizeof(Unit)) {
    Unit unit;
    std::memcpy(&unit, bytes + i, sizeof unit);
    if (unit == 0)
      break;
    text.push_back(unit);
  }
  return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const size_t half = size / 2;
  checkPair(textOf<std::string>(data, half),
            textOf<std::string>(data + half, size - half));
  std::u16string a = textOf<std::u16string>(data, half);
  std::u16string b = textOf<std::u16string>(data + half, size - half);
  checkPair(a, b);
  // The KorString form must agree with the wide form.
  if (korNaturalCompare(KorString(a.c_str()), KorString(b.c_str())) !=
      korNaturalCompare(a.c_str(), b.c_str()))
    std::abort();
  return 0;
}
