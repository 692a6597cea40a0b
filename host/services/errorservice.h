//===- errorservice.h - The host's error service: reports on the console --===//
#pragma once
#include "component/ikorerrorservice.h"
#include <cstdio>

/// Writes severity-1 reports to stderr and kind-0 output as plain lines on
/// stdout.
class HostErrorService : public IKorErrorService {
public:
  KOR_CLASS(HostErrorService, IKorErrorService)
  explicit HostErrorService(FILE *errors = stderr, FILE *output = stdout)
      : errors_(errors), output_(output) {}
  void Report(const KorWChar *message, const int &severity,
              const char *source) override;

private:
  FILE *errors_;
  FILE *output_;
};
