// Unit tests of BitVector: flat and paged storage, the count cache, the
// resize transitions, searches, combinations and printing.
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binoutput.h"
#include "KorBasicTypes/bitvector.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "component/korassert.h"
#include "tests/unit/support/hostfixture.h"
#include "host/services/memorymanager.h"
#include "KorBasicTypes/nyrmemory.h"
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {
/// Runs a test with a host that offers its memory manager, or one that
/// offers none.
class BitVectorTest : public HostManagerTest,
                      public ::testing::WithParamInterface<bool> {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    nyrForgetHostServices();
    if (withManager()) {
      memory_ = IPtr<HostMemoryManager>(new HostMemoryManager);
      manager_->RegisterService("KorMM::IKorMManager", memory_.get());
    }
  }
  void TearDown() override {
    nyrForgetHostServices();
    HostManagerTest::TearDown();
  }
  bool withManager() const { return GetParam(); }
  uint64_t pagesInUse() const { return memory_ ? memory_->pagesInUse() : 0; }

  IPtr<HostMemoryManager> memory_;
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

/// Binary output into a byte vector.
class MemoryOutput : public BinOutput {
public:
  using BinOutput::read;
  using BinOutput::write;
  size_t write(const void *buffer, size_t n) override {
    auto *bytes = static_cast<const uint8_t *>(buffer);
    bytes_.insert(bytes_.end(), bytes, bytes + n);
    return n;
  }
  size_t read(void *, size_t) override { return 0; }
  int64_t tell() override { return int64_t(bytes_.size()); }
  bool seek(int64_t, bool) override { return false; }
  bool good() override { return true; }
  void close() override {}
  /// Everything written, the buffer included.
  std::vector<uint8_t> bytes() {
    flushBuffer();
    return bytes_;
  }

private:
  std::vector<uint8_t> bytes_;
};

/// Binary input from a byte vector.
class MemoryInput : public BinInput {
public:
  explicit MemoryInput(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  using BinInput::read;
  size_t read(void *buffer, size_t n) override {
    n = std::min(n, bytes_.size() - at_);
    std::copy_n(bytes_.data() + at_, n, static_cast<uint8_t *>(buffer));
    at_ += n;
    return n;
  }
  int64_t tell() override { return int64_t(at_); }
  bool seek(int64_t, bool) override { return false; }
  bool good() override { return true; }
  void close() override {}

private:
  std::vector<uint8_t> bytes_;
  size_t at_ = 0;
};

/// Big-endian bytes of 32-bit values.
std::vector<uint8_t> be32(std::initializer_list<uint32_t> values) {
  std::vector<uint8_t> bytes;
  for (uint32_t v : values)
    for (int shift = 24; shift >= 0; shift -= 8)
      bytes.push_back(uint8_t(v >> shift));
  return bytes;
}

std::vector<uint8_t> written(const BitVector &bits, int32_t version = 0) {
  MemoryOutput out;
  out.setFormatVersion(version);
  EXPECT_TRUE(bits.write(out));
  return out.bytes();
}
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

TEST(BitVector, DenseFormIsEveryWordAfterTheHeader) {
  BitVector bits(40);
  bits.set(1);
  bits.set(33);
  bits.clearRange(40, 40); // count unknown: written as all bits set
  EXPECT_EQ(written(bits),
            be32({BitVector::kTag, 2, 63, 0, 0xFFFFFFFF, 0x2, 0x2}));
  MemoryInput in(written(bits));
  BitVector back(in);
  EXPECT_TRUE(back == bits);
  EXPECT_EQ(back.maxIndex(), 63u);
  EXPECT_EQ(back.cachedCount(), BitVector::kUnknownCount);
}

TEST(BitVector, SparseFormListsSetIndicesForThinVectors) {
  BitVector bits(100 * 32 - 1);
  bits.set(5);
  bits.set(3000);
  EXPECT_EQ(written(bits), be32({BitVector::kTag, 100, 3199, 1, 2, 5, 3000}));
  EXPECT_EQ(written(bits, 13), written(bits));
  EXPECT_EQ(written(bits, 12).size(), 20u + 400u) << "dense before version 13";
  MemoryInput in(written(bits));
  BitVector back;
  ASSERT_TRUE(back.read(in));
  EXPECT_EQ(back.maxIndex(), 3199u);
  EXPECT_EQ(back.cachedCount(), 2u);
  EXPECT_EQ(setIndices(back), (std::vector<int32_t>{5, 3000}));
}

TEST(BitVector, ReadChecksTheTagIdAndKeepsTheTagRead) {
  BitVector bits(10);
  bits.set(3);
  MemoryInput wrong(be32({0x12345600, 1, 31, 0, 0, 0}));
  EXPECT_FALSE(bits.read(wrong));
  EXPECT_EQ(wrong.tell(), 4);
  EXPECT_TRUE(bits.test(3)) << "nothing else changed";
  EXPECT_EQ(bits.tag(), 0x12345600u);

  uint32_t otherVersion = (BitVector::kTag & ~0xFFu) | 0x01;
  MemoryInput older(be32({otherVersion, 1, 31, 0, 0, 0x80000000u}));
  ASSERT_TRUE(bits.read(older));
  EXPECT_EQ(setIndices(bits), std::vector<int32_t>{31});
  EXPECT_EQ(written(bits)[3], 0x01) << "the tag read is written back";
}

TEST(BitVector, ReadingSurvivesDamagedHeadersAndData) {
  BitVector bits;
  // Empty header values and a word count beyond the index space.
  for (auto header : {std::initializer_list<uint32_t>{BitVector::kTag, 0, 31, 0, 0},
                      {BitVector::kTag, 1, 0, 0, 0},
                      {BitVector::kTag, 1, 0xFFFFFFFF, 0, 0},
                      {BitVector::kTag, 0x08000001, 31, 0, 0}}) {
    MemoryInput in(be32(header));
    ASSERT_TRUE(bits.read(in));
    EXPECT_EQ(bits.maxIndex(), 31u);
    EXPECT_EQ(bits.cachedCount(), 0u);
  }
  // The whole index space declared, three words delivered.
  MemoryInput shortDense(be32({BitVector::kTag, 0x08000000, 0xFFFFFFFE, 0, 0, 1, 2, 4}));
  ASSERT_TRUE(bits.read(shortDense));
  EXPECT_LE(bits.wordCount(), 16384u);
  EXPECT_EQ(setIndices(bits), (std::vector<int32_t>{0, 33, 66}));
  // A huge index count with two indices, one of them negative.
  MemoryInput shortSparse(
      be32({BitVector::kTag, 2, 63, 1, 0xFFFFFFFF, 0xFFFFFFF0, 40}));
  ASSERT_TRUE(bits.read(shortSparse));
  EXPECT_EQ(setIndices(bits), std::vector<int32_t>{40});
  // An index beyond the declared vector grows it.
  MemoryInput beyond(be32({BitVector::kTag, 2, 63, 1, 1, 1000}));
  ASSERT_TRUE(bits.read(beyond));
  EXPECT_TRUE(bits.test(1000));
  EXPECT_EQ(bits.count(), 1u);
}

TEST(BitVector, StreamEndingInTheTagOrHeaderLeavesTheVectorAsItWas) {
  BitVector source(63);
  source.set(62);
  std::vector<uint8_t> full = written(source);
  for (size_t length = 0; length < 20; ++length) { // tag and header: 20 bytes
    SCOPED_TRACE(length);
    BitVector bits(10);
    bits.set(3);
    MemoryInput in(std::vector<uint8_t>(full.begin(), full.begin() + length));
    EXPECT_FALSE(bits.read(in));
    EXPECT_EQ(bits.tag(), BitVector::kTag);
    EXPECT_EQ(setIndices(bits), std::vector<int32_t>{3});
    MemoryInput again(written(bits));
    BitVector back;
    ASSERT_TRUE(back.read(again)) << "what it writes reads back";
    EXPECT_TRUE(back == bits);
  }
}

TEST_P(BitVectorTest, BothFormsRoundTripLargeVectors) {
  BitVector thin(kPagedBits * 4), thick(kPagedBits * 2);
  thin.set(3);
  thin.set(kPagedBits * 3 + 7);
  for (uint32_t i = 0; i < kPagedBits * 2; i += 3)
    thick.set(i);
  for (BitVector *bits : {&thin, &thick}) {
    MemoryInput in(written(*bits));
    BitVector back(in);
    EXPECT_EQ(back.isPaged(), withManager());
    EXPECT_EQ(back.maxIndex(), bits->maxIndex());
    EXPECT_TRUE(back == *bits);
    EXPECT_EQ(back.count(), bits->count());
  }
  EXPECT_EQ(written(thin).size(), 28u) << "two indices";
  if (withManager()) { // thin: two pages touched, thick: all four
    EXPECT_EQ(pagesInUse(), 6u) << "pages of the vectors read are given back";
  }
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
