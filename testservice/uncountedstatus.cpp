//===- uncountedstatus.cpp - A record whose own blocks are not counted ----===//
#include "testservice/uncountedstatus.h"
#include "testservice/heapentrycount.h"
#include "KorBasicTypes/korcstring.h"
#include <type_traits>

template <class Operation>
decltype(auto) UncountedStatus::counted(Operation operation) {
  int64_t before = HeapEntryCount();
  if constexpr (std::is_void_v<decltype(operation(*record_))>) {
    operation(*record_);
    recordBlocks_ += HeapEntryCount() - before;
  } else {
    decltype(auto) result = operation(*record_);
    recordBlocks_ += HeapEntryCount() - before;
    return result;
  }
}

void UncountedStatus::forwardTo(IKorTestStatus *record) {
  record_ = record;
  recordBlocks_ = 0;
}

void UncountedStatus::AddMessage(const KorCString &text) {
  counted([&](IKorTestStatus &r) { r.AddMessage(text); });
}
void UncountedStatus::ExpectAssert() {
  counted([](IKorTestStatus &r) { r.ExpectAssert(); });
}
bool UncountedStatus::IsAssertExpected() {
  return counted([](IKorTestStatus &r) { return r.IsAssertExpected(); });
}
void UncountedStatus::OnAssert(const char *text, const char *file, int line) {
  counted([&](IKorTestStatus &r) { r.OnAssert(text, file, line); });
}
void UncountedStatus::ExpectException() {
  counted([](IKorTestStatus &r) { r.ExpectException(); });
}
bool UncountedStatus::IsExceptionExpected() {
  return counted([](IKorTestStatus &r) { return r.IsExceptionExpected(); });
}
void UncountedStatus::OnException(const char *text, const char *file,
                                  int line) {
  counted([&](IKorTestStatus &r) { r.OnException(text, file, line); });
}
void UncountedStatus::ExpectProgress(int count) {
  counted([&](IKorTestStatus &r) { r.ExpectProgress(count); });
}
int UncountedStatus::GetExpectedProgress() {
  return counted([](IKorTestStatus &r) { return r.GetExpectedProgress(); });
}
void UncountedStatus::OnProgress(float fraction) {
  counted([&](IKorTestStatus &r) { r.OnProgress(fraction); });
}
void UncountedStatus::SetCheckMemory(bool check) {
  counted([&](IKorTestStatus &r) { r.SetCheckMemory(check); });
}
bool UncountedStatus::GetCheckMemory() {
  return counted([](IKorTestStatus &r) { return r.GetCheckMemory(); });
}
void UncountedStatus::AddMessage(const char *text, const char *file, int line) {
  counted([&](IKorTestStatus &r) { r.AddMessage(text, file, line); });
}
int UncountedStatus::GetMessageCount() {
  return counted([](IKorTestStatus &r) { return r.GetMessageCount(); });
}
const char *UncountedStatus::GetMessage(int index) {
  return counted([&](IKorTestStatus &r) { return r.GetMessage(index); });
}
const char *UncountedStatus::GetMessageFile(int index) {
  return counted([&](IKorTestStatus &r) { return r.GetMessageFile(index); });
}
int UncountedStatus::GetMessageLine(int index) {
  return counted([&](IKorTestStatus &r) { return r.GetMessageLine(index); });
}
bool UncountedStatus::AssertOccurred() {
  return counted([](IKorTestStatus &r) { return r.AssertOccurred(); });
}
bool UncountedStatus::ExceptionOccurred() {
  return counted([](IKorTestStatus &r) { return r.ExceptionOccurred(); });
}
IKorTest *UncountedStatus::GetTest() {
  return counted([](IKorTestStatus &r) { return r.GetTest(); });
}
bool UncountedStatus::VerifyExpectations() {
  return counted([](IKorTestStatus &r) { return r.VerifyExpectations(); });
}
KorCString &UncountedStatus::ToString(KorCString &out) {
  return counted(
      [&](IKorTestStatus &r) -> KorCString & { return r.ToString(out); });
}
int UncountedStatus::GetState() {
  return counted([](IKorTestStatus &r) { return r.GetState(); });
}
void UncountedStatus::SetState(int state) {
  counted([&](IKorTestStatus &r) { r.SetState(state); });
}
double UncountedStatus::GetDuration() {
  return counted([](IKorTestStatus &r) { return r.GetDuration(); });
}
double UncountedStatus::GetAuxTime() {
  return counted([](IKorTestStatus &r) { return r.GetAuxTime(); });
}
