//===- hostutf.h - UTF-16 <-> UTF-8 for the host's own output -------------===//
#pragma once
#include "component/kortypes.h"
#include <string>

/// The UTF-8 form of a UTF-16 text (null gives the empty text).
std::string hostToUtf8(const KorWChar *text);
/// The UTF-16 form of a UTF-8 text.
std::u16string hostToUtf16(const std::string &text);
