//===- bucketmemorypool.cpp - Free lists of heap blocks by size class -----===//
#include "KorBasicTypes/bucketmemorypool.h"
#include "KorBasicTypes/nyrrealloc.h"
#include <algorithm>
#include <cstring>
#include <utility>

static_assert(sizeof(void *) <= kBucketHeaderBytes);

namespace {
constexpr uint32_t kBucketInitialCapacity = 9;

int shiftOf(int granularity) {
  int shift = 0;
  while ((1 << shift) < granularity && shift < 30)
    ++shift;
  return (1 << shift) == granularity ? shift : -1;
}

char *headerOfBlock(void *block) {
  return static_cast<char *>(block) - kBucketHeaderBytes;
}
} // namespace

//===- Allocator and block headers ----------------------------------------===//

BucketMemoryAllocator::~BucketMemoryAllocator() = default;

void BucketMemoryAllocator::freeBlock(void *header) {
  KorLock guard(bucketPoolLock());
  nyrFree(header);
}

BucketMemoryAllocator &bucketMemoryAllocator() {
  // Never destroyed: blocks may still be freed during static destruction.
  static BucketMemoryAllocator *allocator = new BucketMemoryAllocator;
  return *allocator;
}

void *bucketNewBlock(size_t usable) {
  void *header = nullptr;
  nyrMalloc(&header, 1, usable + kBucketHeaderBytes);
  if (!header)
    return nullptr;
  BucketMemoryAllocator *allocator = &bucketMemoryAllocator();
  std::memcpy(header, &allocator, sizeof allocator);
  return static_cast<char *>(header) + kBucketHeaderBytes;
}

void bucketFreeThroughHeader(void *block) {
  BucketMemoryAllocator *allocator;
  std::memcpy(&allocator, headerOfBlock(block), sizeof allocator);
  allocator->freeBlock(headerOfBlock(block));
}

//===- Buckets ------------------------------------------------------------===//

BucketMemoryPool::Bucket *BucketMemoryPool::newBucket() {
  void *memory = nullptr;
  nyrMalloc(&memory, sizeof(Bucket), 1);
  auto *bucket = static_cast<Bucket *>(memory);
  void *entries = nullptr;
  bucket->capacity =
      uint32_t(nyrMalloc(&entries, sizeof(Entry), kBucketInitialCapacity));
  bucket->entries = static_cast<Entry *>(entries);
  bucket->count = 0;
  return bucket;
}

void BucketMemoryPool::push(Bucket *bucket, Entry entry) {
  uint32_t needed = bucket->count + 2;
  if (needed > bucket->capacity) {
    void *entries = bucket->entries;
    bucket->capacity =
        uint32_t(nyrRealloc(&entries, sizeof(Entry), bucket->capacity, needed,
                            growCapacity(bucket->capacity, needed)));
    bucket->entries = static_cast<Entry *>(entries);
  }
  bucket->entries[++bucket->count] = entry;
}

void BucketMemoryPool::freeBucket(Bucket *bucket) {
  for (uint32_t i = 1; i <= bucket->count; ++i)
    if (void *header = bucket->entries[i].header)
      bucketFreeThroughHeader(blockAfter(header));
  nyrFree(bucket->entries);
  nyrFree(bucket);
}

void BucketMemoryPool::freeTable(Bucket **table, uint32_t capacity) {
  for (uint32_t i = 0; i < capacity; ++i)
    if (table[i])
      freeBucket(table[i]);
  nyrFree(table);
}

BucketMemoryPool::Bucket *&BucketMemoryPool::slotFor(uint32_t index) {
  if (index >= tableCapacity_) {
    void *table = table_;
    tableCapacity_ =
        uint32_t(nyrRealloc(&table, sizeof(Bucket *), tableCapacity_, index + 1,
                            growCapacity(tableCapacity_, index + 1)));
    table_ = static_cast<Bucket **>(table);
  }
  return table_[index];
}

//===- The pool -----------------------------------------------------------===//

BucketMemoryPool::BucketMemoryPool(int granularity, int linearLimit,
                                   int maximum)
    : granularity_(std::max(granularity, 1)),
      granularityShift_(shiftOf(granularity_)), linearLimit_(linearLimit),
      maximum_(maximum), lock_(&bucketPoolLock()) {
  uint32_t slots = uint32_t(std::max(linearLimit_ / granularity_, 0)) + 2;
  void *table = nullptr;
  tableCapacity_ =
      uint32_t(nyrRealloc(&table, sizeof(Bucket *), 0, slots, SIZE_MAX));
  table_ = static_cast<Bucket **>(table);
}

