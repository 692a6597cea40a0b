//===- genlogserviceresultsrouter.h - Hands a formatter's text to the log -===//
#pragma once
#include "results/ikortestresultsrouter.h"

/// Passes the whole output as one kind-0 message to the host's
/// "IKorErrorService"; does nothing when the host has none.
class GenLogServiceResultsRouter : public virtual IKorTestResultsRouter {
public:
  KOR_CLASS(GenLogServiceResultsRouter, IKorTestResultsRouter)
  void Route(IKorTestResultsFormatter *formatter) override;
};
