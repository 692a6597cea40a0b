//===- nyrrealloc.cpp - Allocation with memory-pressure handling ----------===//
#include "KorBasicTypes/nyrrealloc.h"
#include "KorBasicTypes/nyrfaultinjection.h"
#include "component/korassert.h"
#include "KorBasicTypes/nyrmemory.h"
#include "KorBasicTypes/nyroutofmemory.h"
#include "KorBasicTypes/nyrswapfile.h"
#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {
constexpr const char *kUnit = "KorBasicTypes/nyrrealloc";
constexpr int kMaxBelowMinLine = 422;
constexpr int kGrowPreconditionLine = 455;
/// Bisection attempts after the preferred size, counted down to 0.
constexpr int kFirstBisection = 7;
/// From this counter on the host memory manager is asked as well.
constexpr int kFirstManagerBisection = 5;

void *heapMalloc(size_t bytes) {
  return nyrStepFails(NyrStep::Malloc, bytes) ? nullptr : std::malloc(bytes);
}

void *heapRealloc(void *block, size_t bytes) {
  return nyrStepFails(NyrStep::Realloc, bytes) ? nullptr
                                               : std::realloc(block, bytes);
}

/// elementSize * count, or SIZE_MAX (which no heap grants) on overflow.
size_t byteCount(size_t elementSize, size_t count) {
  size_t bytes;
  return __builtin_mul_overflow(elementSize, count, &bytes) ? SIZE_MAX : bytes;
}

void zeroTail(void *block, size_t oldBytes, size_t newBytes) {
  if (newBytes > oldBytes)
    std::memset(static_cast<char *>(block) + oldBytes, 0, newBytes - oldBytes);
}

/// malloc, and while the host memory manager agrees to release memory,
/// malloc again.
void *mallocWithManager(size_t bytes) {
  void *block = heapMalloc(bytes);
  KorMM::IKorMManager *manager = block ? nullptr : nyrMemoryManager();
  while (!block && manager && manager->ReleaseMemory())
    block = heapMalloc(bytes);
  return block;
}

/// The end of a path that could not allocate: the user is told, and the
/// process ends unless the handler allows to carry on with an empty slot.
size_t giveUp(void **slot, int code) {
  handleOutOfMemoryFatal(code);
  nyrFree(*slot);
  *slot = nullptr;
  return 0;
}

/// One realloc of *slot to `count` elements; zero-fills the new bytes.
bool tryRealloc(void **slot, size_t elementSize, size_t oldBytes,
                size_t count) {
  size_t bytes = byteCount(elementSize, count);
  void *block = heapRealloc(*slot, bytes);
  if (!block)
    return false;
  zeroTail(block, oldBytes, bytes);
  *slot = block;
  return true;
}

/// Asks the host memory manager to release memory up to `requests` times,
/// trying the realloc after each yes. A no clears `askManager`.
bool reallocWithManager(void **slot, size_t elementSize, size_t oldBytes,
                        size_t count, bool &askManager) {
  KorMM::IKorMManager *manager = nyrMemoryManager();
  if (!manager) {
    askManager = false;
    return false;
  }
  size_t newBytes = byteCount(elementSize, count);
  size_t requests = (newBytes - oldBytes) / KorMM::kKorMMBlockBytes + 2;
  for (size_t i = 0; i < requests; ++i) {
    if (!manager->ReleaseMemory()) {
      askManager = false;
      return false;
    }
    if (tryRealloc(slot, elementSize, oldBytes, count))
      return true;
  }
  return false;
}

/// Moves the old block through a temporary file so that the old and the
/// new block never exist at the same time.
size_t swapOut(void **slot, size_t elementSize, size_t curSize, size_t count) {
  size_t oldBytes = byteCount(elementSize, curSize);
  size_t newBytes = byteCount(elementSize, count);
  std::string name = nyrSwapFileName();
  if (name.empty()) {
    writeMemoryLog(newBytes);
    return giveUp(slot, kNyrAllocFailed);
  }
  for (;;) {
    NyrSwapFile file;
    int code = kNyrTempFileCreate;
    if (file.open(name)) {
      if (!file.write(*slot, oldBytes)) {
        file.close();
        code = kNyrTempFileWrite;
      } else {
        nyrFree(*slot);
        *slot = nullptr;
        void *block = mallocWithManager(newBytes);
        if (!block) {
          file.close();
          writeMemoryLog(newBytes);
          return giveUp(slot, kNyrAllocFailed);
        }
        if (!file.readBack(block, oldBytes)) {
          file.close();
          nyrFree(block);
          writeMemoryLog(newBytes);
          return giveUp(slot, kNyrTempFileRead);
        }
        file.close();
        zeroTail(block, oldBytes, newBytes);
        *slot = block;
        return count;
      }
    }
    writeMemoryLog(newBytes);
    handleOutOfMemoryFatal(code);
    name = nyrSwapFileName();
    if (name.empty())
      nyrEndProcess();
  }
}
} // namespace

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
  size_t bytes = byteCount(elementSize, count);
  void *block = mallocWithManager(bytes);
  *slot = block;
  if (block || bytes == 0)
    return count;
  writeMemoryLog(bytes);
  return giveUp(slot, kNyrAllocFailed);
}

size_t nyrRealloc(void **slot, size_t elementSize, size_t curSize,
                  size_t minNewSize, size_t maxNewSize) {
  if (curSize == minNewSize)
    return curSize;
  if ((!*slot || curSize == 0) && minNewSize != 0) {
    // A slot without room may hold a borrowed block: it is replaced, never
    // freed.
    if (nyrMalloc(slot, elementSize, minNewSize) == 0)
      return 0;
    if (*slot)
      std::memset(*slot, 0, byteCount(elementSize, minNewSize));
    return minNewSize;
  }
  size_t max = maxNewSize == SIZE_MAX ? minNewSize : maxNewSize;
  if (max < minNewSize)
    Assert_basic("maxNewSize >= minNewSize", kUnit, kMaxBelowMinLine);

  if (max < curSize) {
    if (max == 0) {
      nyrFree(*slot);
      *slot = nullptr;
      return 0;
    }
    // A shrinking realloc that fails leaves the larger block in place.
    if (void *block = heapRealloc(*slot, byteCount(elementSize, max)))
      *slot = block;
    return max;
  }

  if (minNewSize <= curSize)
    return curSize;
  if (max < minNewSize)
    Assert_basic("minNewSize > curSize && maxNewSize >= minNewSize", kUnit,
                 kGrowPreconditionLine);
  size_t oldBytes = byteCount(elementSize, curSize);
  if (tryRealloc(slot, elementSize, oldBytes, max))
    return max;

  bool askManager = true;
  for (int counter = kFirstBisection; counter >= 0 && max > minNewSize;
       --counter) {
    max = counter == 0 ? minNewSize : (max + minNewSize) / 2;
    if (tryRealloc(slot, elementSize, oldBytes, max))
      return max;
    if (counter <= kFirstManagerBisection && askManager &&
        reallocWithManager(slot, elementSize, oldBytes, max, askManager))
      return max;
  }
  return swapOut(slot, elementSize, curSize, max);
}

bool nyrFree(void *p) {
  std::free(p);
  return true;
}
