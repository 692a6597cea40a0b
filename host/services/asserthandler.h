//===- asserthandler.h - The host's own assertion handler -----------------===//
#pragma once
#include "component/ikorasserthandlercb.h"

/// Prints a failed check with its file and line to stderr and carries on.
class HostAssertHandler : public IKorAssertHandlerCB {
public:
  KOR_CLASS(HostAssertHandler, IKorAssertHandlerCB)
  void HandleAssert(const char *text, const char *file, int line) override;
};
