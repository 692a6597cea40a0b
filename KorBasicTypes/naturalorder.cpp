//===- naturalorder.cpp - Natural-order comparison of names with numbers --===//
#include "KorBasicTypes/naturalorder.h"
#include "KorBasicTypes/korstring.h"
#include <cctype>

namespace {
unsigned unitValue(char c) { return static_cast<unsigned char>(c); }
unsigned unitValue(KorWChar c) { return c; }

template <class Char> bool isDigitUnit(Char c) {
  return c >= Char('0') && c <= Char('9');
}

template <class Char> unsigned lowerValue(Char c) {
  unsigned value = unitValue(c);
  if constexpr (sizeof(Char) == 1)
    return unsigned(std::tolower(int(value)));
  else
    return value < 128 ? unsigned(std::tolower(int(value))) : value;
}

template <class Char> const Char *skipZeros(const Char *p) {
  while (*p == Char('0'))
    ++p;
  return p;
}

template <class Char> long digitRun(const Char *p) {
  long length = 0;
  while (isDigitUnit(p[length]))
    ++length;
  return length;
}

// The tie-break is the first of: more leading zeros sorts first, then the
// first difference in case (by code value). It decides only when the texts
// are otherwise equal.
template <class Char> int naturalCompare(const Char *a, const Char *b) {
  if (!a || !b)
    return a == b ? 0 : (a ? 1 : -1);
  const Char *startA = a;
  const Char *startB = b;
  int tieBreak = 0;
  for (;;) {
    if (!*a)
      return *b ? -1 : tieBreak;
    if (!*b)
      return 1;
    if (isDigitUnit(*a) && isDigitUnit(*b)) {
      a = skipZeros(a);
      b = skipZeros(b);
      long offsetA = a - startA;
      long offsetB = b - startB;
      if (tieBreak == 0 && offsetA != offsetB)
        tieBreak = offsetA > offsetB ? -1 : 1;
      long runA = digitRun(a);
      long runB = digitRun(b);
      if (runA != runB)
        return runA > runB ? 1 : -1;
      for (long i = 0; i < runA; ++i)
        if (a[i] != b[i])
          return a[i] < b[i] ? -1 : 1;
      a += runA;
      b += runB;
      continue;
    }
    if (*a != *b) {
      unsigned lowerA = lowerValue(*a);
      unsigned lowerB = lowerValue(*b);
      if (lowerA != lowerB)
        return lowerA < lowerB ? -1 : 1;
      if (tieBreak == 0)
        tieBreak = unitValue(*a) < unitValue(*b) ? -1 : 1;
    }
    ++a;
    ++b;
  }
}
} // namespace

int korNaturalCompare(const char *a, const char *b) {
  return naturalCompare(a, b);
}

int korNaturalCompare(const KorWChar *a, const KorWChar *b) {
  return naturalCompare(a, b);
}

int korNaturalCompare(const KorString &a, const KorString &b) {
  return naturalCompare(a.rawData(), b.rawData());
}
