//===- runscope.cpp - Which tests of a run's list actually run ------------===//
#include "runscope.h"
#include "idatastore.h"
#include "ikorerrorservice.h"
#include "ikortest.h"
#include "iptr.h"
#include "korstring.h"
#include "shardchoice.h"
#include "test/gentestservice.h"
#include "translate.h"

namespace {
/// The setting's text in UTF-8, or nothing when the key is absent.
std::optional<std::string> settingText(IDataStore &settings, const char *key) {
  bool found = false;
  const KorWChar *text = settings.GetString(key, &found);
  if (!found || !text)
    return std::nullopt;
  return std::string(KorString(text).utf8());
}

void reportScopeError(const std::string &problem) {
  SPtr<IKorErrorService> errors;
  if (!errors)
    return;
  KorString text =
      korTranslate("No test runs: %1.", KorString(problem.c_str()));
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

void korApplyRunScope(KorArray<IKorTest *> &tests) {
  SPtr<IDataStore> settings;
  KorRunScope scope;
  std::string problem = korReadRunScope(settings.get(), scope);
  if (!problem.empty()) {
    reportScopeError(problem);
    tests.clear();
    return;
  }
  if (scope.testName || scope.shardCount > 1)
    tests = korNarrowToScope(tests, scope);
}
