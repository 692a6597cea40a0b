//===- binfile.h - Binary streams bound to a stdio file -------------------===//
//
// BinInputFile and BinOutputFile own a FILE opened from a UTF-16 path (or
// adopted from the caller) and close it when they are destroyed. Opening a
// path converts it to UTF-8 and calls fopen; '\' is accepted as a separator.
// As the file belongs to the stream, each keeps the file offset itself:
// ftello costs a system call per call on glibc, and the data-model writer
// and reader ask for the offset on every block. A file opened from a path
// gets a stdio buffer of its own, much larger than glibc's one page, so
// the 1024-byte chunks of the stream cost few system calls.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binoutput.h"
#include "KorBasicTypes/korstring.h"
#include <cstdio>
#include <memory>
#include <string>

/// The UTF-8 form of a UTF-16 path with '\' turned into '/'; unpaired
/// surrogates become U+FFFD. A null path gives the empty text.
std::string binPathToUtf8(const KorWChar *path);

/// Opens a UTF-16 path with a stdio mode; null for a null or empty path
/// (the platform is not called then) or when fopen fails.
FILE *binOpenFile(const KorWChar *path, const char *mode);

/// Size of the stdio buffer of a file stream opened from a path.
inline constexpr size_t kBinFileBufferBytes = 1024 * 1024;

/// The stdio buffer a file stream owns; it outlives the file.
using BinFileBuffer = std::unique_ptr<char[]>;

/// Typed input from a file opened for binary reading.
class BinInputFile : public BinInput {
public:
  /// Opens path with mode "rb"; on failure the stream is not good and its
  /// size is 0.
  explicit BinInputFile(const KorWChar *path);
  explicit BinInputFile(const KorString &path) : BinInputFile(path.data()) {}
  /// Adopts an open file (closed by this object), positioned at offset 0.
  explicit BinInputFile(FILE *file);
  ~BinInputFile() override;

  using BinInput::read;
  size_t read(void *buffer, size_t n) override;
  int64_t tell() override;
  bool seek(int64_t offset, bool fromStart) override;
  /// A file is open and its error indicator is clear.
  bool good() override;
  void close() override;

private:
  void adopt(FILE *file);

  BinFileBuffer buffer_;
  FILE *file_ = nullptr;
  int64_t offset_ = 0;
};

/// Typed output to a file opened for binary reading and writing.
class BinOutputFile : public BinOutput {
public:
  /// Creates or truncates path for reading and writing; flush() commits
  /// this file to disk.
  explicit BinOutputFile(const KorWChar *path);
  explicit BinOutputFile(const KorString &path)
      : BinOutputFile(path.data()) {}
  /// Adopts an open file (closed by this object); flush() does not commit
  /// it to disk.
  explicit BinOutputFile(FILE *file);
  /// Closes the file without flushing the write buffer: bytes still
  /// buffered are lost unless flush() or flushAndClose() ran first.
  ~BinOutputFile() override;

  /// Flushes the buffer and the file, then commits a file opened from a
  /// path to disk; true when a file is open and both succeeded.
  bool flush() override;
  bool reservedQuery() override;
  using BinOutput::read;
  using BinOutput::write;
  size_t write(const void *buffer, size_t n) override;
  size_t read(void *buffer, size_t n) override;
  int64_t tell() override;
  bool seek(int64_t offset, bool fromStart) override;
  bool good() override;
  void close() override;

private:
  enum class LastOp { None, Read, Write };
  void switchTo(LastOp op);

  BinFileBuffer buffer_;
  FILE *file_ = nullptr;
  int64_t offset_ = 0;
  LastOp lastOp_ = LastOp::None;
  bool commitOnFlush_ = false;
};
