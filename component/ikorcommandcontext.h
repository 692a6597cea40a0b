//===- ikorcommandcontext.h - What a command's availability query is given ===//
#pragma once
#include "component/korclass.h"
#include "component/korreservedslots.h"

class IKorModelContainer;

/// The host's context of a command: state flags and the current model.
class IKorCommandContext : public virtual IKorUnknown {
  KOR_INTERFACE(IKorCommandContext)
  KOR_RESERVED_SLOTS(0, 3)
  /// Slot 3: a state flag by name, such as "inCommand".
  virtual bool GetFlag(const char *name) = 0;
  KOR_RESERVED_SLOTS(4, 4)
  /// Slot 8: the current model container, or null.
  virtual IKorModelContainer *ModelContainer() = 0;
};
