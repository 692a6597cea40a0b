//===- binio_testutil.h - Temporary files and assertion capture for tests -===//
#pragma once
#include "korassert.h"
#include "kortypes.h"
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

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
