//===- nyrrealloc.cpp - Allocation with memory-pressure handling ----------===//
#include "nyrrealloc.h"
#include "korassert.h"
#include <cstdlib>
#include <cstring>

static constexpr const char *kUnit = "KorBasicTypes/nyrrealloc";

uint32_t growCapacity(uint32_t current, uint32_t needed) {
  if (current >= needed)
    return current;
  if (current == 0 && needed < 2)
    return 1;
  uint32_t capacity = current ? current : 1;
  while (capacity < needed) {
    if (capacity >= 0x80000000u)
      return needed;
    capacity *= 2;
  }
  return capacity;
}

size_t nyrMalloc(void **slot, size_t elementSize, size_t count) {
  size_t bytes = elementSize * count;
  void *p = std::malloc(bytes);
  if (!p && bytes != 0)
    std::exit(-1);
  *slot = p;
  return count;
}

static void zeroTail(void *block, size_t oldBytes, size_t newBytes) {
  if (newBytes > oldBytes)
    std::memset(static_cast<char *>(block) + oldBytes, 0, newBytes - oldBytes);
}

size_t nyrRealloc(void **slot, size_t elementSize, size_t curSize,
                  size_t minNewSize, size_t maxNewSize) {
  if (curSize == minNewSize)
    return curSize;
  if ((!*slot || curSize == 0) && minNewSize != 0) {
    nyrMalloc(slot, elementSize, minNewSize);
    std::memset(*slot, 0, elementSize * minNewSize);
    return minNewSize;
  }
  size_t max = maxNewSize == SIZE_MAX ? minNewSize : maxNewSize;
  if (max < minNewSize)
    Assert_basic("maxNewSize >= minNewSize", kUnit, 422);
  if (max < curSize) {
    if (max == 0) {
      std::free(*slot);
      *slot = nullptr;
      return 0;
    }
    *slot = std::realloc(*slot, max * elementSize);
    return max;
  }
  if (minNewSize <= curSize)
    return curSize;
  void *p = std::realloc(*slot, max * elementSize);
  if (!p)
    std::exit(-1);
  zeroTail(p, curSize * elementSize, max * elementSize);
  *slot = p;
  return max;
}

bool nyrFree(void *p) {
  std::free(p);
  return true;
}
