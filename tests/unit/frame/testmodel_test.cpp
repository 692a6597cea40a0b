// Unit tests of the test model: suites, declared tests, metadata lists.
#include "frame/kortestdecl.h"
#include "testservice/genteststatus.h"
#include <gtest/gtest.h>
#include <string>

namespace {
int gMetadataDestroyed = 0;

class TagMetadata : public KorMetadataBase {
public:
  KOR_CLASS_DERIVED(TagMetadata, KorMetadataBase)
  explicit TagMetadata(std::string tag) : tag(std::move(tag)) {}
  ~TagMetadata() override { ++gMetadataDestroyed; }
  std::string tag;
};

class NotMetadata : public
                    IKorUnknown{public : KOR_CLASS(NotMetadata)} gNotMetadata;

/// A metadata item that answers no interface query.
class QuietMetadata : public TagMetadata {
public:
  QuietMetadata() : TagMetadata("quiet") {}
  void QueryInterface(const char *, void **result, int = 0) override {
    *result = nullptr;
  }
};

class ModelSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(ModelSuite, "Model Suite")
  static constexpr int kDataTestLine = __LINE__ + 1;
  KOR_TEST(SuiteDataTest, "Suite data test", "METATESTING") {}
  KOR_TEST_DISABLED(DisabledTest, "Disabled test", "METATESTING,ASSERT",
                    "Designed to fail") {}
  KOR_TEST_FULL(TaggedTest, "Tagged test", "TAGS", true, "",
                new TagMetadata("first"), &gNotMetadata,
                new TagMetadata("second")) {}
};

class EmptyModelSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(EmptyModelSuite, "Empty Model Suite")
};

const char *categoriesOf(IKorTest *test) {
  return dynamic_cast<KorTestBase *>(test)->Categories();
}
} // namespace

TEST(TestModel, SuiteCreatesItsDeclaredTestsOnceInOrder) {
  uint32_t registered = korTestRegistry().count();
  ModelSuite &suite = korCreateSuite<ModelSuite>();
  EXPECT_EQ(&korCreateSuite<ModelSuite>(), &suite);
  ASSERT_EQ(suite.TestCount(), 3) << "a second call creates nothing";
  EXPECT_EQ(korTestRegistry().count(), registered + 3);
  KorCString text;
  EXPECT_STREQ(suite.Name(text).c_str(), "Model Suite");

  // The listing (tests/e2e) shows descriptions, reasons, files and lines.
  IKorTest *data = suite.TestAt(1), *disabled = suite.TestAt(2);
  EXPECT_EQ(korTestRegistry()[registered + 1], data);
  EXPECT_EQ(data->Suite(), &suite);
  EXPECT_EQ(data->DeclarationLine(), ModelSuite::kDataTestLine);
  EXPECT_STREQ(categoriesOf(data), "METATESTING");
  EXPECT_FALSE(disabled->Enabled());
  EXPECT_STREQ(categoriesOf(disabled), "METATESTING,ASSERT");
}

TEST(TestModel, TestKeepsItsMetadataItemsAndCopiesThem) {
  IKorTest *tagged = korCreateSuite<ModelSuite>().TestAt(3);
  ASSERT_EQ(tagged->Metadata().size(), 2u) << "non-metadata is skipped";
  auto *first = dynamic_cast<TagMetadata *>(tagged->Metadata().front());
  auto *second = dynamic_cast<TagMetadata *>(tagged->Metadata().back());
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->tag + second->tag, "firstsecond");
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
}

TEST(TestModel, SuiteLooksUpByPositionAndNumberAndOwnsItsTests) {
  gMetadataDestroyed = 0;
  {
    EmptyModelSuite suite;
    auto *a = new ModelSuite::TaggedTest<ModelSuite>;
    auto *b = new ModelSuite::SuiteDataTest<ModelSuite>;
    a->setTestNumber(7);
    b->setTestNumber(7);
    suite.AddTest(a);
    suite.AddTest(b);
    EXPECT_EQ(suite.TestAt(0), nullptr);
    EXPECT_EQ(suite.TestAt(2), b);
    EXPECT_EQ(suite.TestAt(3), nullptr);
    EXPECT_EQ(suite.TestWithNumber(7), a) << "first in position order";
    EXPECT_EQ(suite.TestWithNumber(8), nullptr);
  }
  EXPECT_EQ(gMetadataDestroyed, 2)
      << "the suite destroys its tests, each test its metadata";
}
