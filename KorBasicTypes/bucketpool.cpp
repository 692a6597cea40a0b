//===- bucketpool.cpp - The process's current bucket memory pool ----------===//
#include "KorBasicTypes/bucketpool.h"
#include "component/iptr.h"
#include "KorBasicTypes/korsync.h"
#include <atomic>

namespace {
/// The current pool and how it was found; changed only under the lock
/// (the counter is also reset right after a look for the host pool).
struct PoolState {
  BucketMemoryPool *current = nullptr;
  std::atomic<bool> fallback{false};
  std::atomic<uint32_t> sinceLookup{0};
};

PoolState &state() {
  static PoolState *poolState = new PoolState;
  return *poolState;
}

/// The "BucketMemoryPool" behind the host's "IBucketMemoryPool", or null.
BucketMemoryPool *findHostPool() {
  SPtr<IBucketMemoryPool> service;
  if (!service)
    return nullptr;
  void *pool = nullptr;
  service->QueryInterface("BucketMemoryPool", &pool, 0);
  return static_cast<BucketMemoryPool *>(pool);
}

/// Called under the lock when no pool is current.
BucketMemoryPool *installFirstPool() {
  PoolState &s = state();
  if (BucketMemoryPool *host = findHostPool()) {
    host->AddRef();
    s.current = host;
    s.fallback = false;
    return host;
  }
  new BucketMemoryPool(kBucketGranularity, kBucketLinearLimit, kBucketMaximum);
  s.fallback = true;
  s.sinceLookup = 0;
  return s.current;
}

bool hostLookupDue() {
  PoolState &s = state();
  return s.fallback.load(std::memory_order_relaxed) &&
         s.sinceLookup.load(std::memory_order_relaxed) >=
             kHostPoolLookupInterval;
}
} // namespace

KorCriticalSection &bucketPoolLock() {
  static KorCriticalSection *lock = new KorCriticalSection;
  return *lock;
}

void bucketPoolInstall(BucketMemoryPool *pool) {
  KorLock guard(bucketPoolLock());
  PoolState &s = state();
  BucketMemoryPool *previous = s.current;
  if (previous && previous->sameParameters(*pool))
    pool->exchangeTables(*previous);
  pool->AddRef();
  s.current = pool;
  if (previous)
    previous->Release();
}

void *bucketAlloc(uint32_t size, uint32_t *actualSize) {
  if (hostLookupDue()) {
    state().sinceLookup = 0;
    bucketPoolConnectHost();
  }
  // The lock keeps the pool current (and alive) for the whole call.
  KorLock guard(bucketPoolLock());
  PoolState &s = state();
  BucketMemoryPool *pool = s.current ? s.current : installFirstPool();
  uint32_t actual = 0;
  void *block = pool->guardedBy(bucketPoolLock())
                    ? pool->allocateLocked(int(size), &actual)
                    : pool->allocate(int(size), &actual);
  if (s.fallback.load(std::memory_order_relaxed))
    s.sinceLookup.store(s.sinceLookup.load(std::memory_order_relaxed) + 1,
                        std::memory_order_relaxed);
  if (actualSize)
    *actualSize = actual;
  return block;
}

void bucketFree(uint32_t size, void *block) {
  if (size == 0 || !block)
    return;
  KorLock guard(bucketPoolLock());
  BucketMemoryPool *pool = state().current;
  if (pool && pool->guardedBy(bucketPoolLock()))
    pool->deallocateLocked(int(size), &block);
  else if (pool)
    pool->deallocate(int(size), &block);
  else
    bucketFreeThroughHeader(block);
}

BucketMemoryPool *bucketPoolCurrent() {
  KorLock guard(bucketPoolLock());
  return state().current ? state().current : installFirstPool();
}

bool bucketPoolConnectHost() {
  BucketMemoryPool *host = findHostPool();
  KorLock guard(bucketPoolLock());
  PoolState &s = state();
  if (host) {
    s.fallback = false;
    if (host != s.current) {
      host->AddRef();
      BucketMemoryPool *previous = std::exchange(s.current, host);
      if (previous) {
        host->takeBlocksFrom(*previous);
        previous->Release();
      }
    }
  }
  return s.current != nullptr;
}

void bucketPoolShutdown() {
  KorLock guard(bucketPoolLock());
  PoolState &s = state();
  if (BucketMemoryPool *pool = std::exchange(s.current, nullptr)) {
    pool->purge();
    pool->Release();
  }
  s.fallback = false;
  s.sinceLookup = 0;
}

bool bucketPoolIsFallback() {
  KorLock guard(bucketPoolLock());
  return state().current && state().fallback;
}
