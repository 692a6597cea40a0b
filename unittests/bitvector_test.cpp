// Unit tests of BitVector: flat and paged storage, the count cache, the
// resize transitions, searches, combinations and printing.
#include "bitvector.h"
#include "hostoptions.h"
#include "hostservices.h"
#include "korassert.h"
#include "memorymanager.h"
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {
/// Runs a test with the host memory manager installed or with none.
class BitVectorTest : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    if (withManager())
      manager_ = IPtr<HostMemoryManager>(new HostMemoryManager);
    KorMM::setHostManager(manager_.get());
  }
  void TearDown() override { KorMM::setHostManager(nullptr); }
  bool withManager() const { return GetParam(); }
  uint64_t pagesInUse() const { return manager_ ? manager_->pagesInUse() : 0; }

  IPtr<HostMemoryManager> manager_;
};

/// Every set index, ascending, through nextSet.
std::vector<int32_t> setIndices(const BitVector &bits) {
  std::vector<int32_t> indices;
  for (int32_t i = bits.nextSet(BitVector::kStart); i >= 0;
       i = bits.nextSet(uint32_t(i)))
    indices.push_back(i);
  return indices;
}

/// Collects assertion reports while alive.
struct AssertRecorder {
  AssertRecorder() { korSetAssertHook(&hook, this); }
  ~AssertRecorder() { korSetAssertHook(nullptr, nullptr); }
  static void hook(void *context, const char *text, const char *file, int) {
    static_cast<AssertRecorder *>(context)->reports.push_back(
        std::string(file) + ": " + text);
  }
  std::vector<std::string> reports;
};

constexpr uint32_t kPagedBits = BitVector::kPagedWords * 32;
} // namespace

INSTANTIATE_TEST_SUITE_P(Manager, BitVectorTest, ::testing::Bool(),
                         [](const auto &info) {
                           return info.param ? "Paged" : "FlatOnly";
                         });

TEST(BitVector, SmallVectorsGrowByDoubling) {
  BitVector bits(10);
  EXPECT_EQ(bits.maxIndex(), 31u);
  EXPECT_EQ(BitVector().maxIndex(), 31u);
  EXPECT_EQ(BitVector(32).maxIndex(), 63u);
  EXPECT_FALSE(bits.test(31));
  EXPECT_FALSE(bits.test(32));
  bits.set(32);
  EXPECT_EQ(bits.maxIndex(), 63u);
  EXPECT_TRUE(bits.test(32));
  bits.set(100); // 63 doubles to 126, room for index 127
  EXPECT_EQ(bits.maxIndex(), 127u);
  EXPECT_EQ(bits.count(), 2u);
}

TEST(BitVector, CountCacheFollowsSetAndClear) {
  BitVector bits(64);
  bits.set(3);
  bits.set(3);
  bits.set(70);
  EXPECT_EQ(bits.cachedCount(), 2u);
  bits.clear(4);
  bits.clear(1000);
  EXPECT_EQ(bits.cachedCount(), 2u);
  bits.clear(3);
  EXPECT_EQ(bits.cachedCount(), 1u);
  EXPECT_FALSE(bits.test(3));
}

TEST(BitVector, ClearRangeCutsToTheVectorAndForgetsTheCount) {
  BitVector one(10);
  for (uint32_t i = 0; i < 32; ++i)
    one.set(i);
  EXPECT_TRUE(one.clearRange(5, 1000));
  EXPECT_EQ(one.cachedCount(), BitVector::kUnknownCount);
  EXPECT_EQ(one.count(), 5u);
  EXPECT_EQ(one.cachedCount(), 5u);
  EXPECT_FALSE(one.clearRange(32, 40));

  BitVector many(200);
  for (uint32_t i = 0; i <= 200; ++i)
    many.set(i);
  many.clearRange(33, 100);
  EXPECT_TRUE(many.test(32));
  EXPECT_FALSE(many.test(33));
  EXPECT_FALSE(many.test(100));
  EXPECT_TRUE(many.test(101));
  EXPECT_EQ(many.count(), 201u - 68u);
}

TEST(BitVector, EqualityIgnoresLengthButNotExtraBits) {
  BitVector shortOne(10), longOne(1000);
  shortOne.set(5);
  longOne.set(5);
  EXPECT_TRUE(shortOne == longOne);
  EXPECT_TRUE(longOne == shortOne);
  longOne.clearRange(6, 6); // count unknown: compared word by word
  longOne.set(900);
  EXPECT_FALSE(shortOne == longOne);
  EXPECT_FALSE(longOne == shortOne);
  BitVector other(10);
  other.set(6);
  EXPECT_FALSE(shortOne == other);
}

