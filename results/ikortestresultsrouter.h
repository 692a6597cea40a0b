//===- ikortestresultsrouter.h - Delivers a formatter's text --------------===//
#pragma once
#include "component/korclass.h"

class IKorTestResultsFormatter;

/// Delivers the output of a formatter to one destination.
class IKorTestResultsRouter : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTestResultsRouter)
  /// Slot 0: reads `formatter`'s output and delivers it whole.
  virtual void Route(IKorTestResultsFormatter *formatter) = 0;
};
