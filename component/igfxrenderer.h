//===- igfxrenderer.h - The host's renderer around modal messages ---------===//
//
// Operations are counted from 1 after the IKorUnknown ones; the core library
// calls only 8 and 9, the others are reserved.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/korreservedslots.h"

/// The host's 3D renderer.
class IGfxRenderer : public virtual IKorUnknown {
  KOR_INTERFACE(IGfxRenderer)
  KOR_RESERVED_SLOTS(1, 7)
  /// 8: a modal message is about to be shown; rendering pauses.
  virtual void BeginModalMessage() = 0;
  /// 9: the modal message is gone; rendering resumes.
  virtual void EndModalMessage() = 0;
};
