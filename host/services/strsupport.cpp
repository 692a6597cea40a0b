//===- strsupport.cpp - The host's locale-aware string service on ICU -----===//
#include "host/services/strsupport.h"
#include "host/services/hostservices.h"
#include "host/services/hostutf.h"
#include "component/idatastore.h"
#include "component/iptr.h"
#include "KorBasicTypes/korstring.h"
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

namespace {
icu::UnicodeString unicodeOf(const KorWChar *text) {
  return icu::UnicodeString(text ? text : u"");
}

/// Replaces the whole text of `target` with `text` (always an owned copy:
/// ICU's buffer does not outlive the call).
void store(const icu::UnicodeString &text, KorString &target) {
  target = KorString(std::u16string_view(text.getBuffer(), size_t(text.length())));
}
} // namespace

HostStrSupport::HostStrSupport(const std::string &locale)
    : locale_(locale.empty() ? icu::Locale::getRoot()
                             : icu::Locale(locale.c_str())) {
  UErrorCode status = U_ZERO_ERROR;
  collator_.reset(icu::Collator::createInstance(locale_, status));
  if (U_FAILURE(status))
    collator_.reset();
}

HostStrSupport::~HostStrSupport() = default;

void HostStrSupport::NarrowForm(const KorWChar *text, KorCString &out) {
  std::string utf8;
  unicodeOf(text).toUTF8String(utf8);
  out = utf8.c_str();
}

int HostStrSupport::Compare(const KorWChar *a, const KorWChar *b) {
  if (!collator_)
    return u_strcmpCodePointOrder(a ? a : u"", b ? b : u"");
  UErrorCode status = U_ZERO_ERROR;
  UCollationResult order =
      collator_->compare(unicodeOf(a), unicodeOf(b), status);
  return order == UCOL_LESS ? -1 : (order == UCOL_GREATER ? 1 : 0);
}

bool HostStrSupport::IsSpace(KorWChar c) { return u_isUWhiteSpace(c); }

bool HostStrSupport::IsDigit(KorWChar c) { return u_isdigit(c); }

void HostStrSupport::ToLower(KorString &text) {
  icu::UnicodeString wide = unicodeOf(text.data());
  store(wide.toLower(locale_), text);
}

void HostStrSupport::ToUpper(KorString &text) {
  icu::UnicodeString wide = unicodeOf(text.data());
  store(wide.toUpper(locale_), text);
}

void HostStrSupport::Normalize(KorString &text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2 *nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status))
    return;
  icu::UnicodeString normal = nfc->normalize(unicodeOf(text.data()), status);
  if (U_SUCCESS(status))
    store(normal, text);
}

void HostStrSupport::FoldCase(KorString &text) {
  icu::UnicodeString wide = unicodeOf(text.data());
  store(wide.foldCase(), text);
}

// The locale comes from the settings key "Strings/Locale" (root rules when
// it is not set).
KORHOST_SERVICE("IKorStrSupport", [](const HostOptions &) -> IKorUnknown * {
  SPtr<IDataStore> settings;
  std::string locale;
  if (settings)
    locale = hostToUtf8(settings->GetString("Strings/Locale", nullptr));
  return new HostStrSupport(locale);
});
