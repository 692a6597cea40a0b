//===- dirservice.h - The host's named directories ------------------------===//
//
// "data", "temp", "logs", "save" and "cache" name the host's directories.
// The settings section [Directories] overrides each one with "<Name>
// Directory" (for example "Data Directory"); otherwise the XDG base
// directories give the default.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikordirservice.h"
#include <string>

/// The host's IKorDirService.
class HostDirService : public IKorDirService {
public:
  KOR_CLASS(HostDirService, IKorDirService)
  const KorWChar *GetDirectory(const char *name) override;

  /// The directory of `name` as UTF-8: the setting, else the default;
  /// empty for a name without either.
  static std::string directory(const std::string &name);
  /// The settings key of a directory name: "data" -> "Directories/Data
  /// Directory".
  static std::string settingsKey(const std::string &name);
  /// The default of a directory name from the environment, or empty.
  static std::string defaultDirectory(const std::string &name);

private:
  std::u16string last_;
};
