//===- idatastore.h - The host's settings store contract ------------------===//
#pragma once
#include "component/ikordatareceiver.h"
#include "component/kortypes.h"

/// Settings keyed "Section/Name". Slots the component does not use are
/// reserved and answer 0.
class IDataStore : public virtual IKorUnknown {
  KOR_INTERFACE(IDataStore)
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
  /// Slot 10: the value as a boolean.
  virtual bool GetBool(const char *key, int reserved) = 0;
  virtual int Reserved11() { return 0; }
  /// Slot 12: the value as a double.
  virtual double GetDouble(const char *key, int reserved) = 0;
  virtual int Reserved13() { return 0; }
  virtual int Reserved14() { return 0; }
  virtual int Reserved15() { return 0; }
  /// Slot 16: the value as a wide C string (null when absent); *found, when
  /// given, tells whether the key exists.
  virtual const KorWChar *GetString(const char *key, bool *found) = 0;
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
  virtual int Reserved31() { return 0; }
  virtual int Reserved32() { return 0; }
  virtual int Reserved33() { return 0; }
  virtual int Reserved34() { return 0; }
  /// Slot 35: watches `key`; the receiver hears every change.
  virtual void Watch(const char *key, IKorDataReceiver *receiver) = 0;
};
