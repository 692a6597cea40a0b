//===- ikordate.h - The host's calendar date object -----------------------===//
#pragma once
#include "component/korclass.h"

/// A calendar date held by the host. The component only sets it to today
/// (slot 10) and hands it back to host services that format it; the read
/// accessors in the leading slots let a formatter reach the fields.
class IKorDate : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDate)
  /// Slot 0: the year (for example 2024).
  virtual int Year() { return 0; }
  /// Slot 1: the month, 1 to 12.
  virtual int Month() { return 0; }
  /// Slot 2: the day of the month, 1 to 31.
  virtual int Day() { return 0; }
  virtual void Reserved3() {}
  virtual void Reserved4() {}
  virtual void Reserved5() {}
  virtual void Reserved6() {}
  virtual void Reserved7() {}
  virtual void Reserved8() {}
  virtual void Reserved9() {}
  /// Slot 10: sets the object to the current date.
  virtual void SetToday() = 0;
};
