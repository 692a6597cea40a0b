//===- ikorasserthandlercb.h - The host's assertion handler contract ------===//
#pragma once
#include "component/korclass.h"

/// Receives failed internal checks reported through Assert_basic.
class IKorAssertHandlerCB : public virtual IKorUnknown {
  KOR_INTERFACE(IKorAssertHandlerCB)
  /// Slot 0: handles one failed check.
  virtual void HandleAssert(const char *text, const char *file, int line) = 0;
};
