//===- korfaultguard.h - Faults and interrupts end a call -----------------===//
//
// Test bodies run under this guard so that a null dereference, an integer
// division by zero, a bus error, an illegal instruction or a stack overflow
// ends the body like an exception instead of ending the process. On
// request it also ends the call on abort (abort, a failed assert,
// std::terminate) and on the test run's interrupt signal (korinterrupt.h:
// a time limit, a stop signal, exit() in the body).
//
// The guard is self-contained: it installs its signal handlers and an
// alternate signal stack around the call and restores the previous ones
// afterwards, so every library that links its own copy works on its own. A
// signal it does not take (a fault on a thread outside any guarded call,
// abort that is not caught) goes on to the handler that was there before.
// Its per-thread state lives in a fixed table, not in thread-local
// storage, so the first guarded call of a thread allocates no heap block.
//
//===----------------------------------------------------------------------===//
#pragma once

struct KorInterruptNotice;

/// A function run under the guard, with its context.
using KorGuardedFn = void (*)(void *context);

/// What the guard catches besides processor faults.
struct KorGuardOptions {
  /// SIGABRT raised while the call runs ends it (not when the run must
  /// stop in a debugger: break-on-failure relies on abort).
  bool catchAbort = false;
  /// The interrupt signal ends the call.
  bool interruptible = false;
};

/// How a guarded call ended.
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
