// Unit tests of the bucket memory pool: size classes, LIFO reuse, enabling,
// purge, table exchange, the fallback pool and the hand-over to the host's.
#include "KorBasicTypes/bucketpool.h"
#include "component/iptr.h"
#include "tests/unit/support/memoryhost.h"
#include "KorBasicTypes/nyrrealloc.h"
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

namespace {
class BucketPoolTest : public testing::Test {
protected:
  void SetUp() override { bucketPoolShutdown(); }
  void TearDown() override { bucketPoolShutdown(); }

  /// A default pool that is current while the test holds it.
  static IPtr<BucketMemoryPool> defaultPool() {
    return IPtr<BucketMemoryPool>(bucketPoolCreate(
        kBucketGranularity, kBucketLinearLimit, kBucketMaximum));
  }
};

} // namespace

TEST_F(BucketPoolTest, SizeClassesAndLastInFirstOutReuseUnlessDisabled) {
  auto pool = defaultPool();
  const std::pair<int, uint32_t> cases[] = {
      {1, 4}, {5, 8}, {8193, 16384}, {262144, 262144},
      {262145, 262145}}; // beyond the maximum: the size itself, never cached
  for (auto [size, expected] : cases) {
    uint32_t actual = 0;
    void *block = pool->allocate(size, &actual);
    EXPECT_EQ(actual, expected) << size;
    std::memset(block, 0xAB, actual);
    EXPECT_TRUE(pool->deallocate(int(actual), &block) && !block);
  }
  uint32_t actual = 0;
  void *first = pool->allocate(8, &actual), *second = pool->allocate(8, &actual);
  void *a = first, *b = second, *none = nullptr;
  EXPECT_TRUE(pool->deallocate(5, &a)) << "any size of the class";
  EXPECT_TRUE(pool->deallocate(8, &b));
  EXPECT_EQ(pool->allocate(7, &actual), second);
  EXPECT_EQ(pool->allocate(6, &actual), first);
  EXPECT_FALSE(pool->deallocate(0, &a) || pool->deallocate(8, &none));
  EXPECT_TRUE(pool->setEnabled(false) && pool->maximum() == -kBucketMaximum);
  void *plain = pool->allocate(10, &actual);
  EXPECT_EQ(actual, 10u) << "the size itself, no class";
  EXPECT_TRUE(pool->deallocate(10, &plain));
  EXPECT_EQ(pool->cachedBlocks(2), 0u);
  EXPECT_TRUE(pool->setEnabled(true));
  for (void *block : {first, second})
    EXPECT_TRUE(pool->deallocate(8, &block));
}

TEST_F(BucketPoolTest, FallbackPoolHandsItsBlocksToTheHostPoolOnceOffered) {
  ScopedMemoryHost host;
  // The host pool stands apart, as in another library.
  IPtr<BucketMemoryPool> hostPool(new BucketMemoryPool(
      kBucketGranularity, kBucketLinearLimit, kBucketMaximum));
  uint32_t actual = 0;
  void *z = hostPool->allocate(32, &actual), *cached = z;
  hostPool->deallocate(32, &cached);
  void *x = bucketAlloc(30, &actual), *y = bucketAlloc(32); // the fallback pool
  EXPECT_EQ(actual, 32u);
  bucketFree(32, x);
  bucketFree(32, y);
  bucketFree(32, nullptr);
  ASSERT_TRUE(bucketPoolIsFallback());
  KorWeakRef *watch = bucketPoolCurrent()->GetWeakRef();
  watch->AddRef();
  host.offer("IBucketMemoryPool", hostPool.get());
  for (int call = 0; call < 100000 && bucketPoolIsFallback(); ++call)
    bucketFree(4, bucketAlloc(1)); // looked for again now and then
  EXPECT_EQ(bucketPoolCurrent(), hostPool.get());
  EXPECT_EQ(watch->target(), nullptr) << "the fallback pool is gone";
  watch->Release();
  EXPECT_EQ(bucketAlloc(32), y) << "handed-over blocks go on top";
  EXPECT_EQ(bucketAlloc(32), x);
  EXPECT_EQ(bucketAlloc(32), z);
  for (void *block : {x, y, z})
    bucketFree(32, block);
  bucketPoolShutdown(); // a first allocation takes an offered host pool
  void *block = bucketAlloc(100);
  EXPECT_TRUE(bucketPoolCurrent() == hostPool.get() && !bucketPoolIsFallback());
  EXPECT_TRUE(bucketPoolConnectHost());
  bucketFree(100, block);
}

TEST_F(BucketPoolTest, TwoThreadsHammeringNeverShareABlock) {
  // Each thread keeps a handful of blocks of 1 to 9,000 bytes, fills each
  // with its own pattern, checks the whole block before freeing it and
  // replaces it at once, so both threads allocate and free all the time
  // and reuse each other's blocks.
  constexpr int kRounds = 60000;
  constexpr int kHeld = 8;
  auto worker = [](uint32_t seed, bool *clean) {
    struct Held {
      unsigned char *bytes = nullptr;
      uint32_t size = 0;
      unsigned char mark = 0;
    } held[kHeld];
    uint32_t random = seed;
    for (int round = 0; round < kRounds + kHeld; ++round) {
      Held &slot = held[round % kHeld];
      if (slot.bytes) {
        for (uint32_t i = 0; i < slot.size; ++i)
          if (slot.bytes[i] != slot.mark)
            *clean = false;
        bucketFree(slot.size, slot.bytes);
        slot.bytes = nullptr;
      }
      if (round >= kRounds)
        continue;
      random = random * 1103515245u + 12345u;
      uint32_t wanted = 1 + (random >> 8) % (round % 16 == 0 ? 9000 : 4096);
      slot.bytes = static_cast<unsigned char *>(bucketAlloc(wanted, &slot.size));
      slot.mark = static_cast<unsigned char>(seed + round);
      std::memset(slot.bytes, slot.mark, slot.size);
    }
  };
  bool clean[2] = {true, true};
  std::thread other(worker, 2u, &clean[1]);
  worker(1u, &clean[0]);
  other.join();
  EXPECT_TRUE(clean[0]);
  EXPECT_TRUE(clean[1]);
}
