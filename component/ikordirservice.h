//===- ikordirservice.h - The host's named directories --------------------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"

/// Names the host's directories ("data", "temp", "logs", ...).
class IKorDirService : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDirService)
  /// Slot 0: the directory of that name as wide text (empty when unknown);
  /// the text stays valid until the next call.
  virtual const KorWChar *GetDirectory(const char *name) = 0;
};
