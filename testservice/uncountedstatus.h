//===- uncountedstatus.h - A record whose own blocks are not counted ------===//
//
// A leak-checked test must not fail for what the runner keeps on its
// behalf: a message its record stores (an expected exception, an
// application assertion that occurred) is a block the record allocates
// while the test runs and keeps after it. During a leak-checked test the
// body, the assertion hook and the progress forwarder therefore see this
// stand-in, which forwards every operation to the real record and counts
// the heap blocks those calls leave behind, so that the runner can take
// them out of the test's count.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/ikorteststatus.h"
#include <cstdint>

/// Forwards to a status record and counts the blocks the record keeps.
class UncountedStatus : public virtual IKorTestStatus {
public:
  KOR_CLASS(UncountedStatus, IKorTestStatus)

  /// Forwards to `record` from now on and starts counting at 0.
  void forwardTo(IKorTestStatus *record);
  /// Heap blocks the record's operations allocated minus those they freed
  /// since forwardTo.
  int64_t recordBlocks() const { return recordBlocks_; }

  void AddMessage(const KorCString &text) override;
  void ExpectAssert() override;
  bool IsAssertExpected() override;
  void OnAssert(const char *text, const char *file, int line) override;
  void ExpectException() override;
  bool IsExceptionExpected() override;
  void OnException(const char *text, const char *file, int line) override;
  void ExpectProgress(int count) override;
  int GetExpectedProgress() override;
  void OnProgress(float fraction) override;
  void SetCheckMemory(bool check) override;
  bool GetCheckMemory() override;
  void AddMessage(const char *text, const char *file, int line) override;
  int GetMessageCount() override;
  const char *GetMessage(int index) override;
  const char *GetMessageFile(int index) override;
  int GetMessageLine(int index) override;
  bool AssertOccurred() override;
  bool ExceptionOccurred() override;
  IKorTest *GetTest() override;
  bool VerifyExpectations() override;
  KorCString &ToString(KorCString &out) override;
  int GetState() override;
  void SetState(int state) override;
  double GetDuration() override;
  double GetAuxTime() override;

private:
  /// Calls `operation` on the record, counting the blocks it keeps.
  template <class Operation> decltype(auto) counted(Operation operation);

  IKorTestStatus *record_ = nullptr;
  int64_t recordBlocks_ = 0;
};
