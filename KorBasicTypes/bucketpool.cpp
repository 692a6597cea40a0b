//===- bucketpool.cpp - The process's current bucket memory pool ----------===//
#include "KorBasicTypes/bucketpool.h"
#include "component/iptr.h"
#include <atomic>
#include <utility>

namespace {
/// The current pool and how it was found; changed only under the lock
/// (the counter is also reset right after a look for the host pool).
struct PoolState {
  BucketMemoryPool *current = nullptr;
  std::atomic<bool> fallback{false};
  std::atomic<uint32_t> sinceLookup{0};
};

/// Constant-initialised and trivially destroyed: usable from any static
/// initialiser or destructor.
constinit PoolState poolState;

/// The "BucketMemoryPool" behind the host's "IBucketMemoryPool", or null.
BucketMemoryPool *findHostPool() {
  SPtr<IBucketMemoryPool> service;
  if (!service)
    return nullptr;
  void *pool = nullptr;
  service->QueryInterface("BucketMemoryPool", &pool, 0);
  return static_cast<BucketMemoryPool *>(pool);
}

/// Makes a newly built pool current; called under the lock.
void installLocked(BucketMemoryPool *pool) {
  BucketMemoryPool *previous = poolState.current;
  if (previous && previous->sameParameters(*pool))
    pool->exchangeTables(*previous);
  pool->AddRef();
  poolState.current = pool;
  if (previous)
    previous->Release();
}

/// Called under the lock when no pool is current.
BucketMemoryPool *installFirstPool() {
  if (BucketMemoryPool *host = findHostPool()) {
    host->AddRef();
    poolState.current = host;
    poolState.fallback = false;
    return host;
  }
  installLocked(new BucketMemoryPool(kBucketGranularity, kBucketLinearLimit,
                                     kBucketMaximum));
  poolState.fallback = true;
  poolState.sinceLookup = 0;
  return poolState.current;
}

bool hostLookupDue() {
  return poolState.fallback.load(std::memory_order_relaxed) &&
         poolState.sinceLookup.load(std::memory_order_relaxed) >=
             kHostPoolLookupInterval;
}
} // namespace

BucketMemoryPool *bucketPoolCreate(int granularity, int linearLimit,
                                   int maximum) {
  auto *pool = new BucketMemoryPool(granularity, linearLimit, maximum);
  KorLock guard(bucketPoolLock());
  installLocked(pool);
  return pool;
}

void *bucketAlloc(uint32_t size, uint32_t *actualSize) {
  if (hostLookupDue()) {
    poolState.sinceLookup = 0;
    bucketPoolConnectHost();
  }
  // The lock keeps the pool current (and alive) for the whole call.
  KorLock guard(bucketPoolLock());
  BucketMemoryPool *pool =
      poolState.current ? poolState.current : installFirstPool();
  uint32_t actual = 0;
  void *block = pool->guardedBy(bucketPoolLock())
                    ? pool->allocateLocked(int(size), &actual)
                    : pool->allocate(int(size), &actual);
  if (poolState.fallback.load(std::memory_order_relaxed))
    poolState.sinceLookup.store(
        poolState.sinceLookup.load(std::memory_order_relaxed) + 1,
        std::memory_order_relaxed);
  if (actualSize)
    *actualSize = actual;
  return block;
}

void bucketFree(uint32_t size, void *block) {
  if (size == 0 || !block)
    return;
  KorLock guard(bucketPoolLock());
  BucketMemoryPool *pool = poolState.current;
  if (pool && pool->guardedBy(bucketPoolLock()))
    pool->deallocateLocked(int(size), &block);
  else if (pool)
    pool->deallocate(int(size), &block);
  else
    bucketFreeThroughHeader(block);
}

BucketMemoryPool *bucketPoolCurrent() {
  KorLock guard(bucketPoolLock());
  return poolState.current ? poolState.current : installFirstPool();
}

bool bucketPoolConnectHost() {
  BucketMemoryPool *host = findHostPool();
  KorLock guard(bucketPoolLock());
  if (host) {
    poolState.fallback = false;
    if (host != poolState.current) {
      host->AddRef();
      BucketMemoryPool *previous = std::exchange(poolState.current, host);
      if (previous) {
        host->takeBlocksFrom(*previous);
        previous->Release();
      }
    }
  }
  return poolState.current != nullptr;
}

void bucketPoolShutdown() {
  KorLock guard(bucketPoolLock());
  if (BucketMemoryPool *pool = std::exchange(poolState.current, nullptr)) {
    pool->purge();
    pool->Release();
  }
  poolState.fallback = false;
  poolState.sinceLookup = 0;
}

bool bucketPoolIsFallback() {
  KorLock guard(bucketPoolLock());
  return poolState.current && poolState.fallback;
}
