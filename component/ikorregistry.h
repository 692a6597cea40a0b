//===- ikorregistry.h - The host registry: keys and their values ----------===//
#pragma once
#include "component/korclass.h"
#include "component/korreservedslots.h"

namespace Tarnwell {

/// Walks the values of one registry key, in the registry's order.
class IKorRegIter : public virtual IKorUnknown {
  KOR_INTERFACE(IKorRegIter)
  KOR_RESERVED_SLOTS(0, 1)
  /// Slot 1: goes to the first value.
  virtual void First() = 0;
  /// Slot 2: goes to the next value.
  virtual void Next() = 0;
  /// Slot 3: true when past the last value.
  virtual bool IsDone() = 0;
  /// Slot 4: the current value as narrow text; valid until the iterator
  /// moves or dies.
  virtual const char *CurrentValue() = 0;
};

/// The host registry. Slots the component does not use are reserved.
class IKorRegistry : public virtual IKorUnknown {
  KOR_INTERFACE(IKorRegistry)
  KOR_RESERVED_SLOTS(0, 6)
  /// Slot 6: a new iterator (no reference taken yet) over the values of
  /// `key`, or null when the key does not exist.
  virtual IKorRegIter *GetValueIterator(const char *key) = 0;
};

} // namespace Tarnwell
