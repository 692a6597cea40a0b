//===- runscope.h - Which registered tests a scripted run lists -----------===//
//
// A scripted run's scope (KorBasicTypes/runscopesettings.h) narrows the
// registered tests before they reach the test service: to one suite (the
// script's "suite_name", in the suite's own order), to one test by its
// exact full name, then to one shard of N (test i of what is left, 0-based,
// belongs to shard i mod N). Tests outside leave no record at all, so the
// console, the report and the counts cover only the tests in scope. The
// scope's include patterns and excluded names join the test service's
// selection for the run: listed tests they leave out get Skipped records.
//
// The name is compared as text, not as an include pattern: in the test
// service's patterns a "[" of the name can only be matched by "[", "?" or
// "*", and a "[" with a "]" after it also opens a set, so no pattern
// selects every name holding "[" exactly ("S.[b]x" would also match "S.bx").
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include "KorBasicTypes/runscopesettings.h"
#include "testservice/testselection.h"
#include <cstdint>
#include <functional>
#include <string>

class IDataStore;
class IKorTest;
class KorString;

/// The tests of `tests` inside `scope`: suite, exact name, shard.
KorArray<IKorTest *> korNarrowToScope(const KorArray<IKorTest *> &tests,
                                      const KorRunScope &scope);

/// How many tests of `tests` the scope's suite and name leave and
/// `selected` holds for: what the selection matched before sharding.
int32_t korCountMatched(const KorArray<IKorTest *> &tests,
                        const KorRunScope &scope,
                        const std::function<bool(IKorTest *)> &selected);

/// The scope of a scripted run: the host's settings with the script's
/// `suiteName`. False, after telling the error service, when the shard
/// settings are wrong: then no test runs.
bool korReadScriptRunScope(const KorString &suiteName, KorRunScope &scope);

/// Adds the scope's include patterns and excluded names to a selection
/// while it lives.
class KorScopedSelection {
public:
  /// Does nothing without a selection.
  KorScopedSelection(TestSelection *selection, const KorRunScope &scope);
  ~KorScopedSelection();
  KorScopedSelection(const KorScopedSelection &) = delete;
  KorScopedSelection &operator=(const KorScopedSelection &) = delete;

private:
  TestSelection *selection_;
  TestSelection::Mark mark_;
};

/// Reads the time limit of a test body from `settings`: the seconds, 0
/// when absent or empty. Returns an empty text, or what is wrong with the
/// setting (the limit then stays 0).
std::string korReadRunTimeout(IDataStore *settings, int32_t &seconds);

/// The time limit the host's settings give; a wrong setting is reported to
/// the error service and sets no limit.
int32_t korRunTimeLimit();
