//===- translate.cpp - The process-wide translator of user-visible texts --===//
#include "KorBasicTypes/translate.h"
#include "component/iptr.h"
#include "component/korcomponentstate.h"
#include <algorithm>

//===----------------------------------------------------------------------===//
// KorTrivialTranslator
//===----------------------------------------------------------------------===//

bool KorTrivialTranslator::LookUp(const char *key, KorString &out) {
  out = key ? key : "";
  return true;
}

void KorTrivialTranslator::Translate(KorString &out, const char *key) {
  LookUp(key, out);
}

void KorTrivialTranslator::translateList(
    KorString &out, const char *key,
    std::initializer_list<const KorString *> args) {
  LookUp(key, out);
  // The arguments followed by a null entry.
  const KorString *list[7] = {};
  std::copy(args.begin(), args.end(), list);
  out.substituteArgs(list, int32_t(args.size()) + 1);
}

void KorTrivialTranslator::Translate6(KorString &out, const char *key,
                                      const KorString *a1, const KorString *a2,
                                      const KorString *a3, const KorString *a4,
                                      const KorString *a5,
                                      const KorString *a6) {
  translateList(out, key, {a1, a2, a3, a4, a5, a6});
}

void KorTrivialTranslator::Translate5(KorString &out, const char *key,
                                      const KorString *a1, const KorString *a2,
                                      const KorString *a3, const KorString *a4,
                                      const KorString *a5) {
  translateList(out, key, {a1, a2, a3, a4, a5});
}

void KorTrivialTranslator::Translate4(KorString &out, const char *key,
                                      const KorString *a1, const KorString *a2,
                                      const KorString *a3,
                                      const KorString *a4) {
  translateList(out, key, {a1, a2, a3, a4});
}

void KorTrivialTranslator::Translate3(KorString &out, const char *key,
                                      const KorString *a1, const KorString *a2,
                                      const KorString *a3) {
  translateList(out, key, {a1, a2, a3});
}

void KorTrivialTranslator::Translate2(KorString &out, const char *key,
                                      const KorString *a1,
                                      const KorString *a2) {
  translateList(out, key, {a1, a2});
}

void KorTrivialTranslator::Translate1(KorString &out, const char *key,
                                      const KorString *a1) {
  translateList(out, key, {a1});
}

void KorTrivialTranslator::TranslateArray(const char *key, KorString &out,
                                          int32_t count,
                                          const KorString *args) {
  LookUp(key, out);
  // The first "%<i>" is replaced for each i in turn, so an argument text
  // that holds a later placeholder is itself substituted.
  for (int32_t i = 1; i <= count; ++i) {
    KorString placeholder = KorString("%") + KorString::number(i);
    int32_t pos = out.find(placeholder);
    if (pos >= 0)
      out = out.splice(pos, pos + placeholder.length(), args[i - 1]);
  }
}

//===----------------------------------------------------------------------===//
// The process-wide translator
//===----------------------------------------------------------------------===//

namespace {
struct TranslatorState {
  IPtr<IKorTranslator> current;
  bool replaceable = true;
  bool consulted = false;
};

// Lives until the library is unloaded; never destroyed, so no reference is
// released after the host has gone.
TranslatorState &state() {
  static TranslatorState *instance = new TranslatorState;
  return *instance;
}

void installTrivialTranslator() {
  auto *trivial = new KorTrivialTranslator;
  state().current = IPtr<IKorTranslator>(trivial);
}
} // namespace

void korRefreshTranslator() {
  TranslatorState &s = state();
  SPtr<IKorTranslatorService> service;
  if (!service)
    return; // asked again at the next fetch
  IKorTranslator *answer = service->GetTranslator(korComponentId());
  if (answer != s.current.get())
    s.current = IPtr<IKorTranslator>(answer);
  if (!s.current)
    s.current = SPtr<IKorTranslator>();
  else
    s.replaceable = false;
  s.consulted = true;
}

IKorTranslator *korTranslator() {
  TranslatorState &s = state();
  if (!s.current || !s.consulted)
    korRefreshTranslator();
  if (!s.current)
    installTrivialTranslator();
  return s.current.get();
}

bool korTranslatorReplaceable() { return state().replaceable; }

void korResetTranslator() {
  TranslatorState &s = state();
  s.current.reset();
  s.replaceable = true;
  s.consulted = false;
}

//===----------------------------------------------------------------------===//
// Global helpers
//===----------------------------------------------------------------------===//

KorString korTranslate(const char *key) {
  KorString out;
  korTranslator()->Translate(out, key);
  return out;
}

KorString korTranslate(const char *key, const KorString &a1) {
  KorString out;
  korTranslator()->Translate1(out, key, &a1);
  return out;
}

KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2) {
  KorString out;
  korTranslator()->Translate2(out, key, &a1, &a2);
  return out;
}

KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2, const KorString &a3) {
  KorString out;
  korTranslator()->Translate3(out, key, &a1, &a2, &a3);
  return out;
}

KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2, const KorString &a3,
                       const KorString &a4) {
  KorString out;
  korTranslator()->Translate4(out, key, &a1, &a2, &a3, &a4);
  return out;
}

KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2, const KorString &a3,
                       const KorString &a4, const KorString &a5) {
  KorString out;
  korTranslator()->Translate5(out, key, &a1, &a2, &a3, &a4, &a5);
  return out;
}

KorString korTranslate(const char *key, const KorString &a1,
                       const KorString &a2, const KorString &a3,
                       const KorString &a4, const KorString &a5,
                       const KorString &a6) {
  KorString out;
  korTranslator()->Translate6(out, key, &a1, &a2, &a3, &a4, &a5, &a6);
  return out;
}

KorString korTranslateArray(const char *key, int32_t count,
                            const KorString *args) {
  KorString out;
  korTranslator()->TranslateArray(key, out, count, args);
  return out;
}
