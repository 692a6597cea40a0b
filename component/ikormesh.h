//===- ikormesh.h - A triangle mesh that saves itself ---------------------===//
//
// The interface of the mesh object a model item holds. The byte layout of
// a saved mesh belongs to the mesh implementation: a caller opens the
// stream, lets the mesh write itself and closes the stream. Positions the
// component does not call are reserved and answer 0.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"

class BinOutput;

/// A mesh of the host's model.
class IKorMesh : public virtual IKorUnknown {
  KOR_INTERFACE(IKorMesh)
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
  virtual int Reserved31() { return 0; }
  virtual int Reserved32() { return 0; }
  virtual int Reserved33() { return 0; }
  virtual int Reserved34() { return 0; }
  virtual int Reserved35() { return 0; }
  virtual int Reserved36() { return 0; }
  virtual int Reserved37() { return 0; }
  virtual int Reserved38() { return 0; }
  virtual int Reserved39() { return 0; }
  virtual int Reserved40() { return 0; }
  virtual int Reserved41() { return 0; }
  virtual int Reserved42() { return 0; }
  virtual int Reserved43() { return 0; }
  virtual int Reserved44() { return 0; }
  virtual int Reserved45() { return 0; }
  virtual int Reserved46() { return 0; }
  virtual int Reserved47() { return 0; }
  virtual int Reserved48() { return 0; }
  virtual int Reserved49() { return 0; }
  virtual int Reserved50() { return 0; }
  virtual int Reserved51() { return 0; }
  virtual int Reserved52() { return 0; }
  virtual int Reserved53() { return 0; }
  virtual int Reserved54() { return 0; }
  virtual int Reserved55() { return 0; }
  virtual int Reserved56() { return 0; }
  virtual int Reserved57() { return 0; }
  virtual int Reserved58() { return 0; }
  virtual int Reserved59() { return 0; }
  virtual int Reserved60() { return 0; }
  virtual int Reserved61() { return 0; }
  virtual int Reserved62() { return 0; }
  virtual int Reserved63() { return 0; }
  virtual int Reserved64() { return 0; }
  virtual int Reserved65() { return 0; }
  virtual int Reserved66() { return 0; }
  virtual int Reserved67() { return 0; }
  virtual int Reserved68() { return 0; }
  virtual int Reserved69() { return 0; }
  virtual int Reserved70() { return 0; }
  virtual int Reserved71() { return 0; }
  virtual int Reserved72() { return 0; }
  virtual int Reserved73() { return 0; }
  virtual int Reserved74() { return 0; }
  virtual int Reserved75() { return 0; }
  virtual int Reserved76() { return 0; }
  virtual int Reserved77() { return 0; }
  virtual int Reserved78() { return 0; }
  /// Slot 79: writes the mesh into an open binary output stream; true on
  /// success. The caller flushes and closes the stream.
  virtual bool WriteMesh(BinOutput *out) = 0;
};
