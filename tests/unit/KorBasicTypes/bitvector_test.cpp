// Unit tests of BitVector against a plain bit array, in flat and paged
// storage, and its binary form.
#include "KorBasicTypes/bitvector.h"
#include "host/services/memorymanager.h"
#include "tests/unit/support/binio_testutil.h"
#include "tests/unit/support/memoryhost.h"
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>

namespace {
using Indices = std::vector<int32_t>;

/// Runs a test with a host that offers its memory manager, or one that
/// offers none.
class BitVectorTest : public ::testing::TestWithParam<bool> {
protected:
  BitVectorTest() {
    if (withManager())
      memory_ = host_.offer("KorMM::IKorMManager", new HostMemoryManager);
  }
  bool withManager() const { return GetParam(); }
  uint64_t pagesInUse() const { return memory_ ? memory_->pagesInUse() : 0; }

  ScopedMemoryHost host_;
  HostMemoryManager *memory_ = nullptr;
};

/// Every set index, ascending, through nextSet.
Indices setIndices(const BitVector &bits) {
  Indices indices;
  for (int32_t i = bits.nextSet(BitVector::kStart); i >= 0;
       i = bits.nextSet(uint32_t(i)))
    indices.push_back(i);
  return indices;
}

Bytes written(const BitVector &bits, int32_t version = 0) {
  MemoryOutput out;
  out.setFormatVersion(version);
  EXPECT_TRUE(bits.write(out));
  return out.flushed();
}

constexpr uint32_t kPagedBits = BitVector::kPagedWords * 32;
} // namespace

INSTANTIATE_TEST_SUITE_P(Manager, BitVectorTest, ::testing::Bool(),
                         [](const auto &info) {
                           return info.param ? "Paged" : "FlatOnly";
                         });

