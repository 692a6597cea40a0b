//===- strnumber.h - Number texts shared by the string classes ------------===//
#pragma once
#include <string>

namespace kor_str {
/// snprintf into a buffer of 40 bytes that doubles until the text fits.
std::string printfText(const char *format, ...)
    __attribute__((format(printf, 1, 2)));
/// The shortest general-notation text that reads back closest to `value`;
/// whole numbers in the 32-bit range are written with "%d".
std::string shortestText(float value);
std::string shortestText(double value);
/// strtof / strtod with the standard library's exceptions:
/// std::invalid_argument("invalid stof argument") when nothing is read,
/// std::out_of_range("stof argument out of range") when out of range
/// (the "stod" texts for double).
float parseFloat(const char *text);
double parseDouble(const char *text);
} // namespace kor_str
