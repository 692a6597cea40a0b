//===- ikorcommandcontext.h - What a command's availability query is given ===//
#pragma once
#include "component/korclass.h"

class IKorModelContainer;

/// The host's context of a command: state flags and the current model.
class IKorCommandContext : public virtual IKorUnknown {
  KOR_INTERFACE(IKorCommandContext)
  virtual int Reserved0() { return 0; }
  virtual int Reserved1() { return 0; }
  virtual int Reserved2() { return 0; }
  /// Slot 3: a state flag by name, such as "inCommand".
  virtual bool GetFlag(const char *name) = 0;
  virtual int Reserved4() { return 0; }
  virtual int Reserved5() { return 0; }
  virtual int Reserved6() { return 0; }
  virtual int Reserved7() { return 0; }
  /// Slot 8: the current model container, or null.
  virtual IKorModelContainer *ModelContainer() = 0;
};