TEST_P(BitVectorTest, RandomOperationsMatchAPlainSetOfIndices) {
  std::mt19937 random(12345);
  BitVector bits(50), other(3000);
  std::set<uint32_t> on, otherOn;
  bool sawPaged = false, sawFlatAgain = false;
  for (int round = 0; round < 4000; ++round) {
    sawFlatAgain |= sawPaged && !bits.isPaged();
    sawPaged |= bits.isPaged();
    uint32_t i = random() % (round < 2000 ? 400'000 : 3000);
    uint64_t size = uint64_t(bits.maxIndex()) + 1;
    switch (random() % 8) {
    case 0:
    case 1:
      bits.set(i);
      on.insert(i);
      break;
    case 2:
      bits.clear(i);
      on.erase(i);
      break;
    case 3: {
      uint32_t last = i + random() % 5000;
      if (bits.clearRange(i, last))
        on.erase(on.lower_bound(i), on.upper_bound(last));
      break;
    }
    case 4:
      bits.resize(i);
      on.erase(on.upper_bound(bits.maxIndex()), on.end());
      break;
    case 5: { // searches start after the index and stay inside the vector
      auto set = on.upper_bound(i);
      uint64_t clear = uint64_t(i) + 1;
      while (clear < size && on.count(uint32_t(clear)))
        ++clear;
      ASSERT_EQ(bits.nextSet(i), set == on.end() ? -1 : int32_t(*set)) << i;
      ASSERT_EQ(bits.nextClear(i), clear < size ? int32_t(clear) : -1) << i;
      break;
    }
    case 6:
      ASSERT_EQ(bits.test(i), on.count(i) == 1) << i;
      break;
    case 7:
      if (otherOn.erase(i % 3000))
        other.clear(i % 3000);
      else
        other.set(*otherOn.insert(i % 3000).first);
      break;
    }
    ASSERT_TRUE(bits.cachedCount() == BitVector::kUnknownCount ||
                bits.cachedCount() == on.size());
  }
  EXPECT_EQ(setIndices(bits), Indices(on.begin(), on.end()));
  EXPECT_EQ(bits.count(), on.size());
  EXPECT_TRUE(sawPaged == withManager() && sawFlatAgain == withManager());
  std::erase_if(otherOn, [&](uint32_t k) { return !on.count(k); });
  EXPECT_EQ(setIndices(BitVector(bits).intersect(other)),
            Indices(otherOn.begin(), otherOn.end()));
  EXPECT_EQ(BitVector(bits).intersect(BitVector(10)).count(), 0u);
  BitVector small(10);
  small.growToFit(bits);
  EXPECT_GE(small.maxIndex(), *on.rbegin());
}

TEST(BitVector, EqualityPrintingAndMovedFromVectors) {
  BitVector shortOne(10), longOne(1000), other(10);
  shortOne.set(5);
  longOne.set(5);
  other.set(6);
  EXPECT_TRUE(shortOne == longOne && longOne == shortOne && !(shortOne == other));
  longOne.clearRange(6, 6); // count unknown: compared word by word
  longOne.set(900);
  EXPECT_FALSE(shortOne == longOne || longOne == shortOne);
  BitVector ten(10);
  for (uint32_t i = 0; i < 10; ++i)
    ten.set(i);
  std::ostringstream out;
  out << ten;
  BitVector().print(out);
  EXPECT_EQ(out.str(), "numSet=10\n0 1 2 3 4 5 6 7 \n8 9 \nnumSet=0\n\n");

  BitVector target(std::move(ten));
  AssertRecorder asserts;
  EXPECT_FALSE(ten.test(7));
  EXPECT_TRUE(asserts.reports.size() == 1 &&
              asserts.reports[0].ends_with(": bvwords_ || bvwordsLarge_"));
  ten = target;
  EXPECT_TRUE(ten.test(7)) << "assignment gives it storage again";
}

TEST_P(BitVectorTest, LargeVectorsArePagedWhenAManagerIsAvailable) {
  BitVector thin(kPagedBits * 4), thick(kPagedBits * 2);
  EXPECT_EQ(thin.isPaged(), withManager());
  thin.set(3);
  thin.set(kPagedBits * 3 + 7);
  EXPECT_EQ(pagesInUse(), withManager() ? 2u : 0u);
  for (uint32_t i = 0; i < kPagedBits * 2; i += 3)
    thick.set(i);
  for (BitVector *bits : {&thin, &thick}) {
    MemoryInput in(written(*bits));
    BitVector back(in);
    EXPECT_TRUE(back == *bits && back.maxIndex() == bits->maxIndex() &&
                back.count() == bits->count() && back.isPaged() == withManager());
  }
  EXPECT_EQ(written(thin).size(), 28u) << "two indices";
  // Thin: two pages touched, thick: all four; those read are given back.
  EXPECT_EQ(pagesInUse(), withManager() ? 6u : 0u);
  thin.clearRange(0, 0xFFFFFFFF);
  EXPECT_EQ(thin.count(), 0u);
  thin.set(1);
  thin.clearAll();
  thick.clearAll();
  EXPECT_TRUE(setIndices(thick).empty() && pagesInUse() == 0);
}

TEST_P(BitVectorTest, AssignmentAndCopyFollowTheSourceRepresentation) {
  BitVector flat(100), paged(kPagedBits * 2), longer(1000), target(10);
  flat.set(70);
  paged.set(kPagedBits + 1);
  longer.set(999);
  longer = flat;
  EXPECT_EQ(setIndices(longer), Indices{70}) << "a longer block is cleared";
  target = paged;
  EXPECT_TRUE(target == paged && target.isPaged() == withManager());
  target = flat;
  EXPECT_TRUE(target == flat && !target.isPaged());
  BitVector copy(paged);
  copy.clear(kPagedBits + 1);
  EXPECT_TRUE(paged.test(kPagedBits + 1)) << "copies share no pages";
}

TEST(BitVector, DenseAndSparseFormsAreTheWordsOrTheSetIndices) {
  BitVector dense(40), sparse(100 * 32 - 1);
  dense.set(1);
  dense.set(33);
  dense.clearRange(40, 40); // count unknown: written as all bits set
  sparse.set(5);
  sparse.set(3000);
  EXPECT_EQ(written(dense), bigEndian({BitVector::kTag, 2, 63, 0, 0xFFFFFFFF,
                                       0x2, 0x2}));
  EXPECT_EQ(written(sparse), bigEndian({BitVector::kTag, 100, 3199, 1, 2, 5, 3000}));
  EXPECT_EQ(written(sparse, 13), written(sparse));
  EXPECT_EQ(written(sparse, 12).size(), 20u + 400u) << "dense before version 13";
  for (const BitVector *bits : {&dense, &sparse}) {
    MemoryInput in(written(*bits));
    BitVector back(in);
    EXPECT_TRUE(back == *bits && back.maxIndex() == bits->maxIndex() &&
                back.cachedCount() == bits->cachedCount());
  }
  // Another version of the tag reads, and is written back as read.
  uint32_t otherVersion = (BitVector::kTag & ~0xFFu) | 0x01;
  MemoryInput older(bigEndian({otherVersion, 1, 31, 0, 0, 0x80000000u}));
  ASSERT_TRUE(dense.read(older));
  EXPECT_EQ(setIndices(dense), Indices{31});
  EXPECT_EQ(written(dense)[3], 0x01);
}

TEST(BitVector, ReadingSurvivesDamagedHeadersAndData) {
  const uint32_t tag = BitVector::kTag;
  struct Case {
    Bytes bytes;
    uint32_t maxIndex; ///< 0: as far as the data reached
    Indices set;
  } cases[] = {
      // Empty header values and a word count beyond the index space.
      {bigEndian({tag, 0, 31, 0, 0}), 31, {}},
      {bigEndian({tag, 1, 0xFFFFFFFF, 0, 0}), 31, {}},
      {bigEndian({tag, 0x08000001, 31, 0, 0}), 31, {}},
      // The whole index space declared, three words delivered.
      {bigEndian({tag, 0x08000000, 0xFFFFFFFE, 0, 0, 1, 2, 4}), 0, {0, 33, 66}},
      // A huge index count with two indices, one of them negative.
      {bigEndian({tag, 2, 63, 1, 0xFFFFFFFF, 0xFFFFFFF0, 40}), 63, {40}},
      // An index beyond the declared vector grows it.
      {bigEndian({tag, 2, 63, 1, 1, 1000}), 1023, {1000}},
  };
  for (const Case &c : cases) {
    BitVector bits;
    MemoryInput in(c.bytes);
    ASSERT_TRUE(bits.read(in));
    EXPECT_EQ(bits.maxIndex(), c.maxIndex ? c.maxIndex : bits.maxIndex());
    EXPECT_EQ(setIndices(bits), c.set);
    EXPECT_LE(bits.wordCount(), 16384u) << "nothing allocated up front";
  }
  // A wrong tag, or a stream ending in the tag or header, leaves the
  // vector as it was (the wrong tag is kept).
  Bytes full = written(BitVector(63));
  for (size_t length = 0; length <= 20; ++length) {
    BitVector bits(10);
    bits.set(3);
    MemoryInput in(length < 20 ? Bytes(full.begin(), full.begin() + length)
                               : bigEndian({0x12345600, 1, 31, 0, 0, 0}));
    EXPECT_FALSE(bits.read(in)) << length;
    EXPECT_EQ(bits.tag(), length < 20 ? BitVector::kTag : 0x12345600u);
    EXPECT_EQ(setIndices(bits), Indices{3});
  }
}
