//===- kortestmacros.cpp - Checks, exits and expectations of test bodies --===//
#include "frame/kortestmacros.h"
#include <cstdio>
#include <cstdlib>

void korTestRecord(KorTestBase *test, IKorTestStatus *status,
                   const char *text, const char *file, int line, int state,
                   bool mayBreak) {
  status->AddMessage(text, file, line);
  status->SetState(state);
  if (mayBreak && test->BreakOnFailure()) {
    // The progress line of the test is still unterminated on stdout.
    std::fflush(nullptr);
    std::abort();
  }
}