TEST(BitVector, SearchesStartAfterTheIndexAndStayInside) {
  BitVector bits(63);
  EXPECT_EQ(bits.nextSet(BitVector::kStart), -1);
  EXPECT_EQ(bits.nextClear(BitVector::kStart), 0);
  bits.set(0);
  bits.set(40);
  EXPECT_EQ(bits.nextSet(BitVector::kStart), 0);
  EXPECT_EQ(bits.nextSet(0), 40);
  EXPECT_EQ(bits.nextSet(40), -1);
  EXPECT_EQ(bits.nextSet(64), -1);
  EXPECT_EQ(bits.nextClear(BitVector::kStart), 1);
  EXPECT_EQ(bits.nextClear(39), 41);
  for (uint32_t i = 0; i < 64; ++i)
    bits.set(i);
  EXPECT_EQ(bits.nextClear(10), -1) << "bits above maxIndex are not reported";
}

TEST(BitVector, PrintsEightIndicesToALine) {
  BitVector bits(10);
  for (uint32_t i = 0; i < 10; ++i)
    bits.set(i);
  std::ostringstream out;
  out << bits;
  EXPECT_EQ(out.str(), "numSet=10\n0 1 2 3 4 5 6 7 \n8 9 \n");
  std::ostringstream empty;
  BitVector().print(empty);
  EXPECT_EQ(empty.str(), "numSet=0\n\n");
}

TEST(BitVector, IntersectAndGrowToFit) {
  BitVector a(100), b(40);
  for (uint32_t i : {1u, 5u, 39u, 90u})
    a.set(i);
  for (uint32_t i : {5u, 39u, 41u})
    b.set(i);
  a.intersect(b);
  EXPECT_EQ(a.cachedCount(), BitVector::kUnknownCount);
  EXPECT_EQ(setIndices(a), (std::vector<int32_t>{5, 39}));
  BitVector none(10);
  a.intersect(none);
  EXPECT_EQ(a.count(), 0u);

  BitVector small(10), big(5000);
  big.set(3000);
  small.growToFit(big);
  // Room for the word of bit 3000 (index 3007), reached by doubling 31.
  EXPECT_EQ(small.maxIndex(), 3999u);
  big.clear(3000);
  BitVector tiny(10);
  tiny.growToFit(big);
  EXPECT_EQ(tiny.maxIndex(), 31u);
}

TEST(BitVector, MovedFromVectorReportsMissingStorage) {
  BitVector source(100);
  source.set(7);
  BitVector target(std::move(source));
  EXPECT_TRUE(target.test(7));
  EXPECT_EQ(target.tag(), BitVector::kTag);
  AssertRecorder asserts;
  EXPECT_FALSE(source.test(7));
  source.set(3);
  EXPECT_EQ(source.nextSet(BitVector::kStart), -1);
  ASSERT_EQ(asserts.reports.size(), 3u);
  EXPECT_EQ(asserts.reports[0],
            "KorBasicTypes/bitvector: bvwords_ || bvwordsLarge_");
  source = target;
  EXPECT_TRUE(source.test(7)) << "assignment gives it storage again";
}

TEST_P(BitVectorTest, LargeVectorsArePagedWhenAManagerIsAvailable) {
  BitVector bits(10'000'000);
  EXPECT_EQ(bits.isPaged(), withManager());
  EXPECT_EQ(bits.maxIndex(), (10'000'000u / 32 + 1) * 32 - 1);
  EXPECT_EQ(pagesInUse(), 0u) << "pages come on first write";
  bits.set(5'000'000);
  bits.set(9'999'999);
  EXPECT_EQ(pagesInUse(), withManager() ? 2u : 0u);
  EXPECT_FALSE(bits.test(4'999'999));
  EXPECT_EQ(bits.nextSet(BitVector::kStart), 5'000'000);
  EXPECT_EQ(bits.nextSet(5'000'000), 9'999'999);
  EXPECT_EQ(bits.nextClear(BitVector::kStart), 0);
  bits.clearRange(0, 0xFFFFFFFF);
  EXPECT_EQ(bits.count(), 0u);
  bits.set(1);
  bits.clearAll();
  EXPECT_EQ(setIndices(bits), std::vector<int32_t>{});
  EXPECT_EQ(pagesInUse(), 0u);
}

