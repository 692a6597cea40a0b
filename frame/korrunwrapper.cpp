//===- korrunwrapper.cpp - Runs a test body against its status record -----===//
#include "frame/korrunwrapper.h"
#include "component/iptr.h"
#include "frame/ikorfaultguard.h"
#include "frame/ikorteststatus.h"
#include "frame/ikortestservice.h"
#include "frame/korfaultguard.h"
#include "frame/korfaultreport.h"
#include "frame/korinterrupt.h"
#include "frame/kortestbase.h"
#include <string>

namespace {
struct GuardedRun {
  KorTestBody body;
  KorTestBase *test;
  IKorTestStatus *status;
  bool threw = false;
  std::string cause;
};

void runCatchingExceptions(void *context) {
  auto *run = static_cast<GuardedRun *>(context);
  try {
    run->body(run->test, run->status);
  } catch (...) {
    run->threw = true;
    run->cause = korCurrentExceptionCause();
  }
}

/// Adds the messages that say which declared expectation was not met; a
/// failure of the progress expectation alone adds none.
void explainFailedExpectations(KorTestBase *test, IKorTestStatus *status) {
  const char *file = test->SourceFile();
  int line = test->DeclarationLine();
  if (status->AssertOccurred() != status->IsAssertExpected())
    status->AddMessage(
        status->IsAssertExpected()
            ? "A failed assertion was expected, but never occurred."
            : "A failed assertion occurred, but was not expected.",
        file, line);
  if (status->ExceptionOccurred() != status->IsExceptionExpected())
    status->AddMessage(status->IsExceptionExpected()
                           ? "An exception was expected, but never occurred."
                           : "An exception occurred.",
                       file, line);
}

/// Runs the body under the fault guard of the running test service, whose
/// handlers the run installed, else under this library's own.
KorGuardOutcome runGuarded(GuardedRun &run, const KorGuardOptions &options) {
  SPtr<IKorTestService> service;
  IPtr<IKorFaultGuard> runnerGuard(service.get());
  if (!runnerGuard)
    return korRunGuarded(runCatchingExceptions, &run, options);
  KorGuardOutcome outcome;
  runnerGuard->RunGuarded(runCatchingExceptions, &run, options, outcome);
  return outcome;
}

/// A body the run interrupted fails with the reason, whatever it declared.
void recordInterruption(KorTestBase *test, IKorTestStatus *status,
                        const KorInterruptNotice &notice) {
  int kind = notice.kind;
  int detail = notice.detail;
  status->AddMessage(korInterruptMessage(kind, detail).c_str(),
                     test->SourceFile(), test->DeclarationLine());
  status->SetState(kTestFailed);
  korReportTestEnd(test, korInterruptCause(kind, detail));
}
} // namespace

void korRunTest(KorTestBase *test, IKorTestStatus *status, KorTestBody body) {
  if (!status)
    return;
  IKorTestStatus *previous = test->exchangeCurrentStatus(status);
  status->SetState(kTestPassed);
  GuardedRun run{body, test, status, false, {}};
  KorGuardOptions options;
  options.catchAbort = !test->BreakOnFailure();
  options.interruptible = true;
  KorGuardOutcome outcome = runGuarded(run, options);
  if (outcome.interrupt) {
    recordInterruption(test, status, *outcome.interrupt);
  } else {
    if (run.threw || outcome.signal != 0) {
      status->OnException("Exception Occurred", test->SourceFile(),
                          test->DeclarationLine());
      korReportTestEnd(test, run.threw ? run.cause : korSignalCause(outcome));
    }
    if (!status->VerifyExpectations())
      explainFailedExpectations(test, status);
  }
  test->exchangeCurrentStatus(previous);
}
