//===- binoutput.h - Buffered big-endian output stream --------------------===//
//
// BinOutput converts typed values into its 1024-byte buffer in the
// machine-independent wire form and hands whole buffers to the underlying
// sink. Typed writes flush early when fewer than 256 bytes are free, so the
// common small values never straddle a flush. Nothing here allocates.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/binmagic.h"
#include "component/kortypes.h"
#include <cstddef>
#include <cstdint>

/// Abstract typed output stream with a 1024-byte write buffer.
class BinOutput {
public:
  static constexpr size_t kBufferSize = 1024;
  /// Typed writes flush first when fewer bytes than this are free.
  static constexpr size_t kMinFree = 256;

  BinOutput() = default;
  BinOutput(const BinOutput &) = delete;
  BinOutput &operator=(const BinOutput &) = delete;
  virtual ~BinOutput();

  /// Writes the buffer through to its destination; false here.
  virtual bool flush();
  /// Reserved query; false here.
  virtual bool reservedQuery();
  /// Writes n bytes unbuffered; returns the number written.
  virtual size_t write(const void *buffer, size_t n) = 0;
  /// Reads n bytes back from the same destination; returns the number read.
  virtual size_t read(void *buffer, size_t n) = 0;
  /// Offset of the underlying sink, buffered bytes not counted.
  virtual int64_t tell() = 0;
  /// Moves to offset from the start (fromStart) or relative to the end.
  virtual bool seek(int64_t offset, bool fromStart) = 0;
  virtual bool good() = 0;
  virtual void close() = 0;

  /// Typed array writes in big-endian form; false when a flush failed.
  bool write(const char *src, size_t count);
  bool write(const int8_t *src, size_t count);
  bool write(const uint8_t *src, size_t count);
  bool write(const int16_t *src, size_t count);
  bool write(const uint16_t *src, size_t count);
  bool write(const KorWChar *src, size_t count);
  bool write(const int32_t *src, size_t count);
  bool write(const uint32_t *src, size_t count);
  bool write(const uint64_t *src, size_t count);
  bool write(const float *src, size_t count);
  bool write(const double *src, size_t count);
  bool write(const BinMagic *src, size_t count);

  /// Copies n bytes through the buffer unchanged.
  bool writeRaw(const void *src, size_t n);
  /// Hands the buffered bytes to the sink (scrambled when a scrambler is
  /// installed); the buffer is empty afterwards whatever the result.
  bool flushBuffer();
  /// Logical offset of the next byte: tell() plus the buffered bytes.
  int64_t position() { return tell() + static_cast<int64_t>(used_); }
  /// Flushes the buffer, then seeks.
  bool flushAndSeek(int64_t offset, bool fromStart);
  /// Flushes the buffer, then closes.
  void flushAndClose();
  /// Flushes the buffer, then reads n bytes back (unscrambled); 0 when the
  /// flush failed.
  size_t readBack(void *dst, size_t n);

  /// Room for up to n bytes inside the buffer (flushing first when fewer
  /// than 256 are free); `granted` receives min(n, free bytes).
  uint8_t *reserve(size_t n, size_t &granted);
  /// Takes k reserved bytes as written; flushes when the buffer is full.
  bool commit(size_t k);
  /// Overwrites n bytes at file offset `offset` when all of them are still
  /// in the buffer; false (nothing changed) otherwise.
  bool overwriteBuffered(int64_t offset, const void *bytes, size_t n);

  /// Number of bytes waiting in the buffer.
  size_t buffered() const { return used_; }
  /// Format version consulted by the data-model writer and by
  /// self-serialising classes.
  int32_t formatVersion() const { return formatVersion_; }
  bool setFormatVersion(int32_t version) {
    formatVersion_ = version;
    return true;
  }

private:
  template <class T> bool writeValues(const T *src, size_t count);
  size_t freeBytes() const { return kBufferSize - used_; }

  uint8_t buffer_[kBufferSize];
  uint64_t used_ = 0;
  int32_t formatVersion_ = 0;
};
