//===- binbyteswap.h - Whole arrays between memory and big-endian form ----===//
//
// The binary streams convert typed arrays a buffer at a time: each word's
// bytes are reversed (this library runs on little-endian machines) while
// the array is copied between the caller's memory and the stream's buffer.
// On processors with AVX2 the copy reverses 32 bytes per instruction.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>

/// Copies `count` words of `width` bytes (1, 2, 4 or 8) from `src` to
/// `dst`, reversing the bytes of each word; 1-byte words are copied as they
/// are. The two ranges must not overlap.
void binCopySwapped(const void *src, void *dst, size_t count, size_t width);
