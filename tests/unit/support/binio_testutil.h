//===- binio_testutil.h - Memory streams, temporary files, assertion capture ===//
#pragma once
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binoutput.h"
#include "component/korassert.h"
#include "component/kortypes.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using Bytes = std::vector<uint8_t>;

/// Output into memory; records the size of every write of the sink.
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
    size_t k = std::min(n, bytes.size() - std::min(pos, bytes.size()));
    if (k)
      std::memcpy(dst, bytes.data() + pos, k);
    pos += k;
    return k;
  }
  int64_t tell() override { return static_cast<int64_t>(pos); }
  bool seek(int64_t offset, bool fromStart) override {
    pos = static_cast<size_t>(fromStart ? offset : int64_t(bytes.size()) + offset);
    return true;
  }
  bool good() override { return true; }
  void close() override {}

  Bytes bytes;
  std::vector<size_t> writes;
  size_t pos = 0;
  bool failWrites = false;
};

/// Input from memory delivering at most `chunk` bytes per read.
class MemoryInput : public BinInput {
public:
  explicit MemoryInput(Bytes data, size_t chunk = SIZE_MAX)
      : bytes(std::move(data)), chunk(chunk) {
    setStreamSize(bytes.size());
  }
  using BinInput::read;
  size_t read(void *dst, size_t n) override {
    ++reads;
    size_t k = std::min({n, chunk, bytes.size() - std::min(pos, bytes.size())});
    if (k)
      std::memcpy(dst, bytes.data() + pos, k);
    pos += k;
    return k;
  }
  int64_t tell() override {
    ++tells;
    return static_cast<int64_t>(pos);
  }
  bool seek(int64_t offset, bool fromStart) override {
    pos = static_cast<size_t>(fromStart ? offset : int64_t(bytes.size()) + offset);
    return true;
  }
  bool good() override { return true; }
  void close() override {}

  Bytes bytes;
  size_t chunk;
  size_t pos = 0;
  int reads = 0, tells = 0;
};

/// A file name in the test temporary directory, removed at the end.
class TempFile {
public:
  explicit TempFile(const std::string &stem) {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            (stem + "-" + std::to_string(::getpid()) + "-" +
             std::to_string(++serial) + ".bin");
    std::string text = path_.string();
    wide_.assign(text.begin(), text.end()); // ASCII temporary directories
  }
  ~TempFile() { std::filesystem::remove(path_); }
  const KorWChar *wide() const { return wide_.c_str(); }
  std::string narrow() const { return path_.string(); }
  std::vector<uint8_t> bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void write(const std::vector<uint8_t> &bytes) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }

private:
  std::filesystem::path path_;
  std::u16string wide_;
};

/// Records every assertion report while alive.
class AssertRecorder {
public:
  struct Report {
    std::string text, file;
    int line;
    bool operator==(const Report &) const = default;
  };
  AssertRecorder() { korSetAssertHook(&record, this); }
  ~AssertRecorder() { korSetAssertHook(nullptr, nullptr); }
  std::vector<Report> reports;

private:
  static void record(void *self, const char *text, const char *file,
                     int line) {
    static_cast<AssertRecorder *>(self)->reports.push_back({text, file, line});
  }
};

inline std::ostream &operator<<(std::ostream &os,
                                const AssertRecorder::Report &r) {
  return os << r.text << " @ " << r.file << ":" << r.line;
}
