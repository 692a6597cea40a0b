//===- runscope.cpp - Which tests of a run's list actually run ------------===//
#include "runscope.h"
#include "idatastore.h"
#include "ikorerrorservice.h"
#include "ikortest.h"
#include "iptr.h"
#include "korstring.h"
#include "test/gentestservice.h"
#include "translate.h"
#include <charconv>

namespace {
/// A whole decimal 32-bit number; nothing for any other text.
std::optional<int32_t> wholeNumber(const std::string &text) {
  int32_t value = 0;
  const char *last = text.data() + text.size();
  auto [end, error] = std::from_chars(text.data(), last, value);
  if (text.empty() || error != std::errc() || end != last)
    return std::nullopt;
  return value;
}

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

std::string korCheckShard(const std::string &index, const std::string &count,
                          int32_t &indexValue, int32_t &countValue) {
  std::optional<int32_t> parsedCount = wholeNumber(count);
  if (!parsedCount || *parsedCount < 1)
    return "shard count \"" + count + "\" is not a whole number of at least 1";
  std::optional<int32_t> parsedIndex = wholeNumber(index);
  if (!parsedIndex || *parsedIndex < 0 || *parsedIndex >= *parsedCount)
    return "shard index \"" + index + "\" is not a whole number from 0 to " +
           std::to_string(*parsedCount - 1);
  indexValue = *parsedIndex;
  countValue = *parsedCount;
  return {};
}

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
  return korCheckShard(*index, *count, scope.shardIndex, scope.shardCount);
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
