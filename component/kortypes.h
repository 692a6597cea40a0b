//===- kortypes.h - Basic value types shared by every interface -----------===//
#pragma once
#include <cstdint>
#include <cstring>

/// One UTF-16 code unit: the character type of every wide text.
using KorWChar = char16_t;

/// A 16-byte class or component identifier in GUID layout.
struct KorGuid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};

  /// Identifiers compare over all 16 bytes.
  friend bool operator==(const KorGuid &a, const KorGuid &b) {
    return std::memcmp(&a, &b, sizeof(KorGuid)) == 0;
  }
};
static_assert(sizeof(KorGuid) == 16);

/// Builds a KorGuid from its {8-4-4-4-12} fields at compile time.
constexpr KorGuid korGuid(uint32_t d1, uint16_t d2, uint16_t d3, uint8_t b0,
                          uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4,
                          uint8_t b5, uint8_t b6, uint8_t b7) {
  return KorGuid{d1, d2, d3, {b0, b1, b2, b3, b4, b5, b6, b7}};
}
