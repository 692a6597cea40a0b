//===- runscopesettings.h - The scope of a test run, as host settings -----===//
//
// Which tests a scripted run lists and selects travels as one value from
// korhost to the kortest command: korhost writes its options (--filter,
// --exclude, --test, --shard-index, --shard-count, Bazel's shard variables)
// over the settings "Test Run/..." of its settings file, and the command
// reads them back as one KorRunScope, adding the script's suite name. The
// settings file can give every part of the scope by itself.
//
// A list setting holds one entry per line; a line end after the last entry
// is optional, so an empty entry is written as a lone line end.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IDataStore;

/// Settings key of the include patterns: one per line.
inline constexpr const char *kRunScopeFilterKey = "Test Run/Filter";
/// Settings key of the excluded full test names: one per line.
inline constexpr const char *kRunScopeExcludeKey = "Test Run/Exclude";
/// Settings key of the exact full name of the one test to run.
inline constexpr const char *kRunScopeTestNameKey = "Test Run/Test Name";
/// Settings key of the 0-based shard this process runs.
inline constexpr const char *kRunScopeShardIndexKey = "Test Run/Shard Index";
/// Settings key of the number of shards the run is split into.
inline constexpr const char *kRunScopeShardCountKey = "Test Run/Shard Count";
/// Settings key of the seconds each test body may run (0: no limit).
inline constexpr const char *kRunTimeoutKey = "Test Run/Timeout";

/// Which tests of the registered ones a run lists, and which of those it
/// selects.
struct KorRunScope {
  /// Only the suite of this name (the first one a run visits); empty: every
  /// suite.
  std::string suiteName;
  /// A listed test is selected only if one of these matches its full name
  /// (when there are any); the others get Skipped records.
  std::vector<std::string> includePatterns;
  /// Full names that are never selected.
  std::vector<std::string> excludedNames;
  /// Only the test of exactly this full name; none: every test.
  std::optional<std::string> testName;
  /// Test i of the listed ones (0-based) belongs to shard i mod shardCount;
  /// the run lists only shard shardIndex.
  int32_t shardIndex = 0;
  int32_t shardCount = 1;
};

/// Reads the scope from `settings` (none: the whole run; the suite name is
/// not a setting). Returns an empty text, or what is wrong with the shard
/// settings (the scope then keeps the whole run's shard).
std::string korReadRunScope(IDataStore *settings, KorRunScope &scope);

/// The text of a list setting holding `entries`.
std::string korJoinSettingList(const std::vector<std::string> &entries);
/// The entries of a list setting's text.
std::vector<std::string> korSplitSettingList(std::string_view text);
