//===- genteststatus.h - The status record of one test run ----------------===//
#pragma once
#include "frame/ikorteststatus.h"
#include "KorBasicTypes/korcstring.h"
#include <vector>

/// The status record of one test run: a plain data holder that the run
/// wrapper, the assertion hook and the runner write and the results
/// formatters read. It never calls back into its test.
class GenTestStatus : public virtual IKorTestStatus {
public:
  KOR_CLASS(GenTestStatus, IKorTestStatus)
  /// A NotRun record of test (null is kept as it is); no reference is
  /// taken on the test.
  explicit GenTestStatus(IKorTest *test = nullptr) : test_(test) {}

  void AddMessage(const KorCString &text) override;
  void ExpectAssert() override { assertExpected_ = true; }
  bool IsAssertExpected() override { return assertExpected_; }
  void OnAssert(const char *text, const char *file, int line) override;
  void ExpectException() override { exceptionExpected_ = true; }
  bool IsExceptionExpected() override { return exceptionExpected_; }
  void OnException(const char *text, const char *file, int line) override;
  void ExpectProgress(int count) override { expectedProgress_ = count; }
  int GetExpectedProgress() override { return expectedProgress_; }
  void OnProgress(float fraction) override;
  void SetCheckMemory(bool check) override { checkMemory_ = check; }
  bool GetCheckMemory() override { return checkMemory_; }
  void AddMessage(const char *text, const char *file, int line) override;
  int GetMessageCount() override { return static_cast<int>(messages_.size()); }
  const char *GetMessage(int index) override;
  const char *GetMessageFile(int index) override;
  int GetMessageLine(int index) override;
  bool AssertOccurred() override { return assertOccurred_; }
  bool ExceptionOccurred() override { return exceptionOccurred_; }
  IKorTest *GetTest() override { return test_; }
  bool VerifyExpectations() override;
  KorCString &ToString(KorCString &out) override;
  int GetState() override { return state_; }
  void SetState(int state) override { state_ = state; }
  double GetDuration() override { return duration_; }
  double GetAuxTime() override { return auxTime_; }

  /// The elapsed time of the test in seconds (set by the test service).
  void SetDuration(double seconds) { duration_ = seconds; }
  /// Whether a progress report went backwards or above 1.0.
  bool progressInvalid() const { return progressInvalid_; }
  /// The highest progress fraction reported so far.
  float progressValue() const { return progressValue_; }
  /// The number of progress advances seen.
  int progressCount() const { return progressCount_; }

  /// The name text of a state ("Passed"; "INVALID STATE VALUE" for a value
  /// outside the known states).
  static const char *stateName(int state);

private:
  struct Message {
    KorCString text;
    KorCString file;
    int line;
  };
  const Message *message(int index) const;

  IKorTest *test_;
  int state_ = kTestNotRun;
  double duration_ = 0.0;
  double auxTime_ = -1.0;
  bool assertExpected_ = false;
  bool assertOccurred_ = false;
  bool exceptionExpected_ = false;
  bool exceptionOccurred_ = false;
  bool progressInvalid_ = false;
  float progressValue_ = 0.0f;
  int expectedProgress_ = 0;
  int progressCount_ = 0;
  bool checkMemory_ = true;
  std::vector<Message> messages_;
};
