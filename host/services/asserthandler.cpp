//===- asserthandler.cpp - The host's own assertion handler ---------------===//
#include "host/services/asserthandler.h"
#include "host/services/hostservices.h"
#include <cstdio>

void HostAssertHandler::HandleAssert(const char *text, const char *file,
                                     int line) {
  std::fprintf(stderr, "korhost: assertion failed: %s (%s:%d)\n",
               text ? text : "", file ? file : "", line);
  std::fflush(stderr);
}

KORHOST_SERVICE("IKorAssertHandlerCB",
                [](const HostOptions &) { return new HostAssertHandler; });
