//===- ikordateutil.h - The host's date and time formatting ---------------===//
#pragma once
#include "component/korclass.h"
#include "component/korreservedslots.h"

class IKorDate;
class IKorTime;
class KorString;

/// Turns host date and time objects into text. Slots the component does not
/// use are reserved and answer 0.
class IKorDateUtil : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDateUtil)
  KOR_RESERVED_SLOTS(0, 3)
  /// Slot 3: the date and the time of day as one text into `out`.
  virtual void FormatDateTime(KorString &out, IKorDate *date,
                              IKorTime *time) = 0;
};
