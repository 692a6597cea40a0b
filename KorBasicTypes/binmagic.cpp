//===- binmagic.cpp - 4-byte class tag written before serialised data -----===//
#include "KorBasicTypes/binmagic.h"
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binoutput.h"
#include "component/korassert.h"
#include <ostream>

bool BinMagic::write(BinOutput &out) const { return out.write(this, 1); }

// A failed read leaves the tag as it was; the reading variants then report
// false whatever it holds.
bool BinMagic::readValue(BinInput &in) { return in.read(this, 1); }

bool BinMagic::readCompareId(BinInput &in) {
  int32_t expectedId = magic_ >> 8;
  return readValue(in) && (magic_ >> 8) == expectedId;
}

bool BinMagic::readCompare(BinInput &in, BinMagic magic) {
  return readValue(in) && *this == magic;
}

bool BinMagic::readAssert(BinInput &in, BinMagic magic) {
  bool matches = readValue(in) && magic_ == magic.magic_;
  KOR_CHECK(matches, "magic_ == magic", "KorBasicTypes/binio", 578);
  return matches;
}

std::ostream &operator<<(std::ostream &os, BinMagic magic) {
  return os << (magic.value() >> 8) << ' ' << (magic.value() & 0xFF);
}
