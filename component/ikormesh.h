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
#include "component/korreservedslots.h"

class BinOutput;

/// A mesh of the host's model.
class IKorMesh : public virtual IKorUnknown {
  KOR_INTERFACE(IKorMesh)
  KOR_RESERVED_SLOTS(0, 79)
  /// Slot 79: writes the mesh into an open binary output stream; true on
  /// success. The caller flushes and closes the stream.
  virtual bool WriteMesh(BinOutput *out) = 0;
};
