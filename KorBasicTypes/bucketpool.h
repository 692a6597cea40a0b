//===- bucketpool.h - Size-class pool for small and medium blocks ---------===//
#pragma once
#include <cstdint>

/// A block of at least `size` bytes from the current pool; *actualSize (when
/// given) receives the usable size.
void *bucketAlloc(uint32_t size, uint32_t *actualSize = nullptr);
/// Returns a block of `size` bytes to the pool; nothing for 0 or null.
void bucketFree(uint32_t size, void *block);
