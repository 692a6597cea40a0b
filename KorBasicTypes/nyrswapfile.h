//===- nyrswapfile.h - The temporary file a reallocation swaps through ----===//
//
// When neither the heap nor the host memory manager can grow a block in
// place, the old contents go to a temporary file, the old block is freed,
// the new one allocated and the contents read back. The file is unlinked
// right after it is opened, so it disappears with its descriptor whatever
// happens to the process.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>
#include <string>

/// A fresh name "<temp folder>/kor-<pid>-<counter>-temp" (eight hexadecimal
/// digits each, the counter from the monotonic clock); empty when the host
/// names no temporary folder.
std::string nyrSwapFileName();

/// An open, already unlinked temporary file for one reallocation.
class NyrSwapFile {
public:
  NyrSwapFile() = default;
  ~NyrSwapFile() { close(); }
  NyrSwapFile(const NyrSwapFile &) = delete;
  NyrSwapFile &operator=(const NyrSwapFile &) = delete;

  /// Creates (or opens) `path` for reading and writing by the user only and
  /// unlinks it at once; false when it cannot be opened.
  bool open(const std::string &path);
  /// Writes `bytes` from `data`; false when fewer were written.
  bool write(const void *data, size_t bytes);
  /// Reads `bytes` from the start of the file into `data`.
  bool readBack(void *data, size_t bytes);
  /// Closes the file, which deletes it.
  void close();

private:
  int fd_ = -1;
};
