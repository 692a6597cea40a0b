//===- korstringutf8_fuzz.cpp - Fuzzes KorString's UTF-8 decoding ---------===//
//
// The input, cut at its first NUL, is decoded with KorString::fromUtf8.
// Strict UTF-8 of one to three bytes per character must decode to the same
// code units as a reference decoder and encode back to the same bytes;
// every decoded text must survive an encode-decode round trip.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/korstring.h"
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {
/// Strict decoding: continuation bytes 10xxxxxx, no overlong forms, no
/// four-byte sequences; nullopt for anything else.
std::optional<std::u16string> strictDecode(const std::string &text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    unsigned lead = static_cast<unsigned char>(text[i++]);
    int follow = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1
                               : (lead & 0xF0) == 0xE0 ? 2
                                                       : -1;
    if (follow < 0)
      return std::nullopt;
    unsigned unit = follow == 0 ? lead : lead & (follow == 1 ? 0x1F : 0x0F);
    for (int k = 0; k < follow; ++k) {
      if (i == text.size())
        return std::nullopt;
      unsigned next = static_cast<unsigned char>(text[i++]);
      if ((next & 0xC0) != 0x80)
        return std::nullopt;
      unit = (unit << 6) | (next & 0x3F);
    }
    if ((follow == 1 && unit < 0x80) || (follow == 2 && unit < 0x800))
      return std::nullopt;
    out.push_back(static_cast<char16_t>(unit));
  }
  return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string input(reinterpret_cast<const char *>(data), size);
  input.resize(std::strlen(input.c_str()));

  KorString decoded = KorString::fromUtf8(input.c_str());
  if (std::optional<std::u16string> expected = strictDecode(input)) {
    if (decoded.view() != *expected)
      std::abort();
    if (input != decoded.utf8())
      std::abort();
  }
  // Whatever was decoded encodes to UTF-8 that decodes to the same text.
  std::string encoded = decoded.utf8();
  if (KorString::fromUtf8(encoded.c_str()).view() != decoded.view())
    std::abort();
  return 0;
}
