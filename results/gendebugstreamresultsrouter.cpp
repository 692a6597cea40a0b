//===- gendebugstreamresultsrouter.cpp - Results to the debugger channel --===//
//
// Linux has no system-wide debugger output string. The closest channels that
// a person running under a debugger or a log collector can see are, in this
// order of preference:
//  1. KORTEST_DEBUG_FD=<n>: the descriptor n, which the caller opened for
//     it (for example `3>debug.txt`, or a pipe a debugger front end reads).
//     The text goes there whole, with no line end added.
//  2. A tracer attached (gdb, lldb, strace: TracerPid in /proc/self/status):
//     standard error, which the debugger's console shows.
//  3. A syslog socket (/dev/log, served by journald or a syslog daemon):
//     syslog(3) at LOG_DEBUG under the ident "kortest", one record per line,
//     since log datagrams are limited in size (`journalctl -t kortest`).
//  4. Otherwise standard error.
//
//===----------------------------------------------------------------------===//
#include "results/gendebugstreamresultsrouter.h"
#include "KorBasicTypes/korstring.h"
#include "results/ikortestresultsformatter.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

namespace {
/// The descriptor KORTEST_DEBUG_FD names, or -1 when unset or not open.
int debugDescriptor() {
  const char *value = std::getenv("KORTEST_DEBUG_FD");
  if (!value || !*value)
    return -1;
  char *end = nullptr;
  long fd = std::strtol(value, &end, 10);
  if (*end || fd < 0 || fd > 65535 || fcntl(int(fd), F_GETFD) == -1)
    return -1;
  return int(fd);
}

bool underTracer() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("TracerPid:", 0) == 0)
      return std::strtol(line.c_str() + 10, nullptr, 10) != 0;
  return false;
}

bool hasSyslogSocket() {
  struct stat info;
  return stat("/dev/log", &info) == 0 && S_ISSOCK(info.st_mode);
}

void writeAll(int fd, const char *text, size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, text, size);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return;
    text += written;
    size -= size_t(written);
  }
}

void writeSyslog(const char *text, size_t size) {
  openlog("kortest", LOG_PID, LOG_USER);
  const char *end = text + size;
  while (text < end) {
    const char *lineEnd =
        static_cast<const char *>(std::memchr(text, '\n', size_t(end - text)));
    if (!lineEnd)
      lineEnd = end;
    syslog(LOG_DEBUG, "%.*s", int(lineEnd - text), text);
    text = lineEnd + 1;
  }
  closelog();
}
} // namespace

KorDebugChannel korDebugChannel() {
  if (debugDescriptor() >= 0)
    return KorDebugChannel::Descriptor;
  if (underTracer() || !hasSyslogSocket())
    return KorDebugChannel::Stderr;
  return KorDebugChannel::Syslog;
}

void korDebugOutput(const char *text, size_t size) {
  int fd = debugDescriptor();
  if (fd >= 0)
    return writeAll(fd, text, size);
  if (korDebugChannel() == KorDebugChannel::Syslog)
    return writeSyslog(text, size);
  std::fflush(stderr);
  writeAll(STDERR_FILENO, text, size);
}

void GenDebugStreamResultsRouter::Route(IKorTestResultsFormatter *formatter) {
  if (!formatter)
    return;
  const char *text = formatter->GetOutput().utf8();
  korDebugOutput(text, std::strlen(text));
}