BucketMemoryPool::~BucketMemoryPool() { freeTable(table_, tableCapacity_); }

bool BucketMemoryPool::sameParameters(const BucketMemoryPool &other) const {
  return granularity_ == other.granularity_ &&
         linearLimit_ == other.linearLimit_ && maximum_ == other.maximum_;
}

BucketMemoryPool::SizeClass BucketMemoryPool::sizeClassSlow(int size) const {
  int request = std::max(size, 1);
  if (request <= linearLimit_) {
    uint32_t index = granularityShift_ >= 0
                         ? uint32_t(request - 1) >> granularityShift_
                         : uint32_t((request - 1) / granularity_);
    return {index, (index + 1) * uint32_t(granularity_)};
  }
  uint32_t index = uint32_t((linearLimit_ - 1) / granularity_);
  uint64_t bytes = uint64_t(std::max(linearLimit_, 1));
  while (bytes < uint64_t(request)) {
    bytes *= 2;
    ++index;
  }
  return {index, uint32_t(bytes)};
}

uint32_t BucketMemoryPool::cachedBlocks(uint32_t index) const {
  KorLock guard(*lock_);
  return index < tableCapacity_ && table_[index] ? table_[index]->count : 0;
}

bool BucketMemoryPool::purge() {
  Bucket **old;
  uint32_t capacity;
  {
    KorLock guard(*lock_);
    void *fresh = nullptr;
    nyrRealloc(&fresh, sizeof(Bucket *), 0, tableCapacity_, SIZE_MAX);
    old = std::exchange(table_, static_cast<Bucket **>(fresh));
    capacity = tableCapacity_;
  }
  // Freed outside the lock: a block's allocator may take another lock.
  freeTable(old, capacity);
  return true;
}

void *BucketMemoryPool::allocate(int size, uint32_t *actualSize) {
  KorLock guard(*lock_);
  return allocateLocked(size, actualSize);
}

void *BucketMemoryPool::allocateUncached(int size, uint32_t *actualSize) {
  if (size > maximum_ || size < 0) {
    *actualSize = uint32_t(size);
    return bucketNewBlock(uint32_t(size));
  }
  SizeClass cls = sizeClass(size);
  Bucket *bucket = slotFor(cls.index);
  while (bucket && bucket->count > 0) {
    Entry top = bucket->entries[bucket->count--];
    if (top.header) {
      *actualSize = top.size;
      return blockAfter(top.header);
    }
  }
  *actualSize = cls.bytes;
  return bucketNewBlock(cls.bytes);
}

bool BucketMemoryPool::deallocate(int size, void **block) {
  KorLock guard(*lock_);
  return deallocateLocked(size, block);
}

bool BucketMemoryPool::deallocateSlow(int size, void **block) {
  if (!block || !*block || size == 0)
    return false;
  if (size > maximum_ || size < 0) {
    bucketFreeThroughHeader(*block);
    *block = nullptr;
    return true;
  }
  SizeClass cls = sizeClass(size);
  Bucket *&bucket = slotFor(cls.index);
  if (!bucket)
    bucket = newBucket();
  push(bucket, {cls.bytes, headerOf(*block)});
  *block = nullptr;
  return true;
}

bool BucketMemoryPool::setEnabled(bool on) {
  KorLock guard(*lock_);
  if ((maximum_ >= 1) != on)
    maximum_ = -maximum_;
  return true;
}

void BucketMemoryPool::exchangeTables(BucketMemoryPool &other) {
  KorLock mine(*lock_);
  KorLock theirs(*other.lock_);
  std::swap(table_, other.table_);
  std::swap(tableCapacity_, other.tableCapacity_);
}

void BucketMemoryPool::takeBlocksFrom(BucketMemoryPool &from) {
  KorLock mine(*lock_);
  KorLock theirs(*from.lock_);
  for (uint32_t index = 0; index < from.tableCapacity_; ++index) {
    Bucket *moving = std::exchange(from.table_[index], nullptr);
    if (!moving)
      continue;
    Bucket *&target = slotFor(index);
    if (!target) {
      target = moving;
      continue;
    }
    for (uint32_t i = 1; i <= moving->count; ++i)
      push(target, moving->entries[i]);
    nyrFree(moving->entries);
    nyrFree(moving);
  }
}