TEST_P(BitVectorTest, ResizeMovesBetweenFlatAndPagedKeepingBits) {
  BitVector bits(100);
  bits.set(7);
  bits.set(kPagedBits + 10); // beyond 4096 words
  EXPECT_EQ(bits.isPaged(), withManager());
  if (withManager()) // 127 doubled up to 260096
    EXPECT_EQ(bits.wordCount(), 8129u) << "capacity by doubling";
  else
    EXPECT_EQ(bits.wordCount(), BitVector::kPagedWords + 1) << "exactly";
  bits.set(50'000);
  bits.set(200'000);
  bits.resize(100'000); // shrinking drops bit 200000
  EXPECT_EQ(bits.isPaged(), withManager());
  EXPECT_EQ(bits.maxIndex(), 100'031u);
  EXPECT_EQ(bits.cachedCount(), BitVector::kUnknownCount);
  EXPECT_EQ(bits.count(), 2u);
  bits.resize(300'000); // grows again with zeros
  EXPECT_FALSE(bits.test(200'000));
  bits.resize(1535 * 32 - 1); // back to flat
  EXPECT_FALSE(bits.isPaged());
  EXPECT_EQ(bits.wordCount(), 1535u);
  EXPECT_EQ(setIndices(bits), std::vector<int32_t>{7});
  bits.resize(5);
  EXPECT_EQ(bits.maxIndex(), 31u);
}

TEST_P(BitVectorTest, AssignmentAndCopyFollowTheSourceRepresentation) {
  BitVector flat(100), paged(kPagedBits * 2);
  flat.set(70);
  paged.set(kPagedBits + 1);
  BitVector longer(1000);
  longer.set(999);
  longer = flat;
  EXPECT_EQ(longer.maxIndex(), 1023u) << "the longer block stays";
  EXPECT_EQ(setIndices(longer), std::vector<int32_t>{70});
  EXPECT_EQ(longer.count(), 1u);
  BitVector shorter(10);
  shorter = flat;
  EXPECT_EQ(shorter.maxIndex(), flat.maxIndex());

  BitVector target(10);
  target = paged;
  EXPECT_EQ(target.isPaged(), withManager());
  EXPECT_EQ(target.maxIndex(), paged.maxIndex());
  EXPECT_TRUE(target == paged);
  target = flat;
  EXPECT_FALSE(target.isPaged());
  // A paged target takes the flat source's length; a long flat one keeps its own.
  EXPECT_EQ(target.maxIndex(),
            withManager() ? flat.maxIndex() : paged.maxIndex());
  EXPECT_TRUE(target == flat);
  BitVector copy(paged);
  EXPECT_EQ(copy.isPaged(), paged.isPaged());
  copy.clear(kPagedBits + 1);
  EXPECT_TRUE(paged.test(kPagedBits + 1)) << "copies share no pages";
}

TEST_P(BitVectorTest, RandomOperationsMatchAPlainBitArray) {
  std::mt19937 random(12345);
  BitVector bits(50);
  std::vector<bool> model(64);
  auto grow = [&](size_t highest) {
    if (model.size() <= highest)
      model.resize(highest + 1);
  };
  bool sawPaged = false, sawFlatAgain = false;
  for (int round = 0; round < 4000; ++round) {
    sawFlatAgain |= sawPaged && !bits.isPaged();
    sawPaged |= bits.isPaged();
    uint32_t limit = round < 2000 ? 400'000 : 3000;
    uint32_t i = random() % limit;
    switch (random() % 6) {
    case 0:
    case 1:
      bits.set(i);
      grow(i);
      model[i] = true;
      break;
    case 2:
      bits.clear(i);
      if (i < model.size())
        model[i] = false;
      break;
    case 3: {
      uint32_t last = i + random() % 5000;
      if (bits.clearRange(i, last))
        for (size_t k = i; k <= last && k < model.size(); ++k)
          model[k] = false;
      break;
    }
    case 4:
      bits.resize(i);
      if (model.size() > size_t(bits.maxIndex()) + 1)
        model.resize(size_t(bits.maxIndex()) + 1);
      break;
    case 5:
      EXPECT_EQ(bits.test(i), i < model.size() && model[i]) << i;
      break;
    }
  }
  std::vector<int32_t> expected;
  for (size_t k = 0; k < model.size(); ++k)
    if (model[k])
      expected.push_back(int32_t(k));
  EXPECT_EQ(setIndices(bits), expected);
  EXPECT_EQ(bits.count(), expected.size());
  EXPECT_EQ(sawPaged, withManager());
  EXPECT_EQ(sawFlatAgain, withManager());
}

TEST(HostMemoryManager, IsOfferedByTheHostWithProcessFigures) {
  IKorUnknown *service = nullptr;
  for (const HostServiceEntry &entry : hostServiceTable())
    if (entry.name == "KorMM::IKorMManager")
      service = entry.make(HostOptions{});
  ASSERT_NE(service, nullptr);
  IPtr<KorMM::IKorMManager> manager;
  manager.fromQuery(service);
  ASSERT_TRUE(manager);
  EXPECT_TRUE(manager->IsAvailable());
  EXPECT_FALSE(manager->ReleaseMemory());
  EXPECT_GT(manager->CoreLimit(), 0u);
  EXPECT_GT(manager->CoreNow(), 0u);
  void *page = manager->AllocPage(8192);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(static_cast<char *>(page)[8191], 0);
  manager->FreePage(page, 8192);
}
