//===- bininput.cpp - Big-endian input stream -----------------------------===//
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binbyteswap.h"
#include "KorBasicTypes/binencoding.h"
#include "KorBasicTypes/binscrambler.h"
#include <algorithm>
#include <type_traits>

using binio_detail::Codec;

BinInput::~BinInput() = default;

// Reads n bytes through the scrambler; the position is taken only when one
// is installed.
size_t BinInput::readUnscrambled(void *dst, size_t n) {
  BinIO_Scrambler *scrambler = binioScrambler();
  int64_t at = scrambler ? tell() : 0;
  size_t got = read(dst, n);
  if (scrambler)
    scrambler->unscramble(static_cast<uint8_t *>(dst), at, got);
  return got;
}

// Reads up to a buffer of bytes at a time and converts the whole values in
// it (the bytes of each value reversed). A trailing partial value is
// completed by reading exactly its missing bytes, however few the source
// delivers per call.
template <class T> bool BinInput::readValues(T *dst, size_t count) {
  constexpr size_t width = Codec<T>::kWidth;
  static_assert(width == sizeof(T) && std::is_trivially_copyable_v<T>);
  while (count > 0) {
    size_t want = count > kBufferSize / width ? kBufferSize : count * width;
    size_t got = readUnscrambled(scratch_, want);
    if (got == 0)
      return false;
    size_t whole = got / width;
    binCopySwapped(scratch_, dst, whole, width);
    const uint8_t *in = scratch_ + whole * width;
    dst += whole;
    count -= whole;
    size_t partial = got % width;
    if (partial == 0)
      continue;
    uint8_t value[width];
    std::copy(in, in + partial, value);
    while (partial < width) {
      size_t more = readUnscrambled(value + partial, width - partial);
      if (more == 0)
        return false;
      partial += more;
    }
    *dst++ = Codec<T>::decode(value);
    --count;
  }
  return true;
}

bool BinInput::read(char *d, size_t n) { return readValues(d, n); }
bool BinInput::read(int8_t *d, size_t n) { return readValues(d, n); }
bool BinInput::read(uint8_t *d, size_t n) { return readValues(d, n); }
bool BinInput::read(int16_t *d, size_t n) { return readValues(d, n); }
bool BinInput::read(uint16_t *d, size_t n) { return readValues(d, n); }
bool BinInput::read(KorWChar *d, size_t n) { return readValues(d, n); }
bool BinInput::read(int32_t *d, size_t n) { return readValues(d, n); }
bool BinInput::read(uint32_t *d, size_t n) { return readValues(d, n); }
bool BinInput::read(uint64_t *d, size_t n) { return readValues(d, n); }
bool BinInput::read(float *d, size_t n) { return readValues(d, n); }
bool BinInput::read(double *d, size_t n) { return readValues(d, n); }
bool BinInput::read(BinMagic *d, size_t n) { return readValues(d, n); }

size_t BinInput::readRaw(void *dst, size_t n) {
  return readUnscrambled(dst, n);
}

const uint8_t *BinInput::readChunk(size_t n, size_t &got) {
  got = readUnscrambled(scratch_, std::min(n, kBufferSize));
  return scratch_;
}

int32_t BinInput::peekInt32() {
  int32_t value;
  if (!read(&value, 1))
    return -1;
  seek(tell() - 4, true);
  return value;
}

bool BinInput::setSizeFieldWidth(uint32_t width) {
  if (sizeFieldWidth_ != 0)
    return false;
  sizeFieldWidth_ = width;
  return true;
}
