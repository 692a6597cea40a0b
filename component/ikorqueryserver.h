//===- ikorqueryserver.h - The host's query server: published records -----===//
#pragma once
#include "component/korclass.h"
#include "component/korreservedslots.h"
#include <cstdint>

template <class T> class KorArray;

/// Keeps named records of numbers that commands publish for the host and
/// its scripts to read (service name "IKorQueryServer").
class IKorQueryServer : public virtual IKorUnknown {
  KOR_INTERFACE(IKorQueryServer)
  KOR_RESERVED_SLOTS(0, 4)
  /// Slot 4: publishes a record under `name`, replacing an earlier one;
  /// the values are read from positions 1 to count.
  virtual void Publish(const char *name, const KorArray<int32_t> &values) = 0;
};
