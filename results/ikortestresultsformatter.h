//===- ikortestresultsformatter.h - Turns run results into one text -------===//
#pragma once
#include "component/korclass.h"

class IKorTestResults;
class KorString;

/// Produces one wide text from a results collection and keeps it.
class IKorTestResultsFormatter : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTestResultsFormatter)
  /// Slot 0: rebuilds the output text from `results`.
  virtual void Format(IKorTestResults *results) = 0;
  /// Slot 1: the text of the last Format (empty before the first).
  virtual const KorString &GetOutput() = 0;
};
