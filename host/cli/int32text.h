//===- int32text.h - Whole decimal 32-bit numbers given as text -----------===//
#pragma once
#include <cstdint>
#include <string>

/// Parses a whole decimal 32-bit integer; false for anything else (signs
/// other than a leading "-", spaces, other bases, values out of range).
bool parseInt32(const std::string &text, int32_t &value);
