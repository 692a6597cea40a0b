//===- clock.h - The host clock: a monotonic stopwatch --------------------===//
#pragma once
#include "component/ikorclock.h"
#include <chrono>

/// The host's IKorClock over the monotonic clock (never set back, so a
/// change of the wall-clock time cannot give a negative duration).
class HostClock : public IKorClock {
public:
  KOR_CLASS(HostClock, IKorClock)
  void Start() override;
  void Stop() override;
  double Elapsed() override { return elapsed_; }

private:
  std::chrono::steady_clock::time_point start_;
  bool running_ = false;
  double elapsed_ = 0.0;
};
