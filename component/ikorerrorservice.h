//===- ikorerrorservice.h - The host's error service contract -------------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include "component/korreservedslots.h"

/// Shows or logs reports meant for the user.
class IKorErrorService : public virtual IKorUnknown {
  KOR_INTERFACE(IKorErrorService)
  KOR_RESERVED_SLOTS(0, 2)
  /// Slot 2: one report; severity 1 for errors, 0 for passed-on output.
  virtual void Report(const KorWChar *message, const int &severity,
                      const char *source) = 0;
};
