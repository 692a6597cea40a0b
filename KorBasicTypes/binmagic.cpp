//===- binmagic.cpp - 4-byte class tag written before serialised data -----===//
#include "binmagic.h"
#include "bininput.h"
#include "binoutput.h"
#include "korassert.h"
#include <ostream>

bool BinMagic::write(BinOutput &out) const { return out.write(this, 1); }

// A failed read leaves the invalid tag, so no comparison can succeed on it.
bool BinMagic::readValue(BinInput &in) {
  if (in.read(this, 1))
    return true;
  magic_ = -1;
  return false;
}

bool BinMagic::readCompareId(BinInput &in) {
  int32_t expectedId = magic_ >> 8;
  return readValue(in) && (magic_ >> 8) == expectedId;
}

bool BinMagic::readCompare(BinInput &in, BinMagic magic) {
  return readValue(in) && *this == magic;
}

bool BinMagic::readAssert(BinInput &in, BinMagic magic) {
  readValue(in);
  KOR_CHECK(magic_ == magic.magic_, "magic_ == magic", "KorBasicTypes/binio",
            578);
  return magic_ == magic.magic_;
}

std::ostream &operator<<(std::ostream &os, BinMagic magic) {
  return os << (magic.value() >> 8) << ' ' << (magic.value() & 0xFF);
}
