//===- memorystream.h - Binary streams over a byte vector ------------------===//
//
// The one in-memory stream of the unit tests, fuzzers and benchmarks: a
// seekable byte vector under either stream interface, with counters and a
// failure switch for the tests.
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

/// `bytes` read and written at `pos` through the stream interface `Base`;
/// reads deliver at most `chunk` bytes each.
template <class Base> class MemoryStream : public Base {
public:
  explicit MemoryStream(Bytes data = {}, size_t chunk = SIZE_MAX)
      : bytes(std::move(data)), chunk(chunk) {}
  size_t read(void *dst, size_t n) override {
    ++reads;
    size_t k = std::min({n, chunk, bytes.size() - std::min(pos, bytes.size())});
    if (k)
      std::memcpy(dst, bytes.data() + pos, k);
    pos += k;
    return k;
  }
  size_t write(const void *src, size_t n) {
    if (failWrites)
      return 0;
    bytes.resize(std::max(bytes.size(), pos + n));
    if (n)
      std::memcpy(bytes.data() + pos, src, n);
    pos += n;
    writes.push_back(n);
    return n;
  }
  int64_t tell() override {
    ++tells;
    return int64_t(pos);
  }
  bool seek(int64_t offset, bool fromStart) override {
    pos = size_t(std::max<int64_t>(fromStart ? offset : int64_t(bytes.size()) + offset, 0));
    return true;
  }
  bool good() override { return true; }
  void close() override {}

  Bytes bytes;
  size_t chunk, pos = 0;
  std::vector<size_t> writes; ///< The size of every write reaching the sink.
  int reads = 0, tells = 0;
  bool failWrites = false;
};

/// Output into `bytes`.
class MemoryOutput : public MemoryStream<BinOutput> {
public:
  using BinOutput::read;
  using BinOutput::write;
  size_t write(const void *src, size_t n) override {
    return MemoryStream::write(src, n);
  }
  /// Everything written, the buffer included.
  const Bytes &flushed() {
    flushBuffer();
    return bytes;
  }
};

/// Input from `bytes`.
class MemoryInput : public MemoryStream<BinInput> {
public:
  explicit MemoryInput(Bytes data, size_t chunk = SIZE_MAX)
      : MemoryStream(std::move(data), chunk) {
    setStreamSize(bytes.size());
  }
  MemoryInput(const uint8_t *data, size_t size)
      : MemoryInput(Bytes(data, data + size)) {}
  using BinInput::read;
};
