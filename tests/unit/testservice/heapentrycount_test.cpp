// Unit tests of HeapEntryCount: a kept block from any allocation function
// changes the count; blocks given back do not. That plain malloc and free
// are counted is checked by the end-to-end memory-check run.
#include "testservice/heapentrycount.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {
/// Keeps the compiler from dropping an allocation whose block is unused.
template <class T> void escape(T *block) {
  asm volatile("" : : "g"(block) : "memory");
}
} // namespace

TEST(HeapEntryCount, EveryAllocationFunctionCountsItsKeptBlock) {
  if (!HeapEntryCountAvailable())
    GTEST_SKIP() << "this build does not count heap blocks";
  int64_t before = HeapEntryCount();
  // The string's buffer is a block of its own.
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
