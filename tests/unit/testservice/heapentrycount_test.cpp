// Unit tests of HeapEntryCount: a kept block of any size changes the count,
// blocks given back (even into the allocator's caches) do not.
#include "testservice/heapentrycount.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {
/// Keeps the compiler from dropping an allocation whose block is unused.
template <class T> void escape(T *block) {
  asm volatile("" : : "g"(block) : "memory");
}

class HeapEntryCountTest : public testing::Test {
protected:
  void SetUp() override {
    if (!HeapEntryCountAvailable())
      GTEST_SKIP() << "this build does not count heap blocks";
  }
};
} // namespace

TEST_F(HeapEntryCountTest, KeptBlockOfAnySizeChangesTheCount) {
  for (size_t size : {size_t{1}, size_t{40}, size_t{5000}, size_t{8} << 20}) {
    int64_t before = HeapEntryCount();
    void *block = std::malloc(size);
    escape(block);
    int64_t during = HeapEntryCount();
    std::free(block);
    int64_t after = HeapEntryCount();
    EXPECT_EQ(during - before, 1) << "size " << size;
    EXPECT_EQ(after, before) << "size " << size;
  }
}

TEST_F(HeapEntryCountTest, BlocksParkedInAllocatorCachesCountAsFreed) {
  int64_t before = HeapEntryCount();
  for (int round = 0; round < 3; ++round) {
    std::vector<void *> blocks;
    blocks.reserve(64);
    for (int i = 0; i < 64; ++i) {
      blocks.push_back(std::malloc(24 + 8 * (i % 5)));
      escape(blocks.back());
    }
    for (void *block : blocks)
      std::free(block);
  }
  EXPECT_EQ(HeapEntryCount(), before);
}

TEST_F(HeapEntryCountTest, EveryAllocationFunctionIsCountedBothWays) {
  int64_t before = HeapEntryCount();
  void *aligned = nullptr;
  ASSERT_EQ(posix_memalign(&aligned, 64, 100), 0);
  void *zeroed = std::calloc(10, 10);
  void *grown = std::realloc(nullptr, 10);
  grown = std::realloc(grown, 100000);
  void *cpp17 = std::aligned_alloc(32, 64);
  auto *object = new std::string(100, 'x');
  escape(aligned), escape(zeroed), escape(grown), escape(cpp17), escape(object);
  int64_t during = HeapEntryCount();
  std::free(aligned);
  std::free(zeroed);
  EXPECT_EQ(std::realloc(grown, 0), nullptr);
  std::free(cpp17);
  delete object;
  int64_t after = HeapEntryCount();
  EXPECT_EQ(during - before, 6); // the string's buffer is a block of its own
  EXPECT_EQ(after, before);
}

TEST_F(HeapEntryCountTest, FreeingAnOlderBlockChangesTheCount) {
  auto older = std::make_unique<int>(7);
  escape(older.get());
  int64_t before = HeapEntryCount();
  older.reset();
  EXPECT_EQ(HeapEntryCount(), before - 1);
}
