//===- ikorprogress.h - The host's progress service contract --------------===//
//
// Long operations report through one process-wide progress service. The
// service keeps a stack of nested ranges; dividers split the top range into
// parts and step through them. Operations are counted from 0 after the
// IKorUnknown ones; slots whose role is open are reserved.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include <cstdint>

/// The host's progress service.
class IKorProgress : public virtual IKorUnknown {
  KOR_INTERFACE(IKorProgress)
  /// 0: one report of `fraction` (local to the caller's range) on behalf of
  /// `source`; true to go on, false when the operation should stop.
  virtual bool Report(IKorProgress *source, float fraction) = 0;
  /// 1: reserved.
  virtual bool Reserved1() { return false; }
  /// 2: empties the range stack and starts over with the range 0 to 1.
  virtual void Reset() = 0;
  /// 3: reserved.
  virtual bool Reserved3() { return false; }
  virtual void Reserved4() {}
  virtual void Reserved5() {}
  virtual void Reserved6() {}
  virtual void Reserved7() {}
  virtual void Reserved8() {}
  /// 9: writes the service's caption into `out` (at most `room` code units,
  /// terminator included) and returns `out`.
  virtual KorWChar *Text(KorWChar *out, uint32_t room) = 0;
  virtual void Reserved10() {}
  virtual void Reserved11() {}
  /// 12: maps a fraction of the current range to a global fraction.
  virtual float Map(float fraction) = 0;
  /// 13: the flag byte.
  virtual uint8_t Flag() = 0;
  /// 14: stores the flag byte.
  virtual void SetFlag(uint8_t flag) = 0;
};
