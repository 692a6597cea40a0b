// Unit tests of the test model: suites, declared tests, metadata lists.
// Names, states, reasons, files and lines of declared tests are checked by
// the listings of the end-to-end tests.
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

class ModelSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(ModelSuite, "Model Suite")
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
} // namespace

TEST(TestModel, SuiteCreatesItsDeclaredTestsOnceInOrder) {
  uint32_t registered = korTestRegistry().count();
  ModelSuite &suite = korCreateSuite<ModelSuite>();
  EXPECT_EQ(&korCreateSuite<ModelSuite>(), &suite);
  ASSERT_EQ(suite.TestCount(), 3) << "a second call creates nothing";
  ASSERT_EQ(korTestRegistry().count(), registered + 3);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(korTestRegistry()[registered + i], suite.TestAt(i));
    EXPECT_EQ(suite.TestAt(i)->Suite(), &suite);
  }
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
