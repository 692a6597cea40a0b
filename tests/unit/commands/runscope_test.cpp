// Unit tests of the run scope: exact names whatever characters they hold,
// the shard partition against its rule, the selection a scope adds for its
// run, and shard settings. The shard and name options, their wrong values
// and a suite name that matches nothing are run by tests/e2e.
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"
#include "commands/runscope.h"
#include "frame/korsuiteregistration.h"
#include "frame/kortestdecl.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/hostfixture.h"
#include "testservice/testselection.h"

namespace {
class ScopeSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(ScopeSuite, "Scope Suite")
  KOR_TEST(PlainTest, "Plain", "SCOPE") {}
  KOR_TEST(StarTest, "All * here", "SCOPE") {}
  KOR_TEST(StarLookalikeTest, "All of it here", "SCOPE") {}
  KOR_TEST(PairTest, "Pair [b] here", "SCOPE") {}
  KOR_TEST(PairLookalikeTest, "Pair b here", "SCOPE") {}
  KOR_TEST_DISABLED(OffTest, "Off", "SCOPE", "switched off") {}
};

/// The suite's tests in registration order.
class RunScopeTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    ScopeSuite &suite = korCreateSuite<ScopeSuite>();
    for (int i = 1; i <= suite.TestCount(); ++i)
      tests_.append(suite.TestAt(i));
  }
  /// The full names of the tests the scope lists.
  std::vector<std::string> narrowed(const KorRunScope &scope) {
    std::vector<std::string> names;
    for (IKorTest *test : korNarrowToScope(tests_, scope))
      names.push_back(korFullTestName(test->Suite(), test).c_str());
    return names;
  }
  KorArray<IKorTest *> tests_;
};
} // namespace

TEST_F(RunScopeTest, ExactNameSelectsOnlyThatTestBeforeTheShardsAreDealt) {
  // Names are compared as text: as a wildcard pattern "[b]" would also
  // match "b", and "*" any text.
  KorRunScope scope;
  for (const char *name : {"Scope Suite.All * here",
                           "Scope Suite.Pair [b] here", "Scope Suite.Off"}) {
    scope.testName = name;
    EXPECT_EQ(narrowed(scope), std::vector<std::string>{name});
  }
  for (const char *prefix : {"Scope Suite.Pair", "Scope Suite.*", ""}) {
    scope.testName = prefix;
    EXPECT_TRUE(narrowed(scope).empty()) << prefix;
  }
  scope.testName = "Scope Suite.Plain";
  scope.shardCount = 2;
  EXPECT_EQ(narrowed(scope).size(), 1u);
  scope.shardIndex = 1;
  EXPECT_TRUE(narrowed(scope).empty());
}

TEST_F(RunScopeTest, ShardsTakeTheTestsAtTheirIndexModuloTheCount) {
  std::vector<std::string> all = narrowed(KorRunScope());
  for (int32_t count : {1, 3, 7})
    for (int32_t index = 0; index < count; ++index) {
      KorRunScope scope;
      scope.shardIndex = index;
      scope.shardCount = count;
      std::vector<std::string> expected;
      for (size_t i = size_t(index); i < all.size(); i += size_t(count))
        expected.push_back(all[i]);
      EXPECT_EQ(narrowed(scope), expected) << index << " of " << count;
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

// The values korCheckShard refuses are refused through korhost's options
// by tests/e2e/kortest_shards.sh; these rows name the settings instead.
TEST_F(RunScopeTest, ReadsTheShardFromTheSettingsAndReportsWrongOnes) {
  const std::tuple<const char *, const char *, std::u16string> cases[] = {
      {"2", "3", u""},
      {"3", "3",
       u"\"Test Run/Shard Index\" must be a whole number from 0 to "
       u"2, not \"3\""},
      {nullptr, "2",
       u"\"Test Run/Shard Index\" and \"Test Run/Shard Count\" "
       u"go together"}};
  for (const auto &[index, count, problem] : cases) {
    auto *settings = new HostSettingsStore;
    manager_->RegisterService("IDataStore", settings);
    if (index)
      settings->set(kRunScopeShardIndexKey, index);
    settings->set(kRunScopeShardCountKey, count);
    errors_->reports.clear();
    KorRunScope scope;
    EXPECT_EQ(korReadScriptRunScope(KorString(u"Scope Suite"), scope),
              problem.empty());
    EXPECT_EQ(scope.suiteName, "Scope Suite");
    if (problem.empty()) {
      EXPECT_EQ(std::pair(scope.shardIndex, scope.shardCount), std::pair(2, 3));
      EXPECT_TRUE(errors_->reports.empty());
    } else {
      ASSERT_EQ(errors_->reports.size(), 1u) << count;
      EXPECT_EQ(errors_->reports[0].message,
                u"No test runs: " + problem + u".");
    }
  }
}
