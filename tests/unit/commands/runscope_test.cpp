// Unit tests of the run scope: the suite, exact names whatever characters
// they hold, the shard partition, the selection a scope adds for its run,
// its settings and shard settings that are wrong.
#include "commands/runscope.h"
#include "tests/unit/support/hostfixture.h"
#include "frame/ikortest.h"
#include "frame/korsuiteregistration.h"
#include "frame/kortestdecl.h"
#include "host/services/settingsstore.h"
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"
#include "testservice/testselection.h"
#include "testservice/wildcardpattern.h"
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

std::string fullName(IKorTest *test) {
  return korFullTestName(test->Suite(), test).c_str();
}

std::vector<std::string> names(const KorArray<IKorTest *> &tests) {
  std::vector<std::string> result;
  for (IKorTest *test : tests)
    result.push_back(fullName(test));
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
    settings_ = new HostSettingsStore;
    manager_->RegisterService("IDataStore", settings_);
  }
  KorArray<IKorTest *> narrowed(const KorRunScope &scope) {
    return korNarrowToScope(tests_, scope);
  }
  KorArray<IKorTest *> tests_;
  HostSettingsStore *settings_ = nullptr;
};
} // namespace

TEST(RunScopePattern, NoWildcardPatternSelectsANameWithABracketExactly) {
  // Why names are compared as text: "[" is matched only literally, and
  // with a "]" after it also opens a set, so the name itself, or "[[]",
  // matches other names too.
  WildcardPattern name("S.[b]x");
  EXPECT_TRUE(name.matches("S.[b]x"));
  EXPECT_TRUE(name.matches("S.bx"));
  WildcardPattern set("S.[[]b]x");
  EXPECT_FALSE(set.matches("S.[b]x"));
}

TEST_F(RunScopeTest, ExactNameSelectsOnlyThatTest) {
  KorRunScope scope;
  for (const char *name :
       {"Scope Suite.Greets [a-z] or ?", "Scope Suite.All * here",
        "Scope Suite.Odd ] and [ too", "Scope Suite.Pair [b] here",
        "Scope Suite.Off"}) {
    scope.testName = name;
    EXPECT_EQ(names(narrowed(scope)), std::vector<std::string>{name});
  }
  for (const char *prefix : {"Scope Suite.Greets", "Scope Suite.*", ""}) {
    scope.testName = prefix;
    EXPECT_EQ(narrowed(scope).count(), 0u) << prefix;
  }
}

TEST_F(RunScopeTest, ShardsPartitionTheRunByPositionModuloCount) {
  std::vector<std::string> all = names(tests_);
  for (int32_t count : {1, 2, 3, 7, 10}) {
    std::multiset<std::string> seen;
    for (int32_t index = 0; index < count; ++index) {
      KorRunScope scope;
      scope.shardIndex = index;
      scope.shardCount = count;
      std::vector<std::string> shard = names(narrowed(scope));
      std::vector<std::string> expected;
      for (size_t i = static_cast<size_t>(index); i < all.size(); i += count)
        expected.push_back(all[i]);
      EXPECT_EQ(shard, expected) << index << " of " << count;
      seen.insert(shard.begin(), shard.end());
    }
    EXPECT_EQ(seen, std::multiset<std::string>(all.begin(), all.end()));
  }
}

TEST_F(RunScopeTest, NameNarrowsBeforeTheShardsAreDealt) {
  KorRunScope scope;
  scope.testName = "Scope Suite.Plain";
  scope.shardCount = 2;
  EXPECT_EQ(narrowed(scope).count(), 1u);
  scope.shardIndex = 1;
  EXPECT_EQ(narrowed(scope).count(), 0u);
}

TEST_F(RunScopeTest, ASuiteNameListsThatSuiteInItsOwnOrder) {
  KorArray<IKorTest *> reversed;
  for (uint32_t i = tests_.count(); i >= 1; --i)
    reversed.append(tests_[i]);
  KorRunScope scope;
  scope.suiteName = "Scope Suite";
  EXPECT_EQ(names(korNarrowToScope(reversed, scope)), names(tests_));
  scope.testName = "Scope Suite.Off";
  EXPECT_EQ(korCountMatched(reversed, scope, [](IKorTest *) { return true; }),
            1);
  scope.testName.reset();
  EXPECT_EQ(korCountMatched(reversed, scope,
                            [](IKorTest *test) { return test->Enabled(); }),
            8);
  scope.suiteName = "ScopeSuite";
  EXPECT_EQ(korNarrowToScope(reversed, scope).count(), 0u);
}

