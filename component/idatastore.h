//===- idatastore.h - The host's settings store contract ------------------===//
#pragma once
#include "component/ikordatareceiver.h"
#include "component/kortypes.h"
#include "component/korreservedslots.h"

/// Settings keyed "Section/Name". Slots the component does not use are
/// reserved and answer 0.
class IDataStore : public virtual IKorUnknown {
  KOR_INTERFACE(IDataStore)
  KOR_RESERVED_SLOTS(0, 10)
  /// Slot 10: the value as a boolean.
  virtual bool GetBool(const char *key, int reserved) = 0;
  KOR_RESERVED_SLOTS(11, 1)
  /// Slot 12: the value as a double.
  virtual double GetDouble(const char *key, int reserved) = 0;
  KOR_RESERVED_SLOTS(13, 3)
  /// Slot 16: the value as a wide C string (null when absent); *found, when
  /// given, tells whether the key exists.
  virtual const KorWChar *GetString(const char *key, bool *found) = 0;
  KOR_RESERVED_SLOTS(17, 18)
  /// Slot 35: watches `key`; the receiver hears every change.
  virtual void Watch(const char *key, IKorDataReceiver *receiver) = 0;
};
