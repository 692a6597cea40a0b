//===- iscriptable.h - A command the host's script engine can run ---------===//
#pragma once
#include "component/korclass.h"

class IScript;
class IScriptOptions;

/// A command that runs as a named script with named options, without a
/// dialog.
class IScriptable : public virtual IKorUnknown {
  KOR_INTERFACE(IScriptable)
  /// Slot 0: creates the script and declares its options; null when the
  /// host has no script factory. The script comes without a reference: the
  /// caller takes the first one.
  virtual IScript *Describe() = 0;
  /// Slot 1: runs the command with the values of the script's options.
  virtual bool Execute(IScriptOptions *values) = 0;
  /// Slot 2: writes the command's current choices into the values.
  virtual bool Store(IScriptOptions *values) = 0;
};
