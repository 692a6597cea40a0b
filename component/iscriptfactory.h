//===- iscriptfactory.h - The host's script engine: scripts and options ---===//
//
// A command describes itself by creating a named script through the
// service "IScriptFactory" and declaring the script's options on its option
// set; the engine later hands the same set, filled with the values the
// script supplies, to the command's execute. Slots nobody calls are
// reserved and answer 0.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include "component/korreservedslots.h"
#include <cstdint>

/// The options of one script: declarations with defaults, and values.
class IScriptOptions : public virtual IKorUnknown {
  KOR_INTERFACE(IScriptOptions)
  KOR_RESERVED_SLOTS(0, 7)
  /// Slot 7: sets a bool option's value.
  virtual void SetBool(const char *name, bool value) = 0;
  /// Slot 8: sets an integer option's value.
  virtual void SetInteger(const char *name, int32_t value) = 0;
  KOR_RESERVED_SLOTS(9, 2)
  /// Slot 11: sets a string option's value (a copy is kept).
  virtual void SetString(const char *name, const KorWChar *value) = 0;
  KOR_RESERVED_SLOTS(12, 3)
  /// Slot 15: declares a bool option; `mode` is 1 for a user option.
  virtual void DeclareBool(const char *name, int32_t mode,
                           bool defaultValue) = 0;
  /// Slot 16: declares an integer option.
  virtual void DeclareInteger(const char *name, int32_t mode,
                              int32_t defaultValue) = 0;
  KOR_RESERVED_SLOTS(17, 2)
  /// Slot 19: declares a string option (the default is copied).
  virtual void DeclareString(const char *name, int32_t mode,
                             const KorWChar *defaultValue) = 0;
  /// Slot 20: a bool option's value (its default until set; false when the
  /// option is unknown).
  virtual bool GetBool(const char *name) = 0;
  /// Slot 21: an integer option's value (0 when unknown).
  virtual int32_t GetInteger(const char *name) = 0;
  KOR_RESERVED_SLOTS(22, 2)
  /// Slot 24: writes a string option's value to *out (the empty text when
  /// unknown); the text stays valid until the option changes.
  virtual void GetString(const KorWChar **out, const char *name) = 0;
};

/// One named script of a command.
class IScript : public virtual IKorUnknown {
  KOR_INTERFACE(IScript)
  KOR_RESERVED_SLOTS(0, 5)
  /// Slot 5: the script's option set, owned by the script.
  virtual IScriptOptions *Options() = 0;
};

/// Creates scripts (service name "IScriptFactory").
class IScriptFactory : public virtual IKorUnknown {
  KOR_INTERFACE(IScriptFactory)
  KOR_RESERVED_SLOTS(0, 1)
  /// Slot 1: a new script of that name without a reference (the caller
  /// takes the first one); `mode` is 1 for a user script.
  virtual IScript *CreateScript(const char *name, int32_t mode) = 0;
};
