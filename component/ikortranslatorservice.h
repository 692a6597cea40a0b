//===- ikortranslatorservice.h - Translation of user-visible texts --------===//
//
// A translator turns an English text (which doubles as the key) into the
// text to show and substitutes the "%1".."%9" arguments. The host offers
// translators per component through "IKorTranslatorService".
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include "component/korreservedslots.h"
#include <cstdint>

class KorString;

/// Translates keys into texts to show; slots 0 to 9 in this order.
class IKorTranslator : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTranslator)
  /// Slot 0: looks up `key` into `out`, then replaces "%<i>" by args[i-1]
  /// for i from 1 to count.
  virtual void TranslateArray(const char *key, KorString &out, int32_t count,
                              const KorString *args) = 0;
  /// Slots 1 to 6: looks up `key` into `out` and substitutes six down to
  /// one arguments.
  virtual void Translate6(KorString &out, const char *key, const KorString *a1,
                          const KorString *a2, const KorString *a3,
                          const KorString *a4, const KorString *a5,
                          const KorString *a6) = 0;
  virtual void Translate5(KorString &out, const char *key, const KorString *a1,
                          const KorString *a2, const KorString *a3,
                          const KorString *a4, const KorString *a5) = 0;
  virtual void Translate4(KorString &out, const char *key, const KorString *a1,
                          const KorString *a2, const KorString *a3,
                          const KorString *a4) = 0;
  virtual void Translate3(KorString &out, const char *key, const KorString *a1,
                          const KorString *a2, const KorString *a3) = 0;
  virtual void Translate2(KorString &out, const char *key, const KorString *a1,
                          const KorString *a2) = 0;
  virtual void Translate1(KorString &out, const char *key,
                          const KorString *a1) = 0;
  /// Slot 7: looks up `key` into `out`.
  virtual void Translate(KorString &out, const char *key) = 0;
  /// Slot 8: whether the translator holds texts of its own (the trivial
  /// translator answers false).
  virtual bool HasTranslations() = 0;
  /// Slot 9: fills `out` with the text for `key`; true when out was filled.
  virtual bool LookUp(const char *key, KorString &out) = 0;
};

/// The host's source of translators. Service name "IKorTranslatorService".
class IKorTranslatorService : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTranslatorService)
  KOR_RESERVED_SLOTS(0, 1)
  /// Slot 1: the translator for the component `componentId`, or null; no
  /// reference is added for the caller.
  virtual IKorTranslator *GetTranslator(const KorGuid &componentId) = 0;
};
