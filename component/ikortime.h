//===- ikortime.h - The host's time-of-day object -------------------------===//
#pragma once
#include "component/korclass.h"

/// A time of day held by the host. The component only sets it to now
/// (slot 6) and hands it back to host services that format it; the read
/// accessors in the leading slots let a formatter reach the fields.
class IKorTime : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTime)
  /// Slot 0: hours, 0 to 23.
  virtual int Hour() { return 0; }
  /// Slot 1: minutes, 0 to 59.
  virtual int Minute() { return 0; }
  /// Slot 2: seconds, 0 to 59.
  virtual int Second() { return 0; }
  virtual void Reserved3() {}
  virtual void Reserved4() {}
  virtual void Reserved5() {}
  /// Slot 6: sets the object to the current time of day.
  virtual void SetNow() = 0;
};
