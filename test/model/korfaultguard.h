//===- korfaultguard.h - Turns processor faults in a call into a return ---===//
//
// Test bodies run under this guard so that a null dereference, an integer
// division by zero, a bus error, an illegal instruction or a stack overflow
// ends the body like an exception instead of ending the process. The guard
// is self-contained: it installs its signal handlers and an alternate signal
// stack around the call and restores the previous ones afterwards, so every
// library that links its own copy of it works on its own. SIGABRT is left
// alone: break-on-failure relies on abort ending the process.
//
//===----------------------------------------------------------------------===//
#pragma once

/// A function run under the guard, with its context.
using KorGuardedFn = void (*)(void *context);

/// Calls fn(context). Returns 0 when fn returned, or the number of the
/// signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL) whose fault ended it. Locals of
/// the frames a fault leaves are not destroyed. fn must not let a C++
/// exception escape. Guards nest, also across threads (per-thread jump
/// target and alternate stack).
int korRunFaultGuarded(KorGuardedFn fn, void *context);

/// Calls any callable under the guard; see korRunFaultGuarded.
template <class F> int korRunFaultGuarded(F &&callable) {
  return korRunFaultGuarded(
      [](void *context) { (*static_cast<decltype(&callable)>(context))(); },
      &callable);
}
