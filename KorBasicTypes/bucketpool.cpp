//===- bucketpool.cpp - Size-class pool for small and medium blocks -------===//
#include "bucketpool.h"
#include <cstdlib>

void *bucketAlloc(uint32_t size, uint32_t *actualSize) {
  if (actualSize)
    *actualSize = size;
  return std::malloc(size ? size : 1);
}

void bucketFree(uint32_t size, void *block) {
  if (size == 0 || !block)
    return;
  std::free(block);
}
