//===- translatorservice.cpp - Translations from a message catalogue file -===//
//
// Catalogue keys are English sentences, which often hold ':' and ';' and can
// be long, so the file is read line by line here rather than as INI, whose
// parser splits at ':', strips "; comments" and limits line length.
//
//===----------------------------------------------------------------------===//
#include "host/services/translatorservice.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "host/services/hostutf.h"
#include "component/idatastore.h"
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {
std::string trimBlanks(const std::string &text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos)
    return {};
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

/// The position of the first '=' not escaped by a backslash, or npos.
size_t findSeparator(const std::string &line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\')
      ++i;
    else if (line[i] == '=')
      return i;
  }
  return std::string::npos;
}
} // namespace

std::string unescapeCatalogueText(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char code = text[++i];
    switch (code) {
    case 'n':
      out += '\n';
      break;
    case 't':
      out += '\t';
      break;
    case 's':
      out += ' ';
      break;
    default: // "\\", "\=", "\#", "\;" and any other character itself
      out += code;
    }
  }
  return out;
}

int HostCatalogueTranslator::loadText(const std::string &text) {
  // Editors may save the catalogue with a UTF-8 byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::istringstream in(text.starts_with(kByteOrderMark)
                            ? text.substr(kByteOrderMark.size())
                            : text);
  std::string line;
  int number = 0;
  int firstBad = 0;
  while (std::getline(in, line)) {
    ++number;
    std::string trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' ||
        (trimmed.front() == '[' && trimmed.back() == ']'))
      continue;
    size_t separator = findSeparator(trimmed);
    std::string key = separator == std::string::npos
                          ? std::string()
                          : unescapeCatalogueText(
                                trimBlanks(trimmed.substr(0, separator)));
    if (key.empty()) {
      firstBad = firstBad ? firstBad : number;
      continue;
    }
    std::string translation =
        unescapeCatalogueText(trimBlanks(trimmed.substr(separator + 1)));
    // An entry without a translation leaves the key as it is.
    if (!translation.empty())
      texts_[key] = hostToUtf16(translation);
  }
  return firstBad;
}

void HostCatalogueTranslator::loadFile(const std::string &path) {
  std::ifstream in(path);
  if (!in)
    throw HostError{"cannot read message catalogue " + path, 2};
  std::stringstream text;
  text << in.rdbuf();
  if (int line = loadText(text.str()))
    throw HostError{path + ":" + std::to_string(line) +
                        ": not a catalogue entry (expected \"text = "
                        "translation\")",
                    2};
}

bool HostCatalogueTranslator::LookUp(const char *key, KorString &out) {
  auto entry = texts_.find(key ? key : "");
  if (entry == texts_.end()) {
    KorTrivialTranslator::LookUp(key, out);
    return false;
  }
  out = KorString(std::u16string_view(entry->second));
  return true;
}

namespace {
/// The catalogue named by the settings, relative to the settings file's
/// folder; empty when none is configured.
std::string cataloguePath(const HostOptions &options) {
  SPtr<IDataStore> settings;
  if (!settings)
    return {};
  std::string path =
      hostToUtf8(settings->GetString("Translation/Catalogue", nullptr));
  if (path.empty() || std::filesystem::path(path).is_absolute() ||
      options.configFile.empty())
    return path;
  return (std::filesystem::path(options.configFile).parent_path() / path)
      .string();
}
} // namespace

KORHOST_SERVICE("IKorTranslatorService",
                [](const HostOptions &options) -> IKorUnknown * {
                  std::string path = cataloguePath(options);
                  if (path.empty())
                    return nullptr;
                  auto *translator = new HostCatalogueTranslator;
                  IPtr<IKorTranslator> holder(translator);
                  translator->loadFile(path);
                  return new HostTranslatorService(translator);
                });
