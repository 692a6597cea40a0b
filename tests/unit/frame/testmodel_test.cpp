// Unit tests of the test model: suites, declared tests, metadata lists.
#include "testservice/genteststatus.h"
#include "component/kordescription.h"
#include "frame/kortestdecl.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
int gMetadataDestroyed = 0;

class TagMetadata : public KorMetadataBase {
public:
  KOR_CLASS_DERIVED(TagMetadata, KorMetadataBase)
  explicit TagMetadata(std::string tag) : tag(std::move(tag)) {}
  ~TagMetadata() override { ++gMetadataDestroyed; }
  std::string tag;
};

class NotMetadata : public IKorUnknown {
public:
  KOR_CLASS(NotMetadata)
  ~NotMetadata() override { ++gMetadataDestroyed; }
} gNotMetadata;

class ModelSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(ModelSuite, "Model Suite")
  int count = 0;
  void SuiteSetUp() override { count = 3; }

  KOR_TEST(SuiteDataTest, "Suite data test", "METATESTING") {
    TEST_ASSERT(SUITE_VAR->count == 3);
  }
  KOR_TEST_DISABLED(DisabledTest, "Disabled test", "METATESTING,ASSERT",
                    "Designed to fail") {
    TEST_FAIL("never run");
  }
  KOR_TEST_FULL(TaggedTest, "Tagged test", "TAGS", true, "",
                new TagMetadata("first"), &gNotMetadata,
                new TagMetadata("second")) {}
};

constexpr int kSuiteDataTestLine = 31;

/// A metadata item that answers no interface query.
class QuietMetadata : public TagMetadata {
public:
  QuietMetadata() : TagMetadata("quiet") {}
  void QueryInterface(const char *, void **result, int = 0) override {
    *result = nullptr;
  }
};

class EmptyModelSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(EmptyModelSuite, "Empty Model Suite")
};

std::string nameOf(IKorTestSuite &suite) {
  KorCString name;
  return suite.Name(name).c_str();
}

std::string descriptionOf(IKorTest *test) {
  KorCString text;
  return test->Description(text).c_str();
}
} // namespace

TEST(TestModel, SuiteCreatesItsTestsOnceInDeclarationOrder) {
  uint32_t registered = korTestRegistry().count();
  ModelSuite &suite = korCreateSuite<ModelSuite>();
  ASSERT_EQ(suite.TestCount(), 3);
  EXPECT_EQ(&korCreateSuite<ModelSuite>(), &suite);
  EXPECT_EQ(suite.TestCount(), 3) << "a second call creates nothing";
  EXPECT_STREQ(suite.TestAt(1)->ClassName(), "SuiteDataTest");
  EXPECT_STREQ(suite.TestAt(2)->ClassName(), "DisabledTest");
  EXPECT_STREQ(suite.TestAt(3)->ClassName(), "TaggedTest");
  EXPECT_EQ(korTestRegistry().count(), registered + 3);
  EXPECT_EQ(korTestRegistry()[registered + 1], suite.TestAt(1));
  for (int i = 1; i <= 3; ++i)
    EXPECT_EQ(suite.TestAt(i)->Suite(), &suite);
  EXPECT_EQ(nameOf(suite), "Model Suite");
}

TEST(TestModel, DeclarationGivesTheConstantAnswers) {
  ModelSuite &suite = korCreateSuite<ModelSuite>();
  IKorTest *data = suite.TestAt(1);
  EXPECT_EQ(descriptionOf(data), "Suite data test");
  EXPECT_TRUE(data->Enabled());
  EXPECT_STREQ(data->DisabledReason(), "");
  EXPECT_STREQ(data->SourceFile(), "tests/unit/frame/testmodel_test.cpp");
  EXPECT_EQ(data->DeclarationLine(), kSuiteDataTestLine);
  EXPECT_EQ(data->TestNumber(), -1);
  EXPECT_FALSE(data->BreakOnFailure());
  EXPECT_STREQ(dynamic_cast<KorTestBase *>(data)->Categories(), "METATESTING");

  IKorTest *disabled = suite.TestAt(2);
  EXPECT_FALSE(disabled->Enabled());
  EXPECT_STREQ(disabled->DisabledReason(), "Designed to fail");
  EXPECT_STREQ(dynamic_cast<KorTestBase *>(disabled)->Categories(),
               "METATESTING,ASSERT");
}

