//===- binoutput.cpp - Buffered big-endian output stream ------------------===//
#include "KorBasicTypes/binoutput.h"
#include "KorBasicTypes/binbyteswap.h"
#include "KorBasicTypes/binencoding.h"
#include "KorBasicTypes/binscrambler.h"
#include <algorithm>
#include <cstring>
#include <type_traits>

using binio_detail::Codec;

BinOutput::~BinOutput() = default;

bool BinOutput::flush() { return false; }

bool BinOutput::reservedQuery() { return false; }

// Converts whole values into the buffer chunk by chunk, flushing early when
// fewer than kMinFree bytes are free and as soon as the buffer is full. Every
// type's wire form is its memory form with the bytes of each value reversed.
template <class T> bool BinOutput::writeValues(const T *src, size_t count) {
  constexpr size_t width = Codec<T>::kWidth;
  static_assert(width == sizeof(T) && std::is_trivially_copyable_v<T>);
  while (count > 0) {
    if (freeBytes() < kMinFree)
      flushBuffer();
    size_t chunk = std::min(freeBytes() / width, count);
    if (chunk == 0)
      return false;
    binCopySwapped(src, buffer_ + used_, chunk, width);
    src += chunk;
    count -= chunk;
    used_ += chunk * width;
    if (used_ == kBufferSize && !flushBuffer())
      return false;
  }
  return true;
}

bool BinOutput::write(const char *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const int8_t *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const uint8_t *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const int16_t *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const uint16_t *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const KorWChar *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const int32_t *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const uint32_t *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const uint64_t *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const float *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const double *s, size_t n) { return writeValues(s, n); }
bool BinOutput::write(const BinMagic *s, size_t n) { return writeValues(s, n); }

bool BinOutput::writeRaw(const void *src, size_t n) {
  auto *bytes = static_cast<const uint8_t *>(src);
  while (n > 0) {
    size_t chunk = std::min(n, freeBytes());
    std::memcpy(buffer_ + used_, bytes, chunk);
    used_ += chunk;
    bytes += chunk;
    n -= chunk;
    if (used_ == kBufferSize && !flushBuffer())
      return false;
  }
  return true;
}

bool BinOutput::flushBuffer() {
  if (used_ == 0)
    return true;
  if (BinIO_Scrambler *scrambler = binioScrambler())
    scrambler->scramble(buffer_, tell(), used_);
  // The cast selects the sink's raw write, not the typed byte write.
  bool written = write(static_cast<const void *>(buffer_), used_) != 0;
  used_ = 0;
  return written;
}

bool BinOutput::flushAndSeek(int64_t offset, bool fromStart) {
  flushBuffer();
  return seek(offset, fromStart);
}

void BinOutput::flushAndClose() {
  flushBuffer();
  close();
}

size_t BinOutput::readBack(void *dst, size_t n) {
  if (!flushBuffer())
    return 0;
  BinIO_Scrambler *scrambler = binioScrambler();
  int64_t at = scrambler ? tell() : 0;
  size_t got = read(dst, n);
  if (scrambler)
    scrambler->unscramble(static_cast<uint8_t *>(dst), at, got);
  return got;
}

uint8_t *BinOutput::reserve(size_t n, size_t &granted) {
  if (freeBytes() < kMinFree)
    flushBuffer();
  granted = std::min(n, freeBytes());
  return buffer_ + used_;
}

bool BinOutput::commit(size_t k) {
  used_ += std::min(k, freeBytes());
  if (used_ == kBufferSize)
    return flushBuffer();
  return true;
}

bool BinOutput::overwriteBuffered(int64_t offset, const void *bytes, size_t n) {
  int64_t bufferStart = tell();
  if (offset < bufferStart ||
      offset - bufferStart + static_cast<int64_t>(n) > static_cast<int64_t>(used_))
    return false;
  std::memcpy(buffer_ + (offset - bufferStart), bytes, n);
  return true;
}
