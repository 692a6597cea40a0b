//===- registry.cpp - The host registry over sections of the settings file ===//
#include "host/services/registry.h"
#include "host/services/hostservices.h"
#include "component/iptr.h"
#include "host/services/settingsstore.h"
#include <algorithm>

void HostRegIter::Next() {
  if (position_ < values_.size())
    ++position_;
}

const char *HostRegIter::CurrentValue() {
  return position_ < values_.size() ? values_[position_].c_str() : "";
}

std::vector<std::string> registryValuesOfSection(
    const std::vector<std::pair<std::string, std::string>> &entries) {
  std::vector<std::string> names;
  std::vector<std::string> values;
  for (const auto &[name, value] : entries) {
    auto known = std::find(names.begin(), names.end(), name);
    if (known != names.end()) {
      values[known - names.begin()] = value;
    } else {
      names.push_back(name);
      values.push_back(value);
    }
  }
  return values;
}

Tarnwell::IKorRegIter *HostRegistry::GetValueIterator(const char *key) {
  if (!key || !*key)
    return nullptr;
  SPtr<IDataStore> store;
  void *settings = nullptr;
  if (store)
    store->QueryInterface(HostSettingsStore::kClassName, &settings, 0);
  if (!settings)
    return nullptr;
  auto entries = static_cast<HostSettingsStore *>(settings)->sectionValues(key);
  if (entries.empty())
    return nullptr;
  return new HostRegIter(registryValuesOfSection(entries));
}

KORHOST_SERVICE("IKorRegistry",
                [](const HostOptions &) { return new HostRegistry; });
