//===- ikordoc.h - The host's current document and its model --------------===//
//
// A command reaches the geometry of the open document through the service
// "IKorDoc": the document hands out its current model container, the
// container its items by name, and an item the object it holds. None of
// these calls adds a reference: the answers are borrowed from the document
// and stay valid while it is unchanged. Positions the component does not
// call are reserved and answer 0.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/korreservedslots.h"
#include <cstdint>

/// One named entry of a model: it holds the model object.
class IKorModelItem : public virtual IKorUnknown {
  KOR_INTERFACE(IKorModelItem)
  /// Slot 0: the model object of the item, or null.
  virtual IKorUnknown *Object() = 0;
};

/// The items of one model, by name.
class IKorModelContainer : public virtual IKorUnknown {
  KOR_INTERFACE(IKorModelContainer)
  KOR_RESERVED_SLOTS(0, 29)
  /// Slot 29: the item of that name (such as "GenModel"), or null.
  virtual IKorModelItem *Item(const char *name) = 0;
};

/// The host's open document (service name "IKorDoc").
class IKorDoc : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDoc)
  KOR_RESERVED_SLOTS(0, 31)
  /// Slot 31: the current model container, or null when there is none.
  /// Both arguments are 0.
  virtual IKorModelContainer *CurrentModel(int32_t which, int32_t flags) = 0;
};
