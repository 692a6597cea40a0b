//===- bucketpool.h - The process's current bucket memory pool ------------===//
//
// Small and medium blocks of the core library come from one current pool.
// A component first looks for the pool the host offers as the service
// "IBucketMemoryPool"; until there is one it uses a fallback pool of its
// own and looks again every 601 allocations, and once the host pool is
// found it hands its cached blocks over. One lock per copy of the library,
// bucketPoolLock(), guards the current pool and its tables.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/bucketmemorypool.h"
#include <cstdint>

/// Parameters of the fallback pool.
inline constexpr int kBucketGranularity = 4;
inline constexpr int kBucketLinearLimit = 8192;
inline constexpr int kBucketMaximum = 0x40000;
/// Allocations from the fallback pool between two looks for the host pool.
inline constexpr uint32_t kHostPoolLookupInterval = 601;

/// A block of at least `size` bytes from the current pool; *actualSize (when
/// given) receives the usable size, which bucketFree expects back.
void *bucketAlloc(uint32_t size, uint32_t *actualSize = nullptr);
/// Returns a block of usable size `size`; nothing for 0 or null.
void bucketFree(uint32_t size, void *block);

/// Builds a pool and makes it current: it takes over the cached blocks of
/// the previous current pool when their parameters match, and the previous
/// pool is released. The current-pool pointer holds one reference; the
/// caller holds none.
BucketMemoryPool *bucketPoolCreate(int granularity, int linearLimit,
                                   int maximum);
/// The current pool, a fallback pool (4, 8192, 0x40000) of this library
/// when none is current. The current-pool pointer holds its reference.
BucketMemoryPool *bucketPoolCurrent();
/// Looks for the host's pool now and, when it differs from the current one,
/// hands the cached blocks over and makes it current. Returns whether a pool
/// is current afterwards.
bool bucketPoolConnectHost();
/// Purges and releases the current pool; none is current afterwards.
void bucketPoolShutdown();
/// Whether the current pool is this library's fallback pool.
bool bucketPoolIsFallback();
