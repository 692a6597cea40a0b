//===- settingsstore.h - The host's settings store over an INI file -------===//
//
// "[Section]" and "Name = value" lines give the key "Section/Name". Values
// are read as bool, double or wide text; watchers hear every change.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/idatastore.h"
#include "component/iptr.h"
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// The host's IDataStore.
class HostSettingsStore : public IDataStore {
public:
  KOR_CLASS(HostSettingsStore, IDataStore)
  /// Reads an INI file; throws HostError naming the file and line: exit
  /// code 2 when it cannot be read or a line is not valid, 3 when a value of
  /// the section "KorTest" is not a component identifier.
  void loadFile(const std::string &path);
  /// Reads INI text of any line length; returns 0 or the first bad line
  /// number. The valid lines are kept either way.
  int loadText(const std::string &text);
  /// Sets a value and tells the key's watchers.
  void set(const std::string &key, const std::string &value);
  /// The raw text of a key, or null.
  const std::string *find(const std::string &key) const;
  /// The (name, value) pairs of a section in file order.
  std::vector<std::pair<std::string, std::string>>
  sectionValues(const std::string &section) const;

  bool GetBool(const char *key, int reserved) override;
  double GetDouble(const char *key, int reserved) override;
  const KorWChar *GetString(const char *key, bool *found) override;
  void Watch(const char *key, IKorDataReceiver *receiver) override;

private:
  /// One assignment, with the file line it came from (0 when set in code).
  struct Entry {
    std::string key;
    std::string value;
    int line = 0;
  };

  std::vector<Entry> entries_;
  std::map<std::string, std::u16string> wideCache_;
  std::multimap<std::string, IPtr<IKorDataReceiver>> watchers_;
};

/// Parses a settings boolean: true, yes, on or a non-zero number.
bool parseSettingsBool(const std::string &text);

/// Whether text is a component identifier as the section "KorTest" lists
/// them: eleven comma-separated hexadecimal fields of 32, 16, 16 and eight
/// times 8 bits, each optionally with "0x" and surrounding blanks.
bool isComponentIdText(std::string_view text);
