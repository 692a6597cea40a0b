//===- ikormmanager.h - The host's memory manager contract ----------------===//
//
// The host's memory manager hands out pages for very large arrays, can
// release memory on request and reports its figures in blocks of 24 KiB.
// Operations are counted from 1 after the IKorUnknown ones; those the core
// library does not call are reserved.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/korreservedslots.h"
#include <cstddef>
#include <cstdint>

namespace KorMM {

/// Size of one block of the manager's figures.
inline constexpr uint64_t kKorMMBlockBytes = 24576;

/// The host's memory manager.
class IKorMManager : public virtual IKorUnknown {
  KOR_INTERFACE_NAMED("KorMM::IKorMManager")
  /// 1: whether paged arrays may be used.
  virtual bool IsAvailable() = 0;
  /// 2: a zero-filled page of `bytes`, or null.
  virtual void *AllocPage(size_t bytes) = 0;
  /// 3: gives a page back.
  virtual void FreePage(void *page, size_t bytes) = 0;
  /// 4: releases memory on request; false when nothing more can go.
  virtual bool ReleaseMemory() = 0;
  KOR_RESERVED_SLOTS(5, 6)
  /// 11: the core (physical) limit in blocks.
  virtual uint64_t CoreLimit() = 0;
  /// 12: the swap limit in blocks.
  virtual uint64_t SwapLimit() = 0;
  /// 13: the current swap use in blocks.
  virtual uint64_t SwapNow() = 0;
  KOR_RESERVED_SLOTS(14, 4)
  /// 18: the current core use in blocks.
  virtual uint64_t CoreNow() = 0;
};

} // namespace KorMM
