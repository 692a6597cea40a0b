//===- korbreakflag.cpp - The break-enabled flag from KOR_BREAK_ENABLED ---===//
#include "frame/korbreakflag.h"
#include <cstdlib>
#include <cstring>

bool korParseBreakEnabled(const char *value) {
  return !value || std::strcmp(value, "0") != 0;
}

bool &korBreakEnabled() {
  static bool enabled = korParseBreakEnabled(std::getenv("KOR_BREAK_ENABLED"));
  return enabled;
}
