//===- memorystream.h - Binary streams over a byte vector ------------------===//
//
// The one in-memory BinInput and BinOutput of the unit tests, fuzzers and
// benchmarks: seekable, with counters and a failure switch for the tests.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binoutput.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

using Bytes = std::vector<uint8_t>;

namespace memorystream {
/// Copies up to n bytes from `bytes` at `pos` and moves `pos` on.
inline size_t take(const Bytes &bytes, size_t &pos, void *dst, size_t n) {
  size_t k = std::min(n, bytes.size() - std::min(pos, bytes.size()));
  if (k)
    std::memcpy(dst, bytes.data() + pos, k);
  pos += k;
  return k;
}
/// The position `offset` names, never before the start.
inline size_t place(const Bytes &bytes, int64_t offset, bool fromStart) {
  int64_t to = fromStart ? offset : int64_t(bytes.size()) + offset;
  return size_t(std::max<int64_t>(to, 0));
}
} // namespace memorystream

/// Output into `bytes`; records the size of every write reaching the sink.
class MemoryOutput : public BinOutput {
public:
  using BinOutput::read;
  using BinOutput::write;
  size_t write(const void *src, size_t n) override {
    if (failWrites)
      return 0;
    if (bytes.size() < pos + n)
      bytes.resize(pos + n);
    if (n)
      std::memcpy(bytes.data() + pos, src, n);
    pos += n;
    writes.push_back(n);
    return n;
  }
  size_t read(void *dst, size_t n) override {
    return memorystream::take(bytes, pos, dst, n);
  }
  int64_t tell() override { return int64_t(pos); }
  bool seek(int64_t offset, bool fromStart) override {
    pos = memorystream::place(bytes, offset, fromStart);
    return true;
  }
  bool good() override { return true; }
  void close() override {}
  /// Everything written, the buffer included.
  const Bytes &flushed() {
    flushBuffer();
    return bytes;
  }

  Bytes bytes;
  std::vector<size_t> writes;
  size_t pos = 0;
  bool failWrites = false;
};

/// Input from `bytes`, delivering at most `chunk` bytes per read.
class MemoryInput : public BinInput {
public:
  explicit MemoryInput(Bytes data, size_t chunk = SIZE_MAX)
      : bytes(std::move(data)), chunk(chunk) {
    setStreamSize(bytes.size());
  }
  MemoryInput(const uint8_t *data, size_t size)
      : MemoryInput(Bytes(data, data + size)) {}
  using BinInput::read;
  size_t read(void *dst, size_t n) override {
    ++reads;
    return memorystream::take(bytes, pos, dst, std::min(n, chunk));
  }
  int64_t tell() override {
    ++tells;
    return int64_t(pos);
  }
  bool seek(int64_t offset, bool fromStart) override {
    pos = memorystream::place(bytes, offset, fromStart);
    return true;
  }
  bool good() override { return true; }
  void close() override {}

  Bytes bytes;
  size_t chunk;
  size_t pos = 0;
  int reads = 0, tells = 0;
};
