//===- translatorservice.h - Translations from a message catalogue file ---===//
//
// When the setting "Translation/Catalogue" names a file, korhost offers
// "IKorTranslatorService", whose translator looks texts up in that file.
// Without a catalogue the service is not offered and every component keeps
// its trivial translator.
//
// Catalogue format (UTF-8), one entry per line:
//   English text = translated text
// The first '=' not preceded by a backslash ends the key; blanks around key
// and text are dropped, and an entry with an empty text is ignored. Empty
// lines and lines starting with '#' or ';' are comments; "[Name]" lines
// only group entries. In key and text, "\n" and "\t" stand for a line
// break and a tab, "\s" for a blank that is kept, and "\\", "\=", "\#",
// "\;" for the character itself.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikortranslatorservice.h"
#include "component/iptr.h"
#include "KorBasicTypes/translate.h"
#include <map>
#include <string>

/// A translator over the entries of a message catalogue; keys without an
/// entry come back unchanged, as from the trivial translator.
class HostCatalogueTranslator : public KorTrivialTranslator {
public:
  KOR_CLASS_DERIVED(HostCatalogueTranslator, KorTrivialTranslator)
  /// Reads catalogue text; returns 0 or the number of the first bad line.
  int loadText(const std::string &text);
  /// Reads a catalogue file; throws HostError naming the file (and the
  /// first bad line).
  void loadFile(const std::string &path);
  /// Number of entries.
  size_t size() const { return texts_.size(); }

  bool HasTranslations() override { return !texts_.empty(); }
  /// Fills `out` with the entry for `key`, or with the key itself when
  /// there is none; true exactly when an entry was found.
  bool LookUp(const char *key, KorString &out) override;

private:
  std::map<std::string, std::u16string> texts_;
};

/// The host's IKorTranslatorService: one catalogue for every component.
class HostTranslatorService : public IKorTranslatorService {
public:
  KOR_CLASS(HostTranslatorService, IKorTranslatorService)
  explicit HostTranslatorService(HostCatalogueTranslator *translator)
      : translator_(translator) {}
  IKorTranslator *GetTranslator(const KorGuid &) override {
    return translator_.get();
  }

private:
  IPtr<IKorTranslator> translator_;
};

/// Decodes the escapes of a catalogue key or text.
std::string unescapeCatalogueText(const std::string &text);
