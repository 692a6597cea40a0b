//===- settingsstore.cpp - The host's settings store over an INI file -----===//
#include "settingsstore.h"
#include "hostoptions.h"
#include "hostutf.h"
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <ini.h>
#include <sstream>
#include <strings.h>

bool parseSettingsBool(const std::string &text) {
  for (const char *yes : {"true", "yes", "on"})
    if (strcasecmp(text.c_str(), yes) == 0)
      return true;
  return std::strtod(text.c_str(), nullptr) != 0.0;
}

int HostSettingsStore::onIniValue(void *user, const char *section,
                                  const char *name, const char *value) {
  auto *store = static_cast<HostSettingsStore *>(user);
  std::string key = std::string(section) + "/" + name;
  store->entries_.emplace_back(key, value ? value : "");
  return 1;
}

int HostSettingsStore::loadText(const std::string &text) {
  return ini_parse_string(text.c_str(), &HostSettingsStore::onIniValue, this);
}

void HostSettingsStore::loadFile(const std::string &path) {
  std::ifstream in(path);
  if (!in)
    throw HostError{"cannot read settings file " + path, 2};
  std::stringstream text;
  text << in.rdbuf();
  if (int line = loadText(text.str()))
    throw HostError{path + ":" + std::to_string(line) + ": not a valid line",
                    2};
}

const std::string *HostSettingsStore::find(const std::string &key) const {
  // The last assignment of a key wins, as when reading the file top down.
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (it->first == key)
      return &it->second;
  return nullptr;
}

std::vector<std::pair<std::string, std::string>>
HostSettingsStore::sectionValues(const std::string &section) const {
  std::vector<std::pair<std::string, std::string>> values;
  std::string prefix = section + "/";
  for (const auto &[key, value] : entries_)
    if (key.starts_with(prefix))
      values.emplace_back(key.substr(prefix.size()), value);
  return values;
}

void HostSettingsStore::set(const std::string &key, const std::string &value) {
  entries_.emplace_back(key, value);
  wideCache_.erase(key);
  double number = std::strtod(value.c_str(), nullptr);
  auto [first, last] = watchers_.equal_range(key);
  for (auto it = first; it != last; ++it)
    it->second->OnDataChanged(key.c_str(), number);
}

bool HostSettingsStore::GetBool(const char *key, int) {
  const std::string *value = key ? find(key) : nullptr;
  return value && parseSettingsBool(*value);
}

double HostSettingsStore::GetDouble(const char *key, int) {
  const std::string *value = key ? find(key) : nullptr;
  return value ? std::strtod(value->c_str(), nullptr) : 0.0;
}

const KorWChar *HostSettingsStore::GetString(const char *key, bool *found) {
  const std::string *value = key ? find(key) : nullptr;
  if (found)
    *found = value != nullptr;
  if (!value)
    return nullptr;
  auto &wide = wideCache_[key];
  wide = hostToUtf16(*value);
  return wide.c_str();
}

void HostSettingsStore::Watch(const char *key, IKorDataReceiver *receiver) {
  if (key && receiver)
    watchers_.emplace(key, IPtr<IKorDataReceiver>(receiver));
}
