// Unit tests of the run scope: the suite, exact names whatever characters
// they hold, the shard partition, the selection a scope adds for its run,
// its settings and shard settings that are wrong.
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"
#include "commands/runscope.h"
#include "frame/korsuiteregistration.h"
#include "frame/kortestdecl.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/hostfixture.h"
#include "testservice/testselection.h"
#include <set>

namespace {
class ScopeSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(ScopeSuite, "Scope Suite")
  KOR_TEST(PlainTest, "Plain", "SCOPE") {}
  KOR_TEST(SetTest, "Greets [a-z] or ?", "SCOPE") {}
  KOR_TEST(SetLookalikeTest, "Greets b or x", "SCOPE") {}
  KOR_TEST(StarTest, "All * here", "SCOPE") {}
  KOR_TEST(StarLookalikeTest, "All of it here", "SCOPE") {}
  KOR_TEST(BracketTest, "Odd ] and [ too", "SCOPE") {}
  KOR_TEST(PairTest, "Pair [b] here", "SCOPE") {}
  KOR_TEST(PairLookalikeTest, "Pair b here", "SCOPE") {}
  KOR_TEST_DISABLED(OffTest, "Off", "SCOPE", "switched off") {}
};

std::vector<std::string> names(const KorArray<IKorTest *> &tests) {
  std::vector<std::string> result;
  for (IKorTest *test : tests)
    result.push_back(korFullTestName(test->Suite(), test).c_str());
  return result;
}

/// The suite's tests in registration order, and a settings store.
class RunScopeTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    ScopeSuite &suite = korCreateSuite<ScopeSuite>();
    for (int i = 1; i <= suite.TestCount(); ++i)
      tests_.append(suite.TestAt(i));
    freshSettings();
  }
  void freshSettings() {
    settings_ = new HostSettingsStore;
    manager_->RegisterService("IDataStore", settings_);
  }
  std::vector<std::string> narrowed(const KorRunScope &scope) {
    return names(korNarrowToScope(tests_, scope));
  }
  KorArray<IKorTest *> tests_;
  HostSettingsStore *settings_ = nullptr;
};
} // namespace

TEST_F(RunScopeTest, ExactNameSelectsOnlyThatTestBeforeTheShardsAreDealt) {
  // Names are compared as text: as a wildcard pattern "[b]" would also
  // match "b", and "*" or "?" any text.
  KorRunScope scope;
  for (const char *name :
       {"Scope Suite.Greets [a-z] or ?", "Scope Suite.All * here",
        "Scope Suite.Odd ] and [ too", "Scope Suite.Pair [b] here",
        "Scope Suite.Off"}) {
    scope.testName = name;
    EXPECT_EQ(narrowed(scope), std::vector<std::string>{name});
  }
  for (const char *prefix : {"Scope Suite.Greets", "Scope Suite.*", ""}) {
    scope.testName = prefix;
    EXPECT_TRUE(narrowed(scope).empty()) << prefix;
  }
  scope.testName = "Scope Suite.Plain";
  scope.shardCount = 2;
  EXPECT_EQ(narrowed(scope).size(), 1u);
  scope.shardIndex = 1;
  EXPECT_TRUE(narrowed(scope).empty());
}

TEST_F(RunScopeTest, ShardsPartitionTheRunByPositionModuloCount) {
  std::vector<std::string> all = names(tests_);
  for (int32_t count : {1, 2, 3, 7, 10}) {
    std::multiset<std::string> seen;
    for (int32_t index = 0; index < count; ++index) {
      KorRunScope scope;
      scope.shardIndex = index;
      scope.shardCount = count;
      std::vector<std::string> expected;
      for (size_t i = size_t(index); i < all.size(); i += size_t(count))
        expected.push_back(all[i]);
      EXPECT_EQ(narrowed(scope), expected) << index << " of " << count;
      seen.insert(expected.begin(), expected.end());
    }
    EXPECT_EQ(seen, std::multiset<std::string>(all.begin(), all.end()));
  }
}

TEST_F(RunScopeTest, TheScopesSelectionHoldsWhileItLives) {
  TestSelection selection;
  selection.include("Scope Suite.P*");
  KorRunScope scope;
  scope.includePatterns = {"Scope Suite.Off"};
  scope.excludedNames = {"Scope Suite.Pair [b] here"};
  auto selected = [&](const char *n) { return selection.selectsName(n); };
  {
    KorScopedSelection during(&selection, scope);
    EXPECT_TRUE(selected("Scope Suite.Off"));
    EXPECT_TRUE(selected("Scope Suite.Plain"));
    EXPECT_FALSE(selected("Scope Suite.Pair [b] here"));
  }
  EXPECT_FALSE(selected("Scope Suite.Off"));
  EXPECT_TRUE(selected("Scope Suite.Pair [b] here"));
}

// The lists, the exact name and their round trip through korhost's options
// are read back by tests/unit/host/cli/runscopeoptions_test.cpp, a suite
// name that matches no suite by tests/e2e/kortest_reports.sh.
TEST_F(RunScopeTest, ReadsTheShardFromTheSettingsAndReportsWrongOnes) {
  KorRunScope scope;
  EXPECT_TRUE(korReadScriptRunScope(KorString(u""), scope));
  EXPECT_EQ(narrowed(scope), names(tests_)) << "no settings: the whole list";
  settings_->set(kRunScopeShardIndexKey, "2");
  settings_->set(kRunScopeShardCountKey, "3");
  EXPECT_TRUE(korReadScriptRunScope(KorString(u""), scope));
  EXPECT_EQ(std::pair(scope.shardIndex, scope.shardCount), std::pair(2, 3));
  EXPECT_TRUE(errors_->reports.empty());
  // Index, count (null: not set), and the problem when it is not only said
  // to be there.
  const std::tuple<const char *, const char *, const char *> cases[] = {
      {"3", "3", "\"Test Run/Shard Index\" must be a whole number from 0 "
                 "to 2, not \"3\""},
      {nullptr, "2", "\"Test Run/Shard Index\" and \"Test Run/Shard "
                     "Count\" go together"},
      {"-1", "3", ""}, {"x", "3", ""}, {"0", "0", ""}, {"0", "2x", ""},
      {"1", "-2", ""}};
  for (auto [index, count, problem] : cases) {
    freshSettings();
    if (index)
      settings_->set(kRunScopeShardIndexKey, index);
    settings_->set(kRunScopeShardCountKey, count);
    KorRunScope wrong;
    std::string found = korReadRunScope(settings_, wrong);
    EXPECT_FALSE(found.empty()) << count;
    EXPECT_TRUE(!*problem || found == problem) << found;
    errors_->reports.clear();
    EXPECT_FALSE(korReadScriptRunScope(KorString(u"Scope Suite"), wrong));
    EXPECT_EQ(wrong.suiteName, "Scope Suite");
    ASSERT_EQ(errors_->reports.size(), 1u);
    EXPECT_EQ(errors_->reports[0].message,
              std::u16string(u"No test runs: ") +
                  std::u16string(KorString::fromUtf8(found.c_str()).view()) +
                  u".");
  }
}
