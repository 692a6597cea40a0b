//===- progressservice.cpp - The host's progress service ------------------===//
//
// korhost answers "IKorProgress" with one NyrGlobalCallbackProgress, so the
// test service can register its forwarder by down-casting the service by
// name ("NyrGlobalCallbackProgress"). The service starts with the root range
// 0 to 1 on its stack, ready for dividers.
//
//===----------------------------------------------------------------------===//
#include "host/services/hostservices.h"
#include "KorBasicTypes/progress.h"

KORHOST_SERVICE("IKorProgress", [](const HostOptions &) -> IKorUnknown * {
  auto *progress = new NyrGlobalCallbackProgress;
  progress->Reset();
  return progress;
});
