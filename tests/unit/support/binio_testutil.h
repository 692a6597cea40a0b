//===- binio_testutil.h - Byte builders, temporary files, assertion capture ===//
#pragma once
#include "component/korassert.h"
#include "component/kortypes.h"
#include "tests/unit/support/memorystream.h"
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

/// Big-endian bytes of each value, `width` bytes apiece.
inline Bytes bigEndian(std::initializer_list<uint64_t> values, int width = 4) {
  Bytes bytes;
  for (uint64_t v : values)
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
      bytes.push_back(uint8_t(v >> shift));
  return bytes;
}
inline Bytes be32(uint32_t v) { return bigEndian({v}); }
inline Bytes be64(uint64_t v) { return bigEndian({v}, 8); }
/// The parts one after the other.
inline Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes &p : parts)
    all.insert(all.end(), p.begin(), p.end());
  return all;
}

/// A file name in the temporary directory, removed at the end.
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
  Bytes bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void write(const Bytes &bytes) const {
    std::ofstream(path_, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char *>(bytes.data()),
               std::streamsize(bytes.size()));
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
