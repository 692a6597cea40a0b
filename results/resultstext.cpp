//===- resultstext.cpp - Narrow texts of test records as wide text --------===//
#include "results/resultstext.h"

KorString korResultsText(const char *narrow) {
  if (!narrow || !*narrow)
    return KorString();
  KorString wide = KorString::fromUtf8(narrow);
  if (wide.isEmpty())
    return KorString(narrow);
  return wide;
}
