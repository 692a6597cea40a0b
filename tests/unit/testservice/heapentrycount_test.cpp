// Unit tests of HeapEntryCount: a kept block of any size, from any
// allocation function, changes the count; blocks given back (even into the
// allocator's caches) do not.
#include "testservice/heapentrycount.h"
#include <cstdlib>
#include <gtest/gtest.h>
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

TEST_F(HeapEntryCountTest, KeptBlocksCountFreedBlocksDoNot) {
  std::vector<void *> blocks(64);
  int64_t before = HeapEntryCount();
  // Any size; many small blocks freed land in the allocator's caches.
  for (size_t size : {size_t{1}, size_t{5000}, size_t{8} << 20}) {
    void *block = std::malloc(size);
    escape(block);
    EXPECT_EQ(HeapEntryCount() - before, 1) << "size " << size;
    std::free(block);
  }
  for (int i = 0; i < 64; ++i)
    escape(blocks[i] = std::malloc(24 + 8 * (i % 5)));
  for (void *block : blocks)
    std::free(block);
  EXPECT_EQ(HeapEntryCount(), before);

  // Every allocation function; the string's buffer is a block of its own.
  void *aligned = nullptr;
  ASSERT_EQ(posix_memalign(&aligned, 64, 100), 0);
  void *zeroed = std::calloc(10, 10);
  void *grown = std::realloc(std::realloc(nullptr, 10), 100000);
  void *cpp17 = std::aligned_alloc(32, 64);
  auto *object = new std::string(100, 'x');
  escape(aligned), escape(zeroed), escape(grown), escape(cpp17), escape(object);
  EXPECT_EQ(HeapEntryCount() - before, 6);
  std::free(aligned);
  std::free(zeroed);
  EXPECT_EQ(std::realloc(grown, 0), nullptr);
  std::free(cpp17);
  delete object;
  EXPECT_EQ(HeapEntryCount(), before);
}
