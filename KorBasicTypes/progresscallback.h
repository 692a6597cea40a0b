//===- progresscallback.h - Per-mille progress held by an object ----------===//
//
// ProgressCallbackBase holds a position and a maximum in tenths of a percent
// for objects that report progress of their own; a position below 0 means
// reporting is off. ProgressCallbackObject and IKorProgressObject carry it
// as a plain object and as an interface.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikorprogress.h"
#include <cstdint>

/// A per-mille position and maximum, a flags byte and the progress service.
class ProgressCallbackBase {
public:
  /// Position 0, maximum 1000, flags 2, the host's "IKorProgress" (kept
  /// without a reference of its own).
  ProgressCallbackBase();
  /// A copy reports nothing (position -1) until switched on; it keeps the
  /// source's flags and progress service.
  ProgressCallbackBase(const ProgressCallbackBase &other);
  ProgressCallbackBase &operator=(const ProgressCallbackBase &other);

  /// Sets position and maximum in percent; a negative value keeps the old
  /// one. Both are clamped to 100 % and the position to the maximum.
  /// Nothing happens while reporting is off.
  void setPercent(int32_t current, int32_t maximum);
  /// Position and maximum in whole percent; 0 and 0 while reporting is off.
  void percent(int32_t &current, int32_t &maximum) const;
  /// Position, maximum (tenths of a percent) and the extra field as stored.
  void raw(int32_t &current, int32_t &maximum, int32_t &extra) const;

  /// Bit 0 of the flags.
  bool flag() const { return (flags_ & 1) != 0; }
  void setFlag(bool on) {
    flags_ = static_cast<uint8_t>(on ? flags_ | 1 : flags_ & ~1);
  }
  uint8_t flags() const { return flags_; }

  IKorProgress *progress() const { return progress_; }
  void setProgress(IKorProgress *progress) { progress_ = progress; }

private:
  int32_t current_ = 0;
  int32_t maximum_ = 1000;
  int32_t extra_ = 0;
  uint8_t flags_ = 2;
  IKorProgress *progress_ = nullptr;
};

/// ProgressCallbackBase as a plain object.
class ProgressCallbackObject : public KorObject, public ProgressCallbackBase {};

/// ProgressCallbackBase as an interface.
class IKorProgressObject : public virtual IKorUnknown,
                           public ProgressCallbackBase {
  KOR_INTERFACE(IKorProgressObject)
};
