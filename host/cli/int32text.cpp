//===- int32text.cpp - Whole decimal 32-bit numbers given as text ---------===//
#include "host/cli/int32text.h"
#include <charconv>

bool parseInt32(const std::string &text, int32_t &value) {
  const char *first = text.data();
  const char *last = first + text.size();
  auto [end, error] = std::from_chars(first, last, value);
  return !text.empty() && error == std::errc() && end == last;
}
