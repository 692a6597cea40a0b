//===- dirservice.cpp - The host's named directories ----------------------===//
#include "host/services/dirservice.h"
#include "host/services/hostservices.h"
#include "host/services/hostutf.h"
#include "component/idatastore.h"
#include "component/iptr.h"
#include <cctype>
#include <cstdlib>

namespace {
/// An environment variable, or empty when unset or empty.
std::string env(const char *name) {
  const char *value = std::getenv(name);
  return value ? value : "";
}

/// $variable, else $HOME joined with `fallback`, then the host's subfolder.
std::string xdgDirectory(const char *variable, const char *fallback,
                         const char *subfolder) {
  std::string base = env(variable);
  if (base.empty()) {
    std::string home = env("HOME");
    if (home.empty())
      return "";
    base = home + "/" + fallback;
  }
  return base + "/korhost" + subfolder;
}
} // namespace

std::string HostDirService::settingsKey(const std::string &name) {
  std::string title = name;
  if (!title.empty())
    title[0] =
        static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
  return "Directories/" + title + " Directory";
}

std::string HostDirService::defaultDirectory(const std::string &name) {
  if (name == "data" || name == "save")
    return xdgDirectory("XDG_DATA_HOME", ".local/share", "");
  if (name == "logs")
    return xdgDirectory("XDG_STATE_HOME", ".local/state", "/logs");
  if (name == "cache")
    return xdgDirectory("XDG_CACHE_HOME", ".cache", "");
  if (name == "temp") {
    std::string temp = env("TMPDIR");
    return temp.empty() ? "/tmp" : temp;
  }
  return "";
}

std::string HostDirService::directory(const std::string &name) {
  SPtr<IDataStore> settings;
  if (settings) {
    bool found = false;
    const KorWChar *value =
        settings->GetString(settingsKey(name).c_str(), &found);
    if (found && value && *value)
      return hostToUtf8(value);
  }
  return defaultDirectory(name);
}

const KorWChar *HostDirService::GetDirectory(const char *name) {
  last_ = name ? hostToUtf16(directory(name)) : std::u16string();
  return last_.c_str();
}

KORHOST_SERVICE("IKorDirService",
                [](const HostOptions &) { return new HostDirService; });
