//===- igfxrenderer.h - The host's renderer around modal messages ---------===//
//
// Operations are counted from 1 after the IKorUnknown ones; the core library
// calls only 8 and 9, the others are reserved.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"

/// The host's 3D renderer.
class IGfxRenderer : public virtual IKorUnknown {
  KOR_INTERFACE(IGfxRenderer)
  virtual int Reserved1() { return 0; }
  virtual int Reserved2() { return 0; }
  virtual int Reserved3() { return 0; }
  virtual int Reserved4() { return 0; }
  virtual int Reserved5() { return 0; }
  virtual int Reserved6() { return 0; }
  virtual int Reserved7() { return 0; }
  /// 8: a modal message is about to be shown; rendering pauses.
  virtual void BeginModalMessage() = 0;
  /// 9: the modal message is gone; rendering resumes.
  virtual void EndModalMessage() = 0;
};
