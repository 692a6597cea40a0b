//===- clock.cpp - The host clock: a monotonic stopwatch ------------------===//
#include "host/services/clock.h"
#include "host/services/hostservices.h"

void HostClock::Start() {
  start_ = std::chrono::steady_clock::now();
  running_ = true;
}

void HostClock::Stop() {
  if (!running_)
    return;
  std::chrono::duration<double> span =
      std::chrono::steady_clock::now() - start_;
  elapsed_ = span.count();
  running_ = false;
}

KORHOST_SERVICE("IKorClock", [](const HostOptions &) { return new HostClock; });
