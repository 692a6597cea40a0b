//===- runwatch.h - What may end a test run early, and what it leaves -----===//
//
// While RunTests runs, a KorRunWatch takes care of everything that would
// otherwise end the run without its report:
// - a time limit per test body: a timer aimed at the test's thread sends
//   the interrupt signal (korinterrupt.h), and the guard that runs the body
//   leaves it;
// - SIGTERM, SIGINT and SIGHUP: the first one interrupts the running body
//   the same way and asks the run to stop; the watch then hands these
//   signals back to their default action, so a second one ends the process;
// - exit() and quick_exit() called by a body: an exit handler interrupts
//   the body before the process goes, and the run stops;
// - deaths nothing can recover from (a fault on another thread, a fatal
//   signal no one handles, a crash of the runner itself): one line on
//   stderr names the signal and the running test before the default action,
//   e.g. `korhost: SIGSEGV while "Suite.Test" was running (12 of 40 tests
//   finished)`.
// Only signals whose disposition is the default are taken over, and all
// of them are given back when the watch ends. One watch is active per
// process; a run inside a run leaves the outer watch in charge.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>

/// Watches one test run on the calling thread.
class KorRunWatch {
public:
  /// Starts watching a run of `total` tests whose bodies may run at most
  /// `timeLimitSeconds` each (0: no limit).
  KorRunWatch(int32_t timeLimitSeconds, int32_t total);
  /// Gives back every signal disposition and the timer.
  ~KorRunWatch();
  KorRunWatch(const KorRunWatch &) = delete;
  KorRunWatch &operator=(const KorRunWatch &) = delete;

  /// The test named `fullName` starts (the text must outlive the test).
  void beginTest(const char *fullName);
  /// Its body is about to run: arms the time limit, or interrupts the body
  /// at once when the run must stop already.
  void beginBody();
  /// The body is over: disarms the time limit.
  void endBody();
  /// The test's record is complete.
  void endTest();

  /// 0 while the run may go on; n > 0 after stop signal n; -1 after a
  /// body ended the process.
  int32_t stop() const;
  /// Whether the current test's body was left for an interrupt.
  bool interruptTaken() const;
  /// Whether the time limit ran out while the body ran, but the body was
  /// not left for it (it returned first, possibly early from a sleep or a
  /// read the interrupt cut short).
  bool timeLimitMissed() const;

private:
  bool owner_ = false;
};
