//===- ikortestendreport.h - Where a run wrapper tells what ended a body --===//
//
// A run wrapper lives in its test's component; the runner that knows the
// running test lives in the test service. When a fault, an exception or an
// interrupt ends a body, the wrapper hands the cause to the test service
// through this interface (queried on the "IKorTestService" service), and
// the runner tells the user. Asking the runner keeps the wrapper from
// building the test's name inside the leak check's window.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"

class IKorTest;

/// Tells the user what ended a test body.
class IKorTestEndReport : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTestEndReport)
  /// Slot 0: the body of `test` ended early; `cause` says how ("ended by
  /// SIGSEGV at address 0x0", "timed out after 2 seconds").
  virtual void ReportTestEnd(IKorTest *test, const char *cause) = 0;
};
