//===- genlogserviceresultsrouter.cpp - Hands a formatter's text to the log ===//
#include "results/genlogserviceresultsrouter.h"
#include "component/ikorerrorservice.h"
#include "component/iptr.h"
#include "KorBasicTypes/korstring.h"
#include "results/ikortestresultsformatter.h"

void GenLogServiceResultsRouter::Route(IKorTestResultsFormatter *formatter) {
  if (!formatter)
    return;
  SPtr<IKorErrorService> log;
  if (!log)
    return;
  const int kind = 0; // passed-on output, not an error
  log->Report(formatter->GetOutput().data(), kind, "");
}
