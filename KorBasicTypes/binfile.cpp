//===- binfile.cpp - Binary streams bound to a stdio file -----------------===//
#include "KorBasicTypes/binfile.h"
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {
constexpr size_t kMaxModeLength = 256;

void appendUtf8(std::string &out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool isHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Offset of an open file after a move; 0 when it cannot be determined.
int64_t fileOffset(FILE *file) {
  off_t at = ftello(file);
  return at > 0 ? static_cast<int64_t>(at) : 0;
}

// Moves an open file and returns where it landed.
int64_t moveFile(FILE *file, int64_t offset, bool fromStart) {
  if (fseeko(file, offset, fromStart ? SEEK_SET : SEEK_END) == 0 && fromStart)
    return offset;
  return fileOffset(file);
}

// Commits what the kernel holds of the file to disk. Files that cannot be
// synchronised (pipes, terminals) have nothing to commit.
bool commitToDisk(FILE *file) {
  return fsync(fileno(file)) == 0 || errno == EINVAL;
}

// Opens a path with a stdio buffer owned by the caller's stream.
FILE *openBuffered(const KorWChar *path, const char *mode,
                   BinFileBuffer &buffer) {
  FILE *file = binOpenFile(path, mode);
  if (file) {
    buffer.reset(new char[kBinFileBufferBytes]);
    std::setvbuf(file, buffer.get(), _IOFBF, kBinFileBufferBytes);
  }
  return file;
}

// Length of an open file; 0 when it cannot be determined (pipes, errors).
// Leaves the file at offset 0.
uint64_t fileLength(FILE *file) {
  if (fseeko(file, 0, SEEK_END) != 0)
    return 0;
  off_t end = ftello(file);
  fseeko(file, 0, SEEK_SET);
  return end > 0 ? static_cast<uint64_t>(end) : 0;
}
} // namespace

std::string binPathToUtf8(const KorWChar *path) {
  std::string out;
  for (const KorWChar *p = path; p && *p; ++p) {
    char32_t unit = *p;
    if (unit == u'\\') {
      out += '/';
    } else if (isHighSurrogate(unit) && isLowSurrogate(p[1])) {
      appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (p[1] - 0xDC00));
      ++p;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      appendUtf8(out, 0xFFFD);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

FILE *binOpenFile(const KorWChar *path, const char *mode) {
  if (std::strlen(mode) >= kMaxModeLength)
    std::abort(); // No caller passes such a mode; it is a programming error.
  if (!path || !*path)
    return nullptr;
  return std::fopen(binPathToUtf8(path).c_str(), mode);
}

// --- BinInputFile -----------------------------------------------------------

BinInputFile::BinInputFile(const KorWChar *path) {
  adopt(openBuffered(path, "rb", buffer_));
}

BinInputFile::BinInputFile(FILE *file) { adopt(file); }

BinInputFile::~BinInputFile() { close(); }

void BinInputFile::adopt(FILE *file) {
  file_ = file;
  offset_ = 0;
  setStreamSize(file ? fileLength(file) : 0);
}

size_t BinInputFile::read(void *buffer, size_t n) {
  if (!file_)
    return 0;
  size_t got = fread_unlocked(buffer, 1, n, file_);
  offset_ += static_cast<int64_t>(got);
  return got;
}

int64_t BinInputFile::tell() { return file_ ? offset_ : 0; }

// Leaving a block that was read to its end seeks to where the file already
// is; that costs nothing here (fseeko would still ask the kernel).
bool BinInputFile::seek(int64_t offset, bool fromStart) {
  if (!file_)
    return false;
  if (!fromStart || offset != offset_)
    offset_ = moveFile(file_, offset, fromStart);
  return true;
}

bool BinInputFile::good() { return file_ && !std::ferror(file_); }

void BinInputFile::close() {
  if (file_)
    std::fclose(file_);
  file_ = nullptr;
}

// --- BinOutputFile ----------------------------------------------------------

// "w+b": create or truncate, read and write. fflush hands the bytes to the
// kernel, where every other reader of the file sees them; flush() then
// commits them to disk, so a finished file survives a crash right after.
BinOutputFile::BinOutputFile(const KorWChar *path)
    : file_(openBuffered(path, "w+b", buffer_)), commitOnFlush_(true) {}

BinOutputFile::BinOutputFile(FILE *file)
    : file_(file), offset_(file ? fileOffset(file) : 0) {}

BinOutputFile::~BinOutputFile() { close(); }

bool BinOutputFile::flush() {
  flushBuffer();
  if (!file_ || std::fflush(file_) != 0)
    return false;
  return !commitOnFlush_ || commitToDisk(file_);
}

bool BinOutputFile::reservedQuery() { return false; }

// stdio wants a positioning call between a write and a following read on an
// update stream (and the other way round).
void BinOutputFile::switchTo(LastOp op) {
  if (lastOp_ != LastOp::None && lastOp_ != op)
    fseeko(file_, 0, SEEK_CUR);
  lastOp_ = op;
}

size_t BinOutputFile::write(const void *buffer, size_t n) {
  if (!file_)
    return 0;
  switchTo(LastOp::Write);
  size_t written = fwrite_unlocked(buffer, 1, n, file_);
  offset_ += static_cast<int64_t>(written);
  return written;
}

size_t BinOutputFile::read(void *buffer, size_t n) {
  if (!file_)
    return 0;
  switchTo(LastOp::Read);
  size_t got = fread_unlocked(buffer, 1, n, file_);
  offset_ += static_cast<int64_t>(got);
  return got;
}

int64_t BinOutputFile::tell() { return file_ ? offset_ : 0; }

bool BinOutputFile::seek(int64_t offset, bool fromStart) {
  if (!file_)
    return false;
  offset_ = moveFile(file_, offset, fromStart);
  lastOp_ = LastOp::None;
  return true;
}

bool BinOutputFile::good() { return file_ && !std::ferror(file_); }

void BinOutputFile::close() {
  if (file_)
    std::fclose(file_);
  file_ = nullptr;
  lastOp_ = LastOp::None;
}
