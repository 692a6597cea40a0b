//===- strbuffer.cpp - Pool buffers of the string classes -----------------===//
#include "KorBasicTypes/strbuffer.h"
#include "KorBasicTypes/bucketpool.h"
#include <climits>

namespace kor_str {
void *allocate(int32_t bytes, int32_t *capacity) {
  uint32_t actual = 0;
  void *block = bucketAlloc(uint32_t(bytes), &actual);
  // The capacity is a signed 32-bit count; larger usable sizes are not used.
  *capacity = actual > uint32_t(INT32_MAX) ? INT32_MAX : int32_t(actual);
  return block;
}

void release(void *block, int32_t capacity) {
  if (capacity > 0 && block)
    bucketFree(uint32_t(capacity), block);
}
} // namespace kor_str
