//===- genstdstreamsresultsrouter.cpp - Writes a formatter's text to stdout ===//
#include "results/genstdstreamsresultsrouter.h"
#include "KorBasicTypes/korstring.h"
#include "results/ikortestresultsformatter.h"
#include <iostream>

void GenStdStreamsResultsRouter::Route(IKorTestResultsFormatter *formatter) {
  if (!formatter)
    return;
  // The narrow form goes through the host's string support when it is
  // offered; without it only the ASCII characters remain.
  const char *text = formatter->GetOutput().narrow();
  if (text)
    std::cout << text;
}
