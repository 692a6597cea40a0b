//===- bitvector_fuzz.cpp - Fuzzes the binary reader of BitVector ---------===//
//
// Any input reads without crashing or unbounded allocation; what was read
// is a consistent vector (its cached count is its real count, every index
// nextSet yields is set), and its binary form reads back as an equal vector
// of the same length.
// The host memory manager is installed, as korhost does, so large vectors
// are paged.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binoutput.h"
#include "KorBasicTypes/bitvector.h"
#include "host/services/componentmanager.h"
#include "component/korcomponentstate.h"
#include "host/services/memorymanager.h"
#include "tests/unit/support/memorystream.h"
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
void check(bool condition) {
  if (!condition)
    std::abort();
}

/// Every index nextSet yields is set; returns how many there are.
uint32_t walkSetBits(const BitVector &bits) {
  uint32_t seen = 0;
  for (int32_t i = bits.nextSet(BitVector::kStart); i >= 0;
       i = bits.nextSet(uint32_t(i))) {
    check(bits.test(uint32_t(i)));
    ++seen;
  }
  return seen;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool hostStarted = [] {
    auto *host = new HostComponentManager;
    host->AddRef();
    host->RegisterService("KorMM::IKorMManager", new HostMemoryManager);
    korSetComponentManager(host);
    return true;
  }();
  (void)hostStarted;

  MemoryInput in(data, size);
  BitVector bits;
  if (!bits.read(in))
    return 0;
  uint32_t cached = bits.cachedCount();
  uint32_t counted = bits.count();
  check(cached == BitVector::kUnknownCount || cached == counted);
  if (bits.maxIndex() < 0x80000000u)
    check(walkSetBits(bits) == counted);

  MemoryOutput out;
  check(bits.write(out));
  // A vector spanning the whole index space has maxIndex 0xFFFFFFFF, which
  // the reader takes for the empty header: it cannot come back.
  if (bits.maxIndex() == 0xFFFFFFFFu)
    return 0;
  MemoryInput again(out.flushed());
  BitVector back(again);
  check(back == bits);
  check(back.maxIndex() == bits.maxIndex());
  return 0;
}
