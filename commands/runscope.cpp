//===- runscope.cpp - Which registered tests a scripted run lists ---------===//
#include "commands/runscope.h"
#include "component/idatastore.h"
#include "component/ikorerrorservice.h"
#include "component/iptr.h"
#include "frame/ikortest.h"
#include "frame/ikortestsuite.h"
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/translate.h"
#include "testservice/suitegroups.h"
#include <charconv>

namespace {
/// Reports `problem` through the error service as `pattern` ("%1" for it).
void reportSettingError(const char *pattern, const std::string &problem) {
  SPtr<IKorErrorService> errors;
  if (!errors)
    return;
  KorString text = korTranslate(pattern, KorString(problem.c_str()));
  errors->Report(text.data(), 1, "");
}

/// The tests of the scope's suite in the suite's own order, or `tests`
/// when the scope names no suite.
KorArray<IKorTest *> suiteOf(const KorArray<IKorTest *> &tests,
                             const KorRunScope &scope) {
  if (scope.suiteName.empty())
    return tests;
  KorArray<IKorTest *> chosen;
  IKorTestSuite *suite = korFindSuiteByName(tests, scope.suiteName.c_str());
  for (int i = 1; suite && i <= suite->TestCount(); ++i)
    chosen.append(suite->TestAt(i));
  return chosen;
}

bool hasScopeName(IKorTest *test, const KorRunScope &scope) {
  return !scope.testName ||
         *scope.testName == korFullTestName(test->Suite(), test).c_str();
}
} // namespace

KorArray<IKorTest *> korNarrowToScope(const KorArray<IKorTest *> &tests,
                                      const KorRunScope &scope) {
  KorArray<IKorTest *> chosen;
  int64_t position = 0;
  for (IKorTest *test : suiteOf(tests, scope))
    if (hasScopeName(test, scope) &&
        position++ % scope.shardCount == scope.shardIndex)
      chosen.append(test);
  return chosen;
}

int32_t korCountMatched(const KorArray<IKorTest *> &tests,
                        const KorRunScope &scope,
                        const std::function<bool(IKorTest *)> &selected) {
  int32_t matched = 0;
  for (IKorTest *test : suiteOf(tests, scope))
    if (hasScopeName(test, scope) && selected(test))
      ++matched;
  return matched;
}

bool korReadScriptRunScope(const KorString &suiteName, KorRunScope &scope) {
  SPtr<IDataStore> settings;
  std::string problem = korReadRunScope(settings.get(), scope);
  scope.suiteName = suiteName.utf8();
  if (problem.empty())
    return true;
  reportSettingError("No test runs: %1.", problem);
  return false;
}

KorScopedSelection::KorScopedSelection(TestSelection *selection,
                                       const KorRunScope &scope)
    : selection_(selection) {
  if (!selection_)
    return;
  mark_ = selection_->mark();
  for (const std::string &pattern : scope.includePatterns)
    selection_->include(pattern.c_str());
  for (const std::string &name : scope.excludedNames)
    selection_->exclude(name.c_str());
}

KorScopedSelection::~KorScopedSelection() {
  if (selection_)
    selection_->dropTo(mark_);
}

std::string korReadRunTimeout(IDataStore *settings, int32_t &seconds) {
  seconds = 0;
  bool found = false;
  const KorWChar *value =
      settings ? settings->GetString(kRunTimeoutKey, &found) : nullptr;
  std::string text = found && value ? KorString(value).utf8() : "";
  if (text.empty())
    return {};
  int32_t parsed = 0;
  const char *first = text.data();
  const char *last = first + text.size();
  auto [end, error] = std::from_chars(first, last, parsed);
  if (error != std::errc() || end != last || parsed < 0)
    return "\"" + std::string(kRunTimeoutKey) +
           "\" is not a number of seconds: \"" + text + "\"";
  seconds = parsed;
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
