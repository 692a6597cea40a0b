//===- strbuffer.h - Pool buffers of the string classes -------------------===//
//
// The string classes keep their text in bucketAlloc blocks and record the
// capacity as a signed byte count: positive for an owned block, 0 or less
// for borrowed memory that is never freed.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>

namespace kor_str {
/// A pool block of at least `bytes` bytes; *capacity receives its usable
/// size.
void *allocate(int32_t bytes, int32_t *capacity);
/// Gives an owned block back; nothing for a borrowed one (capacity <= 0).
void release(void *block, int32_t capacity);
} // namespace kor_str
