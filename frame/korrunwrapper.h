//===- korrunwrapper.h - Runs a test body against its status record -------===//
#pragma once

class KorTestBase;
class IKorTestStatus;

/// A test body: the test object and the status record of the run.
using KorTestBody = void (*)(KorTestBase *test, IKorTestStatus *status);

/// The run wrapper of every test (IKorTest slot 1): makes status the test's
/// current record, marks it Passed, runs body under a guard that catches
/// every exception, processor fault and (unless the test breaks on failure)
/// abort ("Exception Occurred" at the test's declaration, the cause on
/// stderr), checks the declared expectations and explains a failed check,
/// then restores the previous current record. A body the run interrupts (a
/// time limit, a stop signal, exit) fails with the reason instead, its
/// expectations unchecked. A null status runs nothing.
void korRunTest(KorTestBase *test, IKorTestStatus *status, KorTestBody body);
