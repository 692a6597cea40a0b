//===- korstringutf8_fuzz.cpp - Fuzzes KorString's UTF-8 decoding ---------===//
//
// The input, cut at its first NUL, is decoded with KorString::fromUtf8.
// Strict UTF-8 (one to four bytes per character, no surrogates) must decode
// to the same code units as a reference decoder and encode back to the same
// bytes; every decoded text must come back from an encode-decode round trip
// with its lone surrogates as U+FFFD.
//
//===----------------------------------------------------------------------===//
#include "korstring.h"
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {
bool isSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

/// Strict decoding: continuation bytes 10xxxxxx, no overlong forms, no
/// encoded surrogates, nothing beyond U+10FFFF; nullopt for anything else.
std::optional<std::u16string> strictDecode(const std::string &text) {
  static constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    unsigned lead = static_cast<unsigned char>(text[i++]);
    int follow = lead < 0x80              ? 0
                 : (lead & 0xE0) == 0xC0 ? 1
                 : (lead & 0xF0) == 0xE0 ? 2
                 : (lead & 0xF8) == 0xF0 ? 3
                                         : -1;
    if (follow < 0)
      return std::nullopt;
    char32_t point = follow == 0 ? lead : lead & (0x7F >> (follow + 1));
    for (int k = 0; k < follow; ++k) {
      if (i == text.size())
        return std::nullopt;
      unsigned next = static_cast<unsigned char>(text[i++]);
      if ((next & 0xC0) != 0x80)
        return std::nullopt;
      point = (point << 6) | (next & 0x3F);
    }
    if (point < kSmallest[follow] || point > 0x10FFFF || isSurrogate(point))
      return std::nullopt;
    if (point < 0x10000) {
      out.push_back(static_cast<char16_t>(point));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
      out.push_back(
          static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    }
  }
  return out;
}

/// The text with every surrogate that is not part of a pair as U+FFFD.
std::u16string withLoneSurrogatesReplaced(std::u16string_view text) {
  std::u16string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    bool high = out[i] >= 0xD800 && out[i] <= 0xDBFF;
    if (high && i + 1 < out.size() && out[i + 1] >= 0xDC00 &&
        out[i + 1] <= 0xDFFF)
      ++i;
    else if (isSurrogate(out[i]))
      out[i] = 0xFFFD;
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
  // Whatever was decoded encodes to UTF-8 that decodes to the same text,
  // lone surrogates becoming U+FFFD.
  std::string encoded = decoded.utf8();
  if (KorString::fromUtf8(encoded.c_str()).view() !=
      withLoneSurrogatesReplaced(decoded.view()))
    std::abort();
  return 0;
}
