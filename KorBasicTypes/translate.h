//===- translate.h - The process-wide translator of user-visible texts ----===//
//
// Every text shown to a person goes through one translator: the host's, when
// its "IKorTranslatorService" (or "IKorTranslator") offers one, else the
// component's own KorTrivialTranslator, which gives each key back. The
// English text is the key; "%1".."%9" are replaced after the look-up.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikortranslatorservice.h"
#include "KorBasicTypes/korstring.h"
#include <initializer_list>

/// Gives every key back unchanged (widened byte by byte) and substitutes
/// the arguments. Host translators derive from it and override LookUp.
class KorTrivialTranslator : public IKorTranslator {
public:
  KOR_CLASS(KorTrivialTranslator, IKorTranslator)
  void TranslateArray(const char *key, KorString &out, int32_t count,
                      const KorString *args) override;
  void Translate6(KorString &out, const char *key, const KorString *a1,
                  const KorString *a2, const KorString *a3,
                  const KorString *a4, const KorString *a5,
                  const KorString *a6) override;
  void Translate5(KorString &out, const char *key, const KorString *a1,
                  const KorString *a2, const KorString *a3,
                  const KorString *a4, const KorString *a5) override;
  void Translate4(KorString &out, const char *key, const KorString *a1,
                  const KorString *a2, const KorString *a3,
                  const KorString *a4) override;
  void Translate3(KorString &out, const char *key, const KorString *a1,
                  const KorString *a2, const KorString *a3) override;
  void Translate2(KorString &out, const char *key, const KorString *a1,
                  const KorString *a2) override;
  void Translate1(KorString &out, const char *key,
                  const KorString *a1) override;
  void Translate(KorString &out, const char *key) override;
  bool HasTranslations() override { return false; }
  /// Fills `out` with the key widened as signed 8-bit bytes; always true.
  bool LookUp(const char *key, KorString &out) override;

private:
  void translateList(KorString &out, const char *key,
                     std::initializer_list<const KorString *> args);
};

/// The current translator: the host's once found, else the trivial one.
/// Never null; no reference is added for the caller.
IKorTranslator *korTranslator();
/// Asks the host's translator service again for this component's
/// translator and makes the answer current.
void korRefreshTranslator();
/// Whether the current translator may still be replaced (false once it
/// came from the host's translator service).
bool korTranslatorReplaceable();
/// Drops the current translator and both flags, as at load.
void korResetTranslator();

/// The translation of `key`, with "%1".."%6" replaced by the arguments.
KorString korTranslate(const char *key);
KorString korTranslate(const char *key, const KorString &a1);
KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2);
KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2, const KorString &a3);
KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2, const KorString &a3,
                       const KorString &a4);
KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2, const KorString &a3,
                       const KorString &a4, const KorString &a5);
KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2, const KorString &a3,
                       const KorString &a4, const KorString &a5,
                       const KorString &a6);
/// The translation of `key` with "%<i>" replaced by args[i-1], i from 1
/// to count.
KorString korTranslateArray(const char *key, int32_t count,
                            const KorString *args);
