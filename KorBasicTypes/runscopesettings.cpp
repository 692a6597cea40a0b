//===- runscopesettings.cpp - The scope of a test run, as host settings ---===//
#include "KorBasicTypes/runscopesettings.h"
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/shardchoice.h"
#include "component/idatastore.h"

namespace {
/// The setting's text in UTF-8, or nothing when the key is absent.
std::optional<std::string> settingText(IDataStore &settings, const char *key) {
  bool found = false;
  const KorWChar *text = settings.GetString(key, &found);
  if (!found || !text)
    return std::nullopt;
  return std::string(KorString(text).utf8());
}

std::string quoted(const char *key) { return "\"" + std::string(key) + "\""; }
} // namespace

std::string korReadRunScope(IDataStore *settings, KorRunScope &scope) {
  scope = KorRunScope();
  if (!settings)
    return {};
  if (auto filters = settingText(*settings, kRunScopeFilterKey))
    scope.includePatterns = korSplitSettingList(*filters);
  if (auto excludes = settingText(*settings, kRunScopeExcludeKey))
    scope.excludedNames = korSplitSettingList(*excludes);
  std::optional<std::string> name =
      settingText(*settings, kRunScopeTestNameKey);
  if (name && !name->empty())
    scope.testName = *name;
  std::optional<std::string> index =
      settingText(*settings, kRunScopeShardIndexKey);
  std::optional<std::string> count =
      settingText(*settings, kRunScopeShardCountKey);
  if (!index && !count)
    return {};
  if (!index || !count)
    return quoted(kRunScopeShardIndexKey) + " and " +
           quoted(kRunScopeShardCountKey) + " go together";
  return korCheckShard(*index, *count, quoted(kRunScopeShardIndexKey),
                       quoted(kRunScopeShardCountKey), scope.shardIndex,
                       scope.shardCount);
}

std::string korJoinSettingList(const std::vector<std::string> &entries) {
  std::string text;
  for (const std::string &entry : entries)
    text.append(entry).push_back('\n');
  return text;
}

std::vector<std::string> korSplitSettingList(std::string_view text) {
  std::vector<std::string> entries;
  while (!text.empty()) {
    size_t end = text.find('\n');
    entries.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return entries;
}