TEST_F(RunScopeTest, TheScopesSelectionHoldsWhileItLives) {
  TestSelection selection;
  selection.include("Scope Suite.P*");
  KorRunScope scope;
  scope.includePatterns = {"Scope Suite.Off"};
  scope.excludedNames = {"Scope Suite.Pair [b] here"};
  auto selected = [&](const char *name) {
    return selection.selectsName(KorCString(name));
  };
  {
    KorScopedSelection during(&selection, scope);
    EXPECT_TRUE(selected("Scope Suite.Off"));
    EXPECT_TRUE(selected("Scope Suite.Plain"));
    EXPECT_FALSE(selected("Scope Suite.Pair [b] here"));
  }
  EXPECT_FALSE(selected("Scope Suite.Off"));
  EXPECT_TRUE(selected("Scope Suite.Pair [b] here"));
}

TEST(RunScopeSettings, ListsHoldOneEntryPerLine) {
  const std::vector<std::string> lists[] = {
      {}, {""}, {"A.*"}, {"A.*", "", "B.[a-z]*"}};
  for (const std::vector<std::string> &list : lists)
    EXPECT_EQ(korSplitSettingList(korJoinSettingList(list)), list);
  EXPECT_EQ(korSplitSettingList("A.*\nB.*"),
            (std::vector<std::string>{"A.*", "B.*"}))
      << "the last line end is optional";
}

TEST_F(RunScopeTest, ReadsTheScopeFromTheSettings) {
  KorRunScope scope;
  EXPECT_EQ(korReadRunScope(settings_, scope), "");
  EXPECT_FALSE(scope.testName);
  EXPECT_TRUE(scope.includePatterns.empty());
  EXPECT_EQ(scope.shardCount, 1);
  settings_->set(kRunScopeFilterKey, "Scope Suite.*\nOther.*");
  settings_->set(kRunScopeExcludeKey, "Scope Suite.Plain");
  settings_->set(kRunScopeTestNameKey, "Scope Suite.All * here");
  settings_->set(kRunScopeShardIndexKey, "2");
  settings_->set(kRunScopeShardCountKey, "3");
  EXPECT_EQ(korReadRunScope(settings_, scope), "");
  EXPECT_EQ(scope.includePatterns,
            (std::vector<std::string>{"Scope Suite.*", "Other.*"}));
  EXPECT_EQ(scope.excludedNames, std::vector<std::string>{"Scope Suite.Plain"});
  EXPECT_EQ(scope.testName, "Scope Suite.All * here");
  EXPECT_EQ(scope.shardIndex, 2);
  EXPECT_EQ(scope.shardCount, 3);
}

TEST_F(RunScopeTest, WrongShardSettingsRunNothingAndAreReported) {
  const char *wrong[][2] = {{"3", "3"}, {"-1", "3"}, {"x", "3"},
                            {"0", "0"}, {"0", "2x"}, {"1", "-2"}};
  for (const auto &values : wrong) {
    settings_->set(kRunScopeShardIndexKey, values[0]);
    settings_->set(kRunScopeShardCountKey, values[1]);
    KorRunScope scope;
    EXPECT_NE(korReadRunScope(settings_, scope), "")
        << values[0] << " of " << values[1];
    errors_->reports.clear();
    EXPECT_FALSE(korReadScriptRunScope(KorString(u"Scope Suite"), scope));
    EXPECT_EQ(scope.suiteName, "Scope Suite");
    ASSERT_EQ(errors_->reports.size(), 1u);
    EXPECT_EQ(errors_->reports[0].message.rfind(
                  u"No test runs: \"Test Run/Shard ", 0),
              0u);
  }
}

TEST_F(RunScopeTest, OneShardSettingWithoutTheOtherIsWrong) {
  settings_->set(kRunScopeShardCountKey, "2");
  KorRunScope scope;
  EXPECT_EQ(
      korReadRunScope(settings_, scope),
      "\"Test Run/Shard Index\" and \"Test Run/Shard Count\" go together");
}

TEST_F(RunScopeTest, WithoutScopeSettingsTheListStaysWhole) {
  KorRunScope scope;
  EXPECT_TRUE(korReadScriptRunScope(KorString(u""), scope));
  EXPECT_EQ(names(korNarrowToScope(tests_, scope)), names(tests_));
  EXPECT_TRUE(errors_->reports.empty());
}
