//===- imemchecker.h - The host's override of the memory figures ----------===//
#pragma once
#include "component/korclass.h"
#include <cstdint>

/// Supplies the machine's memory figures in place of the operating system
/// (a host that simulates a smaller machine, or one that knows better).
class IMemChecker : public virtual IKorUnknown {
  KOR_INTERFACE(IMemChecker)
  /// 1: whether the figures of slot 2 are to be used.
  virtual bool IsActive() = 0;
  /// 2: system free, system total, swap free and swap total, each divided
  /// by `divisor`; 0 on success, all bits set on failure.
  virtual uint32_t GetMemoryStatus(uint64_t *systemFree, uint64_t *systemTotal,
                                   uint64_t *swapFree, uint64_t *swapTotal,
                                   int divisor) = 0;
};
