//===- bucketmemorypool.h - Free lists of heap blocks by size class -------===//
//
// A BucketMemoryPool keeps released blocks in LIFO buckets, one per size
// class, instead of returning them to the heap. Every block it hands out is
// preceded by an 8-byte header that points to the allocator able to free
// it, so a block can be freed correctly even when no pool is current any
// more, or after it moved to another component's pool.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korsync.h"
#include "component/ibucketmemorypool.h"
#include <cstddef>
#include <cstdint>

/// The lock of this copy of the library: it guards the tables of every pool
/// the copy builds and the copy's current-pool state. Ready before any
/// static initialiser and never destroyed.
inline KorFutexSection &bucketPoolLock() {
  static constinit KorFutexSection lock;
  return lock;
}

/// Size of the header in front of every pooled block.
inline constexpr size_t kBucketHeaderBytes = 8;

/// Frees whole blocks (header included); one per copy of the library.
class BucketMemoryAllocator {
public:
  virtual ~BucketMemoryAllocator();
  /// Frees the block starting at `header` with nyrFree under the pool lock.
  virtual void freeBlock(void *header);
};

/// The allocator of this copy of the library, never destroyed.
BucketMemoryAllocator &bucketMemoryAllocator();
/// A new block of `usable` bytes after its header, or null.
void *bucketNewBlock(size_t usable);
/// Frees a block handed out by a pool through the allocator in its header.
void bucketFreeThroughHeader(void *block);

/// A pool of blocks by size class: linear classes of `granularity` bytes up
/// to `linearLimit`, then doubling classes up to `maximum`. Larger requests,
/// and every request while the pool is disabled, go straight to the heap.
class BucketMemoryPool : public virtual IBucketMemoryPool {
public:
  KOR_CLASS(BucketMemoryPool, IBucketMemoryPool)

  /// The size class of a request: its bucket index and class size.
  struct SizeClass {
    uint32_t index;
    uint32_t bytes;
  };

  /// Builds an empty table guarded by this copy's bucketPoolLock().
  /// bucketPoolCreate also makes the new pool current.
  BucketMemoryPool(int granularity, int linearLimit, int maximum);
  ~BucketMemoryPool() override;

  bool purge() override;
  void *allocate(int size, uint32_t *actualSize) override;
  bool deallocate(int size, void **block) override;
  bool setEnabled(bool on) override;

  int granularity() const { return granularity_; }
  int linearLimit() const { return linearLimit_; }
  /// The largest cached size; negative while the pool is disabled.
  int maximum() const { return maximum_; }
  bool sameParameters(const BucketMemoryPool &other) const;
  /// The class of a request of 1 to maximum() bytes.
  SizeClass sizeClass(int size) const {
    if (size <= linearLimit_ && size > 0 && granularityShift_ >= 0) {
      uint32_t index = uint32_t(size - 1) >> granularityShift_;
      return {index, (index + 1) << granularityShift_};
    }
    return sizeClassSlow(size);
  }
  /// Number of slots of the bucket table.
  uint32_t tableCapacity() const { return tableCapacity_; }
  /// Number of blocks cached in bucket `index`.
  uint32_t cachedBlocks(uint32_t index) const;
  /// Swaps the bucket tables (and with them the cached blocks) of two pools.
  void exchangeTables(BucketMemoryPool &other);
  /// Moves every cached block of `from` into this pool, bucket by bucket
  /// and in order; `from` ends with an empty table.
  void takeBlocksFrom(BucketMemoryPool &from);
  /// Whether the pool's tables are guarded by `lock`.
  bool guardedBy(const KorFutexSection &lock) const { return lock_ == &lock; }
  /// allocate and deallocate for a caller that already holds the pool's
  /// lock (the library's own pools, reached through bucketAlloc). A cached
  /// block is popped or pushed right here; the rest is out of line.
  void *allocateLocked(int size, uint32_t *actualSize) {
    if (size >= 0 && size <= maximum_) {
      uint32_t index = sizeClass(size).index;
      Bucket *bucket = index < tableCapacity_ ? table_[index] : nullptr;
      if (bucket && bucket->count > 0) {
        Entry top = bucket->entries[bucket->count];
        if (top.header) {
          --bucket->count;
          *actualSize = top.size;
          return blockAfter(top.header);
        }
      }
    }
    return allocateUncached(size, actualSize);
  }
  bool deallocateLocked(int size, void **block) {
    if (block && *block && size > 0 && size <= maximum_) {
      SizeClass cls = sizeClass(size);
      Bucket *bucket = cls.index < tableCapacity_ ? table_[cls.index] : nullptr;
      if (bucket && bucket->count + 2 <= bucket->capacity) {
        bucket->entries[++bucket->count] = {cls.bytes, headerOf(*block)};
        *block = nullptr;
        return true;
      }
    }
    return deallocateSlow(size, block);
  }

private:
  /// A cached block, held by the start of its allocation (its header) so
  /// that leak checkers see every cached block as reachable.
  struct Entry {
    uint32_t size;
    void *header;
  };
  /// A stack of entries at positions 1 to count (position 0 stays empty).
  struct Bucket {
    Entry *entries;
    uint32_t capacity;
    uint32_t count;
  };
  static_assert(sizeof(Entry) == 16);

  static void *blockAfter(void *header) {
    return static_cast<char *>(header) + kBucketHeaderBytes;
  }
  static void *headerOf(void *block) {
    return static_cast<char *>(block) - kBucketHeaderBytes;
  }
  SizeClass sizeClassSlow(int size) const;
  /// allocateLocked when the bucket has no block to hand out, or the
  /// request is not pooled.
  void *allocateUncached(int size, uint32_t *actualSize);
  /// deallocateLocked when the block is not pooled, or its bucket is
  /// missing or full.
  bool deallocateSlow(int size, void **block);
  static Bucket *newBucket();
  static void push(Bucket *bucket, Entry entry);
  static void freeBucket(Bucket *bucket);
  static void freeTable(Bucket **table, uint32_t capacity);
  /// The table slot of `index`, growing the table when it lies beyond.
  Bucket *&slotFor(uint32_t index);

  int granularity_;
  /// log2 of the granularity when that is a power of two, else -1.
  int granularityShift_;
  int linearLimit_;
  int maximum_;
  Bucket **table_ = nullptr;
  uint32_t tableCapacity_ = 0;
  /// The lock of the library copy that built the pool: every copy that
  /// shares the pool serialises its tables on the same lock.
  KorFutexSection *lock_;
};
