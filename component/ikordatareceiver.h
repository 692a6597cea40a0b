//===- ikordatareceiver.h - Receiver of settings changes ------------------===//
#pragma once
#include "component/korclass.h"

/// Called by the settings store when a watched value changes.
class IKorDataReceiver : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDataReceiver)
  /// Slot 0: the value of `key` is now `value`.
  virtual void OnDataChanged(const char *key, double value) = 0;
};
