//===- naturalorder.cpp - Natural-order comparison of names with numbers --===//
#include "KorBasicTypes/naturalorder.h"
#include "KorBasicTypes/korstring.h"
#include <cctype>
#include <cstddef>

namespace {
unsigned unitValue(char c) { return static_cast<unsigned char>(c); }
unsigned unitValue(KorWChar c) { return c; }

template <class Char> bool isDigitUnit(Char c) {
  return c >= Char('0') && c <= Char('9');
}

/// tolower of the current locale for a code unit of a text: a byte, or a
/// UTF-16 unit of which only those below 128 change. glibc's table maps
/// every byte, and 0 to 0.
template <class Char> unsigned lowerValue(Char c) {
  unsigned value = unitValue(c);
  if (sizeof(Char) > 1 && value >= 128)
    return value;
#ifdef __GLIBC__
  return unsigned((*__ctype_tolower_loc())[value]);
#else
  return unsigned(std::tolower(int(value)));
#endif
}

template <class Char> const Char *skipZeros(const Char *p) {
  while (*p == Char('0'))
    ++p;
  return p;
}

/// -1, 0 or 1 as a is below, equal to or above b, without a branch.
int order(unsigned a, unsigned b) { return int(a > b) - int(a < b); }

/// Compares the numbers written by the digits at a and b (no leading
/// zeros): the longer run is the larger number, runs of equal length are
/// decided by their first different digit. Moves a and b past the digits
/// when the numbers are equal.
template <class Char> int compareDigitRuns(const Char *&a, const Char *&b) {
  int firstDifference = 0;
  for (; isDigitUnit(*a) && isDigitUnit(*b); ++a, ++b)
    firstDifference = firstDifference != 0
                          ? firstDifference
                          : order(unitValue(*a), unitValue(*b));
  if (isDigitUnit(*a))
    return 1;
  if (isDigitUnit(*b))
    return -1;
  return firstDifference;
}

// The whole comparison, character by character. The tie-break is the first
// of: more leading zeros sorts first, then the first difference in case (by
// code value). It decides only when the texts are otherwise equal.
template <class Char>
[[gnu::noinline]] int compareWalking(const Char *a, const Char *b) {
  const Char *startA = a;
  const Char *startB = b;
  int tieBreak = 0;
  for (;;) {
    while (*a == *b && !isDigitUnit(*a)) {
      if (!*a)
        return tieBreak;
      ++a;
      ++b;
    }
    if (isDigitUnit(*a) && isDigitUnit(*b)) {
      a = skipZeros(a);
      b = skipZeros(b);
      long offsetA = a - startA;
      long offsetB = b - startB;
      if (tieBreak == 0 && offsetA != offsetB)
        tieBreak = offsetA > offsetB ? -1 : 1;
      int byValue = compareDigitRuns(a, b);
      if (byValue != 0)
        return byValue;
      continue;
    }
    // Different characters, not both digits. A text that ends has the lower
    // case value 0, below every character.
    unsigned lowerA = lowerValue(*a);
    unsigned lowerB = lowerValue(*b);
    if (lowerA != lowerB)
      return order(lowerA, lowerB);
    if (tieBreak == 0)
      tieBreak = order(unitValue(*a), unitValue(*b));
    ++a;
    ++b;
  }
}

// The same result, found from the first difference: the texts agree up to
// it, so no tie-break has arisen before it, and a number that began in the
// common part began at the same offset in both. Only when the difference
// decides nothing (equal numbers with different leading zeros, a difference
// in case) does the walk over the whole texts take over.
template <class Char> int naturalCompare(const Char *a, const Char *b) {
  if (!a || !b)
    return a == b ? 0 : (a ? 1 : -1);
  size_t at = 0;
  for (; a[at] == b[at]; ++at)
    if (!a[at])
      return 0;
  size_t runStart = at; // where the digits before `at` begin
  while (runStart > 0 && isDigitUnit(a[runStart - 1]))
    --runStart;
  if (runStart < at && a[runStart] != Char('0')) {
    // Two numbers with the same leading digits: the rest decides.
    const Char *restA = a + at, *restB = b + at;
    if (int byValue = compareDigitRuns(restA, restB))
      return byValue;
  } else if (runStart < at || (isDigitUnit(a[at]) && isDigitUnit(b[at]))) {
    const Char *valueA = skipZeros(a + runStart);
    const Char *valueB = skipZeros(b + runStart);
    if (int byValue = compareDigitRuns(valueA, valueB))
      return byValue;
    if (valueA - a != valueB - b)
      return compareWalking(a, b);
  }
  unsigned lowerA = lowerValue(a[at]);
  unsigned lowerB = lowerValue(b[at]);
  if (lowerA != lowerB)
    return order(lowerA, lowerB);
  return compareWalking(a, b);
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
