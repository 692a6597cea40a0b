//===- binio_testutil.h - Byte builders, temporary files, assertion capture ===//
#pragma once
#include "component/korassert.h"
#include "component/kortypes.h"
#include "tests/unit/support/memorystream.h"
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
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

/// A file name in the temporary directory (ASCII), removed at the end.
struct TempFile {
  explicit TempFile(const std::string &stem)
      : path(std::filesystem::temp_directory_path() /
             (stem + "-" + std::to_string(::getpid()) + "-" +
              std::to_string(++serial()) + ".bin")) {
    std::string text = path.string();
    wideName.assign(text.begin(), text.end());
  }
  ~TempFile() { std::filesystem::remove(path); }
  static int &serial() { static int n = 0; return n; }
  const KorWChar *wide() const { return wideName.c_str(); }
  Bytes bytes() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void write(const Bytes &b) const {
    std::ofstream(path, std::ios::binary).write((const char *)b.data(), std::streamsize(b.size()));
  }
  std::filesystem::path path;
  std::u16string wideName;
};

/// Records every assertion report, as "file:line: text", while alive.
struct AssertRecorder {
  AssertRecorder() { korSetAssertHook(&record, this); }
  ~AssertRecorder() { korSetAssertHook(nullptr, nullptr); }
  static void record(void *self, const char *text, const char *file, int line) {
    static_cast<AssertRecorder *>(self)->reports.push_back(
        std::string(file) + ":" + std::to_string(line) + ": " + text);
  }
  std::vector<std::string> reports;
};
