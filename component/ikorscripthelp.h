//===- ikorscripthelp.h - What the options of a command's scripts do ------===//
//
// A host that turns a command's scripts into a user interface (korhost's
// subcommands and their --help) asks the command for one line per option.
// The option's type and default come from the script's declaration; this
// contract adds what the option is for and, where it takes a class name,
// the names it accepts.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"

/// Help texts a scriptable command gives for the options of its scripts.
class IKorScriptHelp : public virtual IKorUnknown {
  KOR_INTERFACE(IKorScriptHelp)
  /// Slot 0: one line saying what `option` of `script` does, naming the
  /// values it accepts where it takes a class name; null when none. The
  /// text lives as long as the command.
  virtual const char *OptionHelp(const char *script, const char *option) = 0;
};
