//===- heapblockcounter.cpp - Counting allocator of the test executables --===//
//
// Replaces the allocation functions of the process (an executable's
// definitions come first in symbol lookup, ahead of the C library) with
// wrappers around glibc's __libc_* entries that count live blocks while
// counting is on. Every entry point that hands out or takes back a block
// is replaced, so that no block is counted on one side only. Left out
// under AddressSanitizer, ThreadSanitizer and MemorySanitizer, whose runtimes
// own the allocation functions.
//
//===----------------------------------------------------------------------===//
#include "component/korheapcount.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KOR_SANITIZER_OWNS_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) ||     \
    __has_feature(memory_sanitizer)
#define KOR_SANITIZER_OWNS_ALLOCATOR 1
#endif
#endif

#ifndef KOR_SANITIZER_OWNS_ALLOCATOR
#include <atomic>
#include <cerrno>
#include <malloc.h>
#include <stdlib.h>

extern "C" {
void *__libc_malloc(size_t size);
void __libc_free(void *block);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *block, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void *__libc_valloc(size_t size);
void *__libc_pvalloc(size_t size);
}

namespace {
std::atomic<bool> counting{false};
std::atomic<int64_t> liveBlocks{0};

inline void *counted(void *block) {
  if (block && counting.load(std::memory_order_relaxed))
    liveBlocks.fetch_add(1, std::memory_order_relaxed);
  return block;
}

inline void uncount(void *block) {
  if (block && counting.load(std::memory_order_relaxed))
    liveBlocks.fetch_sub(1, std::memory_order_relaxed);
}
} // namespace

// Exported from the executable whatever the default symbol visibility.
#define KOR_ALLOCATOR_EXPORT __attribute__((visibility("default")))

extern "C" {
int64_t korProcessHeapBlockCount() {
  counting.store(true, std::memory_order_relaxed);
  return liveBlocks.load(std::memory_order_relaxed);
}

KOR_ALLOCATOR_EXPORT void *malloc(size_t size) noexcept {
  return counted(__libc_malloc(size));
}

KOR_ALLOCATOR_EXPORT void free(void *block) noexcept {
  uncount(block);
  __libc_free(block);
}

KOR_ALLOCATOR_EXPORT void *calloc(size_t count, size_t size) noexcept {
  return counted(__libc_calloc(count, size));
}

KOR_ALLOCATOR_EXPORT void *realloc(void *block, size_t size) noexcept {
  void *moved = __libc_realloc(block, size);
  if (!block)
    counted(moved);
  else if (size == 0 && !moved)
    uncount(block); // glibc frees the block for a zero size
  return moved;
}

KOR_ALLOCATOR_EXPORT void *reallocarray(void *block, size_t count,
                                        size_t size) noexcept {
  size_t bytes = 0;
  if (__builtin_mul_overflow(count, size, &bytes)) {
    errno = ENOMEM;
    return nullptr;
  }
  return realloc(block, bytes);
}

KOR_ALLOCATOR_EXPORT void *memalign(size_t alignment, size_t size) noexcept {
  return counted(__libc_memalign(alignment, size));
}

KOR_ALLOCATOR_EXPORT void *aligned_alloc(size_t alignment,
                                         size_t size) noexcept {
  return counted(__libc_memalign(alignment, size));
}

KOR_ALLOCATOR_EXPORT int posix_memalign(void **out, size_t alignment,
                                        size_t size) noexcept {
  bool powerOfTwo = alignment && (alignment & (alignment - 1)) == 0;
  if (!powerOfTwo || alignment % sizeof(void *) != 0)
    return EINVAL;
  void *block = __libc_memalign(alignment, size);
  if (!block)
    return ENOMEM;
  *out = counted(block);
  return 0;
}

KOR_ALLOCATOR_EXPORT void *valloc(size_t size) noexcept {
  return counted(__libc_valloc(size));
}

KOR_ALLOCATOR_EXPORT void *pvalloc(size_t size) noexcept {
  return counted(__libc_pvalloc(size));
}
}
#endif
