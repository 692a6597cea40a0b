//===- strnumber.cpp - Number texts shared by the string classes ----------===//
#include "KorBasicTypes/strnumber.h"
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace kor_str {

std::string printfText(const char *format, ...) {
  std::string buffer(40, '\0');
  for (;;) {
    va_list args;
    va_start(args, format);
    int needed = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (needed < 0)
      return {};
    if (size_t(needed) < buffer.size()) {
      buffer.resize(size_t(needed));
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

float parseFloat(const char *text) {
  char *end = nullptr;
  errno = 0;
  float value = std::strtof(text, &end);
  if (end == text)
    throw std::invalid_argument("invalid stof argument");
  if (errno == ERANGE)
    throw std::out_of_range("stof argument out of range");
  return value;
}

double parseDouble(const char *text) {
  char *end = nullptr;
  errno = 0;
  double value = std::strtod(text, &end);
  if (end == text)
    throw std::invalid_argument("invalid stod argument");
  if (errno == ERANGE)
    throw std::out_of_range("stod argument out of range");
  return value;
}

namespace {
float parseBack(const std::string &text, float) {
  return parseFloat(text.c_str());
}
double parseBack(const std::string &text, double) {
  return parseDouble(text.c_str());
}

/// Whether `value` survives a round trip through a 32-bit integer.
template <class Real> bool isWhole32(Real value) {
  if (!(value >= Real(INT32_MIN) && value <= Real(INT32_MAX)))
    return false;
  return Real(int32_t(value)) == value;
}

// Lowers the precision while the read-back error does not grow and keeps
// the last text that was at least as close as the one before.
template <class Real> std::string shortest(Real value, int precision) {
  if (isWhole32(value))
    return printfText("%d", int32_t(value));
  Real bestError = std::numeric_limits<Real>::max();
  std::string best;
  for (int p = precision; p >= 0; --p) {
    std::ostringstream out;
    out.precision(p);
    out << value;
    std::string text = out.str();
    Real error = std::fabs(parseBack(text, value) - value);
    if (error > bestError)
      break;
    best = text;
    bestError = error;
  }
  return best;
}
} // namespace

std::string shortestText(float value) { return shortest(value, 9); }
std::string shortestText(double value) { return shortest(value, 17); }

} // namespace kor_str
