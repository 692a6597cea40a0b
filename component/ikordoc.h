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
  virtual int Reserved0() { return 0; }
  virtual int Reserved1() { return 0; }
  virtual int Reserved2() { return 0; }
  virtual int Reserved3() { return 0; }
  virtual int Reserved4() { return 0; }
  virtual int Reserved5() { return 0; }
  virtual int Reserved6() { return 0; }
  virtual int Reserved7() { return 0; }
  virtual int Reserved8() { return 0; }
  virtual int Reserved9() { return 0; }
  virtual int Reserved10() { return 0; }
  virtual int Reserved11() { return 0; }
  virtual int Reserved12() { return 0; }
  virtual int Reserved13() { return 0; }
  virtual int Reserved14() { return 0; }
  virtual int Reserved15() { return 0; }
  virtual int Reserved16() { return 0; }
  virtual int Reserved17() { return 0; }
  virtual int Reserved18() { return 0; }
  virtual int Reserved19() { return 0; }
  virtual int Reserved20() { return 0; }
  virtual int Reserved21() { return 0; }
  virtual int Reserved22() { return 0; }
  virtual int Reserved23() { return 0; }
  virtual int Reserved24() { return 0; }
  virtual int Reserved25() { return 0; }
  virtual int Reserved26() { return 0; }
  virtual int Reserved27() { return 0; }
  virtual int Reserved28() { return 0; }
  /// Slot 29: the item of that name (such as "GenModel"), or null.
  virtual IKorModelItem *Item(const char *name) = 0;
};

/// The host's open document (service name "IKorDoc").
class IKorDoc : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDoc)
  virtual int Reserved0() { return 0; }
  virtual int Reserved1() { return 0; }
  virtual int Reserved2() { return 0; }
  virtual int Reserved3() { return 0; }
  virtual int Reserved4() { return 0; }
  virtual int Reserved5() { return 0; }
  virtual int Reserved6() { return 0; }
  virtual int Reserved7() { return 0; }
  virtual int Reserved8() { return 0; }
  virtual int Reserved9() { return 0; }
  virtual int Reserved10() { return 0; }
  virtual int Reserved11() { return 0; }
  virtual int Reserved12() { return 0; }
  virtual int Reserved13() { return 0; }
  virtual int Reserved14() { return 0; }
  virtual int Reserved15() { return 0; }
  virtual int Reserved16() { return 0; }
  virtual int Reserved17() { return 0; }
  virtual int Reserved18() { return 0; }
  virtual int Reserved19() { return 0; }
  virtual int Reserved20() { return 0; }
  virtual int Reserved21() { return 0; }
  virtual int Reserved22() { return 0; }
  virtual int Reserved23() { return 0; }
  virtual int Reserved24() { return 0; }
  virtual int Reserved25() { return 0; }
  virtual int Reserved26() { return 0; }
  virtual int Reserved27() { return 0; }
  virtual int Reserved28() { return 0; }
  virtual int Reserved29() { return 0; }
  virtual int Reserved30() { return 0; }
  /// Slot 31: the current model container, or null when there is none.
  /// Both arguments are 0.
  virtual IKorModelContainer *CurrentModel(int32_t which, int32_t flags) = 0;
};
