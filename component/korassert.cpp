//===- korassert.cpp - The core library's report of a failed internal check ===//
#include "component/korassert.h"
#include "component/ikorasserthandlercb.h"
#include "component/iptr.h"
#include <cstdlib>

namespace {
KorAssertHook gHook = nullptr;
void *gHookContext = nullptr;
} // namespace

void korSetAssertHook(KorAssertHook hook, void *context) {
  gHook = hook;
  gHookContext = context;
}

void Assert_basic(const char *text, const char *file, int line) {
  if (gHook) {
    gHook(gHookContext, text, file, line);
    return;
  }
  SPtr<IKorAssertHandlerCB> handler;
  if (!handler)
    std::exit(255);
  handler->HandleAssert(text, file, line);
}
