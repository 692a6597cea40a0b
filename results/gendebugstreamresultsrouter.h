//===- gendebugstreamresultsrouter.h - Results to the debugger channel ----===//
#pragma once
#include "results/ikortestresultsrouter.h"
#include <cstddef>

/// Sends the UTF-8 form of the output to the debugger output channel (see
/// korDebugOutput).
class GenDebugStreamResultsRouter : public virtual IKorTestResultsRouter {
public:
  KOR_CLASS(GenDebugStreamResultsRouter, IKorTestResultsRouter)
  void Route(IKorTestResultsFormatter *formatter) override;
};

/// Where korDebugOutput writes.
enum class KorDebugChannel {
  Descriptor, ///< the descriptor named by KORTEST_DEBUG_FD
  Stderr,     ///< standard error, under a tracer or without a log socket
  Syslog,     ///< syslog(3), one LOG_DEBUG record per line
};

/// The channel korDebugOutput would use now.
KorDebugChannel korDebugChannel();

/// Writes `size` bytes of text to the debugger output channel.
void korDebugOutput(const char *text, size_t size);
