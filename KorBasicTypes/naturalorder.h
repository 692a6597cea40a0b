//===- naturalorder.h - Natural-order comparison of names with numbers ----===//
//
// Digit runs compare by their value, so "file2" sorts before "file10";
// other characters compare case-insensitively. Ties are broken by leading
// zeros ("a01" before "a1") and then by case, so the order is total.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/kortypes.h"

class KorString;

/// -1, 0 or 1 as `a` sorts before, with or after `b`; null sorts below
/// every non-null text, the empty one included.
int korNaturalCompare(const char *a, const char *b);
/// The wide form; only the code units '0'..'9' count as digits.
int korNaturalCompare(const KorWChar *a, const KorWChar *b);
/// Two wide strings; a null string sorts below the empty one.
int korNaturalCompare(const KorString &a, const KorString &b);
