//===- runscope.h - Which tests of a run's list actually run --------------===//
//
// A run can be narrowed to one test by its exact full name ("Suite.Test")
// and to one shard of N: test i of the run's order (0-based) belongs to
// shard i mod N. The narrowing happens on the list before it reaches the
// test service, so tests outside the scope leave no record at all (no
// Skipped entries), and the console, the report and the counts cover only
// the tests in scope. The scope comes from the settings "Test Run/Test
// Name", "Test Run/Shard Index" and "Test Run/Shard Count".
//
// The name is compared as text, not as an include pattern: in the test
// service's patterns a "[" of the name can only be matched by "[", "?" or
// "*", and a "[" with a "]" after it also opens a set, so no pattern
// selects every name holding "[" exactly ("S.[b]x" would also match "S.bx").
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class IDataStore;
class IKorTest;

/// Settings key of the exact full name of the one test to run.
inline constexpr const char *kRunScopeTestNameKey = "Test Run/Test Name";
/// Settings key of the 0-based shard this process runs.
inline constexpr const char *kRunScopeShardIndexKey = "Test Run/Shard Index";
/// Settings key of the number of shards the run is split into.
inline constexpr const char *kRunScopeShardCountKey = "Test Run/Shard Count";
/// Settings key of the seconds each test body may run (0: no limit).
inline constexpr const char *kRunTimeoutKey = "Test Run/Timeout";

/// The part of a run's list that runs.
struct KorRunScope {
  /// The exact full name of the only test to run; none: every test.
  std::optional<std::string> testName;
  int32_t shardIndex = 0;
  int32_t shardCount = 1;
};

/// Reads the scope from `settings` (none: the whole run). Returns an empty
/// text, or what is wrong with the shard settings (the scope then keeps
/// the whole run's shard).
std::string korReadRunScope(IDataStore *settings, KorRunScope &scope);

/// The tests of `tests` inside `scope`, in their order.
KorArray<IKorTest *> korNarrowToScope(const KorArray<IKorTest *> &tests,
                                      const KorRunScope &scope);

/// Narrows `tests` to the scope the host's settings give; a shard setting
/// that is wrong is reported to the error service and leaves no test.
/// Returns how many tests the selection matched before sharding: those
/// the test name leaves for which `selected` (none: every test) holds.
int32_t korApplyRunScope(KorArray<IKorTest *> &tests,
                         const std::function<bool(IKorTest *)> &selected = {});

/// Reads the time limit of a test body from `settings`: the seconds, 0
/// when absent or empty. Returns an empty text, or what is wrong with the
/// setting (the limit then stays 0).
std::string korReadRunTimeout(IDataStore *settings, int32_t &seconds);

/// The time limit the host's settings give; a wrong setting is reported to
/// the error service and sets no limit.
int32_t korRunTimeLimit();
