//===- ikorstrsupport.h - The host's locale-aware wide-string service -----===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include "component/korreservedslots.h"

class KorCString;
class KorString;

/// Locale-sensitive work on wide texts: ordering, character classes, the
/// narrow form, case and normalisation. Service name "IKorStrSupport".
class IKorStrSupport : public virtual IKorUnknown {
  KOR_INTERFACE(IKorStrSupport)
  KOR_RESERVED_SLOTS(0, 1)
  /// Slot 1: writes the narrow form of `text` to `out`.
  virtual void NarrowForm(const KorWChar *text, KorCString &out) = 0;
  /// Slot 2: negative, zero or positive as `a` sorts before, with or after
  /// `b`.
  virtual int Compare(const KorWChar *a, const KorWChar *b) = 0;
  /// Slot 3: whether `c` is white space.
  virtual bool IsSpace(KorWChar c) = 0;
  /// Slot 4: whether `c` is a decimal digit.
  virtual bool IsDigit(KorWChar c) = 0;
  KOR_RESERVED_SLOTS(5, 1)
  /// Slot 6: lower case, in place.
  virtual void ToLower(KorString &text) = 0;
  /// Slot 7: upper case, in place.
  virtual void ToUpper(KorString &text) = 0;
  /// Slot 8: canonical composition (NFC), in place.
  virtual void Normalize(KorString &text) = 0;
  /// Slot 9: case folding for caseless matching, in place.
  virtual void FoldCase(KorString &text) = 0;
};
