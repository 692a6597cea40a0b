//===- nyrfaultinjection.cpp - Heap and swap-file steps that fail on demand //
#include "KorBasicTypes/nyrfaultinjection.h"
#include <atomic>

namespace {
std::atomic<NyrFaultHook> gFaultHook{nullptr};
std::atomic<void *> gFaultContext{nullptr};
} // namespace

void nyrSetFaultHook(NyrFaultHook hook, void *context) {
  gFaultContext.store(context);
  gFaultHook.store(hook);
}

bool nyrStepFails(NyrStep step, size_t bytes) {
  NyrFaultHook hook = gFaultHook.load(std::memory_order_relaxed);
  return hook && hook(gFaultContext.load(), step, bytes);
}
