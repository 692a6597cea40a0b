//===- korfaultguard.h - Faults and interrupts end a call -----------------===//
//
// Test bodies run under this guard so that a null dereference, an integer
// division by zero, a bus error, an illegal instruction or a stack overflow
// ends the body like an exception instead of ending the process. On
// request it also ends the call on abort (abort, a failed assert,
// std::terminate) and on the test run's interrupt signal (korinterrupt.h:
// a time limit, a stop signal, exit() in the body).
//
// The guard's signal handlers and a thread's alternate signal stack are
// installed when a run of guarded calls opens on the thread (KorGuardedRun)
// and restored when it closes; a call inside a run only sets its jump
// target, without a system call, and the fault path puts back the signal
// mask the run started with. A call outside any run opens one of its own,
// so each library that links its own copy of the guard still works on its
// own. A signal the guard does not take (a fault on a thread outside any
// guarded call, abort that is not caught) goes on to the handler that was
// there before. Its per-thread state lives in a fixed table, not in
// thread-local storage, so the first guarded call of a thread allocates no
// heap block.
//
// The handlers are the process's, the jump targets this copy's: a body in
// another library reaches the runner's copy through IKorFaultGuard
// (ikorfaultguard.h).
//
//===----------------------------------------------------------------------===//
#pragma once

struct KorInterruptNotice;

/// A function run under the guard, with its context.
using KorGuardedFn = void (*)(void *context);

/// What the guard catches besides processor faults. Shared by every
/// library copy of the guard: fields are only added at the end.
struct KorGuardOptions {
  /// SIGABRT raised while the call runs ends it (not when the run must
  /// stop in a debugger: break-on-failure relies on abort).
  bool catchAbort = false;
  /// The interrupt signal ends the call.
  bool interruptible = false;
};

/// How a guarded call ended. Shared like KorGuardOptions.
struct KorGuardOutcome {
  /// 0 when the function returned, else the signal that ended it.
  int signal = 0;
  /// The signal's si_code and si_addr (the faulting address of a
  /// processor fault).
  int code = 0;
  void *address = nullptr;
  /// The notice of the interrupt that ended the call, else null.
  KorInterruptNotice *interrupt = nullptr;
};

/// Keeps the guard's handlers and this thread's alternate signal stack
/// installed while it lives. Runs nest, and runs on other threads are
/// independent; the handlers go when the last run of the process closes.
class KorGuardedRun {
public:
  KorGuardedRun();
  ~KorGuardedRun();
  KorGuardedRun(const KorGuardedRun &) = delete;
  KorGuardedRun &operator=(const KorGuardedRun &) = delete;

private:
  void *slot_;
};

/// Calls fn(context) under the guard. Locals of the frames a signal leaves
/// are not destroyed. fn must not let a C++ exception escape. Guards nest,
/// also across threads; a signal that an inner call does not catch ends
/// the nearest outer call that does. A thread beyond the table's room runs
/// fn unguarded.
KorGuardOutcome korRunGuarded(KorGuardedFn fn, void *context,
                              const KorGuardOptions &options);

/// Calls fn(context) under the guard for processor faults only. Returns 0
/// when fn returned, or the number of the signal (SIGSEGV, SIGBUS, SIGFPE,
/// SIGILL) whose fault ended it.
int korRunFaultGuarded(KorGuardedFn fn, void *context);

/// Calls any callable under the guard; see korRunGuarded.
template <class F>
KorGuardOutcome korRunGuarded(F &&callable, const KorGuardOptions &options) {
  return korRunGuarded(
      [](void *context) { (*static_cast<decltype(&callable)>(context))(); },
      &callable, options);
}

/// Calls any callable under the guard; see korRunFaultGuarded.
template <class F> int korRunFaultGuarded(F &&callable) {
  return korRunGuarded(static_cast<F &&>(callable), KorGuardOptions()).signal;
}
