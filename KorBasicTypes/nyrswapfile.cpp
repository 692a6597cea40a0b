//===- nyrswapfile.cpp - The temporary file a reallocation swaps through --===//
#include "KorBasicTypes/nyrswapfile.h"
#include "KorBasicTypes/nyrhostdirs.h"
#include "KorBasicTypes/nyrfaultinjection.h"
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

std::string nyrSwapFileName() {
  std::string folder = nyrTempFolder();
  if (folder.empty())
    return {};
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  uint64_t counter = uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec);
  char name[40];
  std::snprintf(name, sizeof name, "/kor-%08x-%08x-temp", unsigned(getpid()),
                unsigned(counter & 0xFFFFFFFFu));
  return (folder == "/" ? std::string() : folder) + name;
}

bool NyrSwapFile::open(const std::string &path) {
  close();
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0)
    return false;
  ::unlink(path.c_str());
  return true;
}

bool NyrSwapFile::write(const void *data, size_t bytes) {
  if (fd_ < 0 || nyrStepFails(NyrStep::SwapWrite, bytes))
    return false;
  const char *next = static_cast<const char *>(data);
  while (bytes > 0) {
    ssize_t written = ::write(fd_, next, bytes);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    next += written;
    bytes -= size_t(written);
  }
  return true;
}

bool NyrSwapFile::readBack(void *data, size_t bytes) {
  if (fd_ < 0 || nyrStepFails(NyrStep::SwapRead, bytes) ||
      ::lseek(fd_, 0, SEEK_SET) != 0)
    return false;
  char *next = static_cast<char *>(data);
  while (bytes > 0) {
    ssize_t got = ::read(fd_, next, bytes);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      return false;
    next += got;
    bytes -= size_t(got);
  }
  return true;
}

void NyrSwapFile::close() {
  if (fd_ >= 0)
    ::close(fd_);
  fd_ = -1;
}
