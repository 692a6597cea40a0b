//===- ikortestmetadata.h - One metadata item attached to a test ----------===//
#pragma once
#include "component/korclass.h"
#include <list>

class KorCString;

/// A metadata item of a test; the test owns its items.
class IKorTestMetadata : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTestMetadata)
  /// Slot 0: fills out with the item's type name and returns it.
  virtual KorCString &TypeName(KorCString &out) = 0;
  /// Slot 1: reserved.
  virtual void Reserved1() {}
  /// Slot 2: reserved.
  virtual void Reserved2() {}
};

/// A test's metadata items, in declaration order (raw, owned by the test).
using KorMetadataList = std::list<IKorTestMetadata *>;
