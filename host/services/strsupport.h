//===- strsupport.h - The host's locale-aware string service on ICU -------===//
//
// Offers "IKorStrSupport": ordering by ICU collation, Unicode white space
// and digits, the narrow form as UTF-8, and case and normalisation
// transforms. UTF-16 is ICU's own form, so texts pass without conversion.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikorstrsupport.h"
#include <memory>
#include <string>
#include <unicode/coll.h>
#include <unicode/locid.h>

/// The host's IKorStrSupport.
class HostStrSupport : public IKorStrSupport {
public:
  KOR_CLASS(HostStrSupport, IKorStrSupport)
  /// Collation and case rules of `locale` (an ICU locale name such as
  /// "de_DE"); an empty name selects the root rules.
  explicit HostStrSupport(const std::string &locale = "");
  ~HostStrSupport() override;

  void NarrowForm(const KorWChar *text, KorCString &out) override;
  int Compare(const KorWChar *a, const KorWChar *b) override;
  bool IsSpace(KorWChar c) override;
  bool IsDigit(KorWChar c) override;
  void ToLower(KorString &text) override;
  void ToUpper(KorString &text) override;
  void Normalize(KorString &text) override;
  void FoldCase(KorString &text) override;

private:
  icu::Locale locale_;
  std::unique_ptr<icu::Collator> collator_;
};
