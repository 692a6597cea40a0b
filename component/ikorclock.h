//===- ikorclock.h - The host clock that times one test at a time ---------===//
#pragma once
#include "component/korclass.h"
#include "component/korreservedslots.h"

/// A stopwatch. Slots the component does not use are reserved.
class IKorClock : public virtual IKorUnknown {
  KOR_INTERFACE(IKorClock)
  KOR_RESERVED_SLOTS(0, 1)
  /// Slot 1: starts timing.
  virtual void Start() = 0;
  /// Slot 2: stops timing.
  virtual void Stop() = 0;
  KOR_RESERVED_SLOTS(3, 1)
  /// Slot 4: seconds between the last Start and the Stop that followed it.
  virtual double Elapsed() = 0;
};
