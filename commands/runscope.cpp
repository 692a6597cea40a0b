//===- runscope.cpp - Which tests of a run's list actually run ------------===//
#include "commands/runscope.h"
#include "component/idatastore.h"
#include "component/ikorerrorservice.h"
#include "frame/ikortest.h"
#include "component/iptr.h"
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/shardchoice.h"
#include "testservice/gentestservice.h"
#include "KorBasicTypes/translate.h"
#include <charconv>

namespace {
/// The setting's text in UTF-8, or nothing when the key is absent.
std::optional<std::string> settingText(IDataStore &settings, const char *key) {
  bool found = false;
  const KorWChar *text = settings.GetString(key, &found);
  if (!found || !text)
    return std::nullopt;
  return std::string(KorString(text).utf8());
}

/// Reports `problem` through the error service as `pattern` ("%1" for it).
void reportSettingError(const char *pattern, const std::string &problem) {
  SPtr<IKorErrorService> errors;
  if (!errors)
    return;
  KorString text = korTranslate(pattern, KorString(problem.c_str()));
  errors->Report(text.data(), 1, "");
}
} // namespace

std::string korReadRunScope(IDataStore *settings, KorRunScope &scope) {
  scope = KorRunScope();
  if (!settings)
    return {};
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
    return "\"" + std::string(kRunScopeShardIndexKey) + "\" and \"" +
           kRunScopeShardCountKey + "\" go together";
  return korCheckShard(*index, *count,
                       "\"" + std::string(kRunScopeShardIndexKey) + "\"",
                       "\"" + std::string(kRunScopeShardCountKey) + "\"",
                       scope.shardIndex, scope.shardCount);
}

KorArray<IKorTest *> korNarrowToScope(const KorArray<IKorTest *> &tests,
                                      const KorRunScope &scope) {
  KorArray<IKorTest *> chosen;
  int64_t position = 0;
  for (IKorTest *test : tests) {
    if (scope.testName &&
        *scope.testName != korFullTestName(test->Suite(), test).c_str())
      continue;
    if (position++ % scope.shardCount == scope.shardIndex)
      chosen.append(test);
  }
  return chosen;
}

int32_t korApplyRunScope(KorArray<IKorTest *> &tests,
                         const std::function<bool(IKorTest *)> &selected) {
  SPtr<IDataStore> settings;
  KorRunScope scope;
  std::string problem = korReadRunScope(settings.get(), scope);
  KorRunScope byName;
  byName.testName = scope.testName;
  int32_t matched = 0;
  for (IKorTest *test : korNarrowToScope(tests, byName))
    if (!selected || selected(test))
      ++matched;
  if (!problem.empty()) {
    reportSettingError("No test runs: %1.", problem);
    tests.clear();
  } else if (scope.testName || scope.shardCount > 1) {
    tests = korNarrowToScope(tests, scope);
  }
  return matched;
}

std::string korReadRunTimeout(IDataStore *settings, int32_t &seconds) {
  seconds = 0;
  std::optional<std::string> text =
      settings ? settingText(*settings, kRunTimeoutKey) : std::nullopt;
  if (!text || text->empty())
    return {};
  int32_t value = 0;
  const char *first = text->data();
  const char *last = first + text->size();
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || value < 0)
    return "\"" + std::string(kRunTimeoutKey) +
           "\" is not a number of "
           "seconds: \"" +
           *text + "\"";
  seconds = value;
  return {};
}

int32_t korRunTimeLimit() {
  SPtr<IDataStore> settings;
  int32_t seconds = 0;
  std::string problem = korReadRunTimeout(settings.get(), seconds);
  if (!problem.empty())
    reportSettingError("Tests run without a time limit: %1.", problem);
  return seconds;
}
