//===- resultstext.h - Narrow texts of test records as wide text ----------===//
#pragma once
#include "KorBasicTypes/korstring.h"

/// The wide form of a narrow text read from a test, suite or status record.
/// These texts come from UTF-8 sources and are decoded as UTF-8; a text that
/// is not valid UTF-8 is widened byte by byte instead, so nothing is lost.
KorString korResultsText(const char *narrow);
