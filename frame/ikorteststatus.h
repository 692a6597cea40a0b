//===- ikorteststatus.h - The status record of one test run ---------------===//
#pragma once
#include "component/korclass.h"

class KorCString;
class IKorTest;

/// Outcome of a test run, as stored in its status record.
enum KorTestState : int {
  kTestNotRun = 0,
  kTestPassed = 1,
  kTestFailed = 2,
  kTestSkipped = 3,
  kTestAborted = 4,
};

/// Everything that happens to one test during one run: state, messages with
/// their source file and line, declared expectations, progress and timing.
/// Messages are numbered from 1 in the order they were added.
class IKorTestStatus : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTestStatus)
  /// Slot 0: adds a message with file "" and line 0.
  virtual void AddMessage(const KorCString &text) = 0;
  /// Slot 1: the test declares that an application assertion will fail.
  virtual void ExpectAssert() = 0;
  /// Slot 2: whether an assertion was declared.
  virtual bool IsAssertExpected() = 0;
  /// Slot 3: records a failed application assertion (message and flag).
  virtual void OnAssert(const char *text, const char *file, int line) = 0;
  /// Slot 4: the test declares that an exception will escape its body.
  virtual void ExpectException() = 0;
  /// Slot 5: whether an exception was declared.
  virtual bool IsExceptionExpected() = 0;
  /// Slot 6: records an exception that left the body (message and flag).
  virtual void OnException(const char *text, const char *file, int line) = 0;
  /// Slot 7: the minimum number of progress advances the test must report.
  virtual void ExpectProgress(int count) = 0;
  /// Slot 8: the declared number of progress advances.
  virtual int GetExpectedProgress() = 0;
  /// Slot 9: one progress report (a fraction from 0 to 1).
  virtual void OnProgress(float fraction) = 0;
  /// Slot 10: whether the runner's leak check applies to this test.
  virtual void SetCheckMemory(bool check) = 0;
  /// Slot 11: the leak-check flag (true by default).
  virtual bool GetCheckMemory() = 0;
  /// Slot 12: appends a copy of text and file, and line.
  virtual void AddMessage(const char *text, const char *file, int line) = 0;
  /// Slot 13: the number of messages.
  virtual int GetMessageCount() = 0;
  /// Slot 14: text of a message (1-based), null outside 1..count.
  virtual const char *GetMessage(int index) = 0;
  /// Slot 15: source file of a message, null outside 1..count.
  virtual const char *GetMessageFile(int index) = 0;
  /// Slot 16: source line of a message, 0 outside 1..count.
  virtual int GetMessageLine(int index) = 0;
  /// Slot 17: whether a failed application assertion was recorded.
  virtual bool AssertOccurred() = 0;
  /// Slot 18: whether an exception was recorded.
  virtual bool ExceptionOccurred() = 0;
  /// Slot 19: the test this record belongs to (may be null).
  virtual IKorTest *GetTest() = 0;
  /// Slot 20: checks the declared expectations; on failure sets the state
  /// to Failed and returns false. Adds no message.
  virtual bool VerifyExpectations() = 0;
  /// Slot 21: the state's name and each message text, one per line.
  virtual KorCString &ToString(KorCString &out) = 0;
  /// Slot 22: the state (KorTestState, any value is kept).
  virtual int GetState() = 0;
  /// Slot 23: sets the state unconditionally.
  virtual void SetState(int state) = 0;
  /// Slot 24: the elapsed time of the test in seconds.
  virtual double GetDuration() = 0;
  /// Slot 25: a second time value; always -1.0 here.
  virtual double GetAuxTime() = 0;
};
