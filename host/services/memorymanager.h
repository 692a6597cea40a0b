//===- memorymanager.h - The host's memory manager: heap pages ------------===//
#pragma once
#include "component/ikormmanager.h"
#include <atomic>

/// A minimal memory manager: pages come zero-filled from the heap, paged
/// arrays are always allowed, nothing can be released on request, and the
/// figures (in blocks of 24 KiB) describe this process and machine.
class HostMemoryManager : public KorMM::IKorMManager {
public:
  KOR_CLASS(HostMemoryManager, KorMM::IKorMManager)
  bool IsAvailable() override { return true; }
  void *AllocPage(size_t bytes) override;
  void FreePage(void *page, size_t bytes) override;
  bool ReleaseMemory() override { return false; }
  uint64_t CoreLimit() override;
  uint64_t SwapLimit() override;
  uint64_t SwapNow() override;
  uint64_t CoreNow() override;

  /// Pages handed out and not yet given back.
  uint64_t pagesInUse() const { return pagesInUse_; }

private:
  std::atomic<uint64_t> pagesInUse_{0};
};
