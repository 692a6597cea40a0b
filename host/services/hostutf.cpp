//===- hostutf.cpp - UTF-16 <-> UTF-8 for the host's own output -----------===//
#include "host/services/hostutf.h"
#include <unicode/unistr.h>

std::string hostToUtf8(const KorWChar *text) {
  std::string out;
  if (text)
    icu::UnicodeString(text).toUTF8String(out);
  return out;
}

std::u16string hostToUtf16(const std::string &text) {
  icu::UnicodeString wide = icu::UnicodeString::fromUTF8(text);
  return std::u16string(wide.getBuffer(), wide.length());
}
