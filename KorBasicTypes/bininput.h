//===- bininput.h - Big-endian input stream -------------------------------===//
//
// BinInput reads typed values in the machine-independent wire form through
// its 1024-byte scratch buffer. It never reads ahead: a read pulls exactly
// the bytes it needs, so the underlying position is always the logical one.
// Values split across reads are assembled from their parts. Nothing here
// allocates.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/binmagic.h"
#include "component/kortypes.h"
#include <cstddef>
#include <cstdint>

/// Abstract typed input stream with a 1024-byte scratch buffer.
class BinInput {
public:
  static constexpr size_t kBufferSize = 1024;

  BinInput() = default;
  BinInput(const BinInput &) = delete;
  BinInput &operator=(const BinInput &) = delete;
  virtual ~BinInput();

  /// Reads up to n bytes; returns the number read (0 at end or on error).
  virtual size_t read(void *buffer, size_t n) = 0;
  /// The current byte offset.
  virtual int64_t tell() = 0;
  /// Moves to offset from the start (fromStart) or relative to the end.
  virtual bool seek(int64_t offset, bool fromStart) = 0;
  virtual bool good() = 0;
  virtual void close() = 0;

  /// Typed array reads from big-endian form; false when the source ran dry
  /// (the values converted before that stay stored).
  bool read(char *dst, size_t count);
  bool read(int8_t *dst, size_t count);
  bool read(uint8_t *dst, size_t count);
  bool read(int16_t *dst, size_t count);
  bool read(uint16_t *dst, size_t count);
  bool read(KorWChar *dst, size_t count);
  bool read(int32_t *dst, size_t count);
  bool read(uint32_t *dst, size_t count);
  bool read(uint64_t *dst, size_t count);
  bool read(float *dst, size_t count);
  bool read(double *dst, size_t count);
  bool read(BinMagic *dst, size_t count);

  /// Reads n bytes straight into dst (unscrambled); returns the count read.
  size_t readRaw(void *dst, size_t n);
  /// Reads at most min(n, 1024) bytes into the scratch buffer and returns
  /// it; `got` receives the count read. Valid until the next read.
  const uint8_t *readChunk(size_t n, size_t &got);
  /// The next signed 32-bit value without moving; all bits set when it
  /// cannot be read.
  int32_t peekInt32();

  /// Total length of the underlying file (0 when there is none).
  uint64_t streamSize() const { return streamSize_; }
  /// Width in bits of block size fields: 0 until fixed, then 32 or 64.
  uint32_t sizeFieldWidth() const { return sizeFieldWidth_; }
  /// Fixes the width to 32 bits; false when already fixed.
  bool setSizeFieldWidth32() { return setSizeFieldWidth(32); }
  /// Fixes the width to 64 bits; false when already fixed.
  bool setSizeFieldWidth64() { return setSizeFieldWidth(64); }

protected:
  void setStreamSize(uint64_t size) { streamSize_ = size; }

private:
  template <class T> bool readValues(T *dst, size_t count);
  size_t readUnscrambled(void *dst, size_t n);
  bool setSizeFieldWidth(uint32_t width);

  uint8_t scratch_[kBufferSize];
  uint64_t streamSize_ = 0;
  uint32_t sizeFieldWidth_ = 0;
};
