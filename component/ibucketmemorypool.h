//===- ibucketmemorypool.h - A pool of size-classed heap blocks -----------===//
#pragma once
#include "component/korclass.h"
#include <cstdint>

/// A set of free lists, one per size class, that keeps released blocks for
/// reuse. The host offers one as the service "IBucketMemoryPool".
class IBucketMemoryPool : public virtual IKorUnknown {
  KOR_INTERFACE(IBucketMemoryPool)
  /// 1: frees every cached block and every bucket; true.
  virtual bool purge() = 0;
  /// 2: a block of at least `size` bytes; *actualSize receives its usable
  /// size (the class size, or `size` itself for blocks the pool does not
  /// cache).
  virtual void *allocate(int size, uint32_t *actualSize) = 0;
  /// 3: caches (or frees) *block of usable size `size` and nulls *block;
  /// false when *block is null or size is 0.
  virtual bool deallocate(int size, void **block) = 0;
  /// 4: switches caching on or off; true.
  virtual bool setEnabled(bool on) = 0;
};
