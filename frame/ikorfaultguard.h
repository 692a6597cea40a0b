//===- ikorfaultguard.h - Guarded calls through the runner's guard --------===//
//
// Every library links its own copy of the fault guard, while signal
// handlers belong to the process. A test run installs its copy's handlers
// once for the whole run, so a body in another component's library must
// set its jump target where those handlers look: the run wrapper asks the
// test service (the "IKorTestService" service) for this interface and runs
// the body through it. Without it the wrapper uses its own copy, which then
// installs its handlers around that one call.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "frame/korfaultguard.h"

/// Runs calls under the fault guard copy of the test runner.
class IKorFaultGuard : public virtual IKorUnknown {
  KOR_INTERFACE(IKorFaultGuard)
  /// Slot 0: calls fn(context) under the guard (korRunGuarded) and stores
  /// how the call ended in `outcome`.
  virtual void RunGuarded(KorGuardedFn fn, void *context,
                          const KorGuardOptions &options,
                          KorGuardOutcome &outcome) = 0;
};