TEST(TestModel, TestAnswersItsNameBaseAndInterface) {
  IKorTest *test = korCreateSuite<ModelSuite>().TestAt(1);
  void *result = nullptr;
  test->QueryInterface("SuiteDataTest", &result);
  EXPECT_NE(result, nullptr);
  test->QueryInterface("KorTestBase", &result);
  EXPECT_EQ(result, dynamic_cast<KorTestBase *>(test));
  test->QueryInterface("IKorTest", &result);
  EXPECT_EQ(result, test);
  test->QueryInterface("suitedatatest", &result);
  EXPECT_EQ(result, nullptr);

  KorDescriptionRecord record;
  test->QueryInterface(nullptr, reinterpret_cast<void **>(&record));
  std::vector<std::string> seen;
  for (auto &entry : record.entries)
    seen.push_back(entry.name + ":" + std::to_string(entry.flag));
  EXPECT_EQ(seen, (std::vector<std::string>{"SuiteDataTest:1", "IKorTest:0",
                                            "KorTestBase:1", "IKorTest:0"}));
}

TEST(TestModel, BodyReachesItsSuiteDataThroughSuiteVar) {
  ModelSuite &suite = korCreateSuite<ModelSuite>();
  suite.count = 0;
  GenTestStatus before(suite.TestAt(1));
  suite.TestAt(1)->Run(&before);
  EXPECT_EQ(before.GetState(), kTestFailed);
  suite.SuiteSetUp();
  GenTestStatus after(suite.TestAt(1));
  suite.TestAt(1)->Run(&after);
  EXPECT_EQ(after.GetState(), kTestPassed);
  EXPECT_EQ(after.GetMessageCount(), 0);
}

TEST(TestModel, MetadataKeepsItemsBeforeTheEndAndOwnsThem) {
  IKorTest *tagged = korCreateSuite<ModelSuite>().TestAt(3);
  ASSERT_EQ(tagged->Metadata().size(), 2u) << "non-metadata is skipped";
  auto *first = dynamic_cast<TagMetadata *>(tagged->Metadata().front());
  auto *second = dynamic_cast<TagMetadata *>(tagged->Metadata().back());
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->tag, "first");
  EXPECT_EQ(second->tag, "second");
  KorCString type;
  EXPECT_STREQ(first->TypeName(type).c_str(), "TagMetadata");

  KorMetadataList copy{nullptr, nullptr, nullptr};
  tagged->CopyMetadata(copy);
  EXPECT_EQ(copy, tagged->Metadata());
  korCreateSuite<ModelSuite>().TestAt(1)->CopyMetadata(copy);
  EXPECT_TRUE(copy.empty()) << "only the end item: the copy is emptied";
}

TEST(TestModel, MetadataListTakesTheFirstItemUnaskedAndStopsAtTheEnd) {
  gMetadataDestroyed = 0;
  KorMetadataList list;
  auto *first = new QuietMetadata;
  auto *kept = new TagMetadata("kept");
  QuietMetadata quiet;
  NotMetadata other;
  TagMetadata after("after the end");
  korBuildMetadataList(
      list, {first, &quiet, &other, kept, new KorEndMetadata, &after});
  EXPECT_EQ(list, (KorMetadataList{first, kept}));
  EXPECT_EQ(gMetadataDestroyed, 0) << "skipped arguments are left alone";
  korDestroyMetadataList(list);
  EXPECT_EQ(gMetadataDestroyed, 2);
  EXPECT_TRUE(list.empty());

  korBuildMetadataList(list, {new KorEndMetadata, &after});
  EXPECT_TRUE(list.empty());
  KorCString type;
  KorEndMetadata end;
  EXPECT_STREQ(end.TypeName(type).c_str(), "KorEndMetadata");
}

TEST(TestModel, EmptySuiteAnswersNothing) {
  EmptyModelSuite &suite = korCreateSuite<EmptyModelSuite>();
  EXPECT_EQ(suite.TestCount(), 0);
  EXPECT_EQ(suite.TestAt(1), nullptr);
  EXPECT_EQ(suite.TestWithNumber(-1), nullptr);
  EXPECT_EQ(nameOf(suite), "Empty Model Suite");
}

TEST(TestModel, SuiteLookupsByPositionAndNumber) {
  gMetadataDestroyed = 0;
  {
    EmptyModelSuite suite;
    auto *a = new ModelSuite::TaggedTest<ModelSuite>;
    auto *b = new ModelSuite::SuiteDataTest<ModelSuite>;
    a->setTestNumber(7);
    b->setTestNumber(7);
    suite.AddTest(a);
    suite.AddTest(b);
    EXPECT_EQ(a->Suite(), &suite);
    EXPECT_EQ(suite.TestAt(0), nullptr);
    EXPECT_EQ(suite.TestAt(2), b);
    EXPECT_EQ(suite.TestAt(3), nullptr);
    EXPECT_EQ(suite.TestWithNumber(7), a) << "first in position order";
    EXPECT_EQ(suite.TestWithNumber(8), nullptr);
  }
  EXPECT_EQ(gMetadataDestroyed, 2)
      << "the suite destroys its tests, each test its metadata";
}
