//===- testassertcb.h - Records application assertions against the test --===//
//
// During a test run the test service registers a TestAssertCB as the host's
// "IKorAssertHandlerCB". Every failed Assert_basic then reaches the status
// record of the running test (and, when chaining, the handler that was
// registered before).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikorasserthandlercb.h"
#include "component/iptr.h"

class IKorTestStatus;

/// The assertion hook of test runs.
class TestAssertCB : public virtual IKorAssertHandlerCB {
public:
  KOR_CLASS(TestAssertCB, IKorAssertHandlerCB)

  /// Passes the assertion on to the previous handler (when chaining),
  /// records it on the running test's status, and notes that one was seen.
  void HandleAssert(const char *text, const char *file, int line) override;

  /// Whether each assertion is also passed on to the previous handler.
  void setChain(bool chain) { chain_ = chain; }
  bool chain() const { return chain_; }
  /// The status record of the running test, or null between tests.
  void setStatus(IKorTestStatus *status) { status_ = status; }
  IKorTestStatus *status() const { return status_; }
  /// Whether HandleAssert ran since the last clearAssertSeen.
  bool assertSeen() const { return assertSeen_; }
  void clearAssertSeen() { assertSeen_ = false; }
  /// The handler registered before this one (takes a reference).
  void setPrevious(IKorAssertHandlerCB *previous) {
    previous_ = IPtr<IKorAssertHandlerCB>(previous);
  }
  IKorAssertHandlerCB *previous() const { return previous_.get(); }

  /// Makes sure the hook `held` is the registered "IKorAssertHandlerCB".
  /// When it is not (or `held` is empty), `held` is replaced by a new hook
  /// chained to the handler found and registered with the component
  /// manager. Returns true when a new hook was installed.
  static bool install(IPtr<TestAssertCB> &held);

private:
  IPtr<IKorAssertHandlerCB> previous_;
  bool chain_ = true;
  bool assertSeen_ = false;
  IKorTestStatus *status_ = nullptr;
};
