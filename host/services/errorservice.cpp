//===- errorservice.cpp - The host's error service: reports on the console ===//
#include "host/services/errorservice.h"
#include "host/services/hostservices.h"
#include "host/services/hostutf.h"

void HostErrorService::Report(const KorWChar *message, const int &severity,
                              const char *source) {
  std::string text = hostToUtf8(message);
  if (severity == 0) {
    std::fprintf(output_, "%s\n", text.c_str());
    std::fflush(output_);
    return;
  }
  if (source && *source)
    std::fprintf(errors_, "korhost: error (%s): %s\n", source, text.c_str());
  else
    std::fprintf(errors_, "korhost: error: %s\n", text.c_str());
  std::fflush(errors_);
}

KORHOST_SERVICE("IKorErrorService",
                [](const HostOptions &) { return new HostErrorService; });
