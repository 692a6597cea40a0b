//===- registry.h - The host registry over sections of the settings file --===//
//
// A registry key names a section of the settings file ("KorTest" is the
// section [KorTest]); the key's values are that section's values in file
// order. The registry reads the settings store the host registered as
// "IDataStore" at the time of each request.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikorregistry.h"
#include <string>
#include <vector>

/// Iterates over a snapshot of one key's values.
class HostRegIter : public Tarnwell::IKorRegIter {
public:
  KOR_CLASS(HostRegIter, Tarnwell::IKorRegIter)
  explicit HostRegIter(std::vector<std::string> values)
      : values_(std::move(values)) {}
  void First() override { position_ = 0; }
  void Next() override;
  bool IsDone() override { return position_ >= values_.size(); }
  const char *CurrentValue() override;

private:
  std::vector<std::string> values_;
  size_t position_ = 0;
};

/// The host's Tarnwell::IKorRegistry.
class HostRegistry : public Tarnwell::IKorRegistry {
public:
  KOR_CLASS(HostRegistry, Tarnwell::IKorRegistry)
  Tarnwell::IKorRegIter *GetValueIterator(const char *key) override;
};

/// The values of a settings section as registry values: one per name, the
/// name's last assignment, in the order the names first appear.
std::vector<std::string> registryValuesOfSection(
    const std::vector<std::pair<std::string, std::string>> &entries);
