//===- korinterrupt.cpp - How a test run tells a test body to stop --------===//
#include "frame/korinterrupt.h"
#include <cstring>

KorInterruptNotice *korInterruptNoticeOf(const siginfo_t *info) {
  // Only a timer or a queued signal carries a value; a plain kill() does
  // not, and its si_value is whatever lies there.
  if (!info || (info->si_code != SI_TIMER && info->si_code != SI_QUEUE))
    return nullptr;
  auto *notice = static_cast<KorInterruptNotice *>(info->si_value.sival_ptr);
  return notice && notice->magic == KorInterruptNotice::kMagic ? notice
                                                               : nullptr;
}

std::string korSignalName(int signal) {
  const char *name = sigabbrev_np(signal);
  return name ? std::string("SIG") + name : "signal " + std::to_string(signal);
}

std::string korInterruptCause(int kind, int detail) {
  switch (kind) {
  case kInterruptTimeout:
    return "timed out after " + std::to_string(detail) +
           (detail == 1 ? " second" : " seconds");
  case kInterruptStopSignal:
    return "interrupted by " + korSignalName(detail);
  case kInterruptExit:
    return "ended the process (exit status " + std::to_string(detail) + ")";
  case kInterruptQuickExit:
    return "ended the process (quick_exit)";
  default:
    return "was interrupted";
  }
}

std::string korInterruptMessage(int kind, int detail) {
  return "Test " + korInterruptCause(kind, detail) + ".";
}
