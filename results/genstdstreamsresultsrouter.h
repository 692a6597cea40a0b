//===- genstdstreamsresultsrouter.h - Writes a formatter's text to stdout -===//
#pragma once
#include "results/ikortestresultsrouter.h"

/// Inserts the narrow form of the output into standard output, as is: no
/// line end is added and the stream is not flushed.
class GenStdStreamsResultsRouter : public virtual IKorTestResultsRouter {
public:
  KOR_CLASS(GenStdStreamsResultsRouter, IKorTestResultsRouter)
  void Route(IKorTestResultsFormatter *formatter) override;
};
