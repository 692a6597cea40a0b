//===- korrunwrapper.cpp - Runs a test body against its status record -----===//
#include "korrunwrapper.h"
#include "ikorteststatus.h"
#include "korfaultguard.h"
#include "kortestbase.h"

namespace {
struct GuardedRun {
  KorTestBody body;
  KorTestBase *test;
  IKorTestStatus *status;
  bool threw = false;
};

void runCatchingExceptions(void *context) {
  auto *run = static_cast<GuardedRun *>(context);
  try {
    run->body(run->test, run->status);
  } catch (...) {
    run->threw = true;
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
} // namespace

void korRunTest(KorTestBase *test, IKorTestStatus *status, KorTestBody body) {
  if (!status)
    return;
  IKorTestStatus *previous = test->exchangeCurrentStatus(status);
  status->SetState(kTestPassed);
  GuardedRun run{body, test, status};
  int fault = korRunFaultGuarded(runCatchingExceptions, &run);
  if (run.threw || fault != 0)
    status->OnException("Exception Occurred", test->SourceFile(),
                        test->DeclarationLine());
  if (!status->VerifyExpectations())
    explainFailedExpectations(test, status);
  test->exchangeCurrentStatus(previous);
}
