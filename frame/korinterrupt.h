//===- korinterrupt.h - How a test run tells a test body to stop ----------===//
//
// A test body runs in its own component's library, under that library's
// copy of the fault guard; the runner lives in another library. They meet
// through the operating system: to end a body early (a time limit, a stop
// signal, exit() called by the body) the runner aims the interrupt signal
// at the test's thread, carrying a pointer to a KorInterruptNotice in its
// si_value. Whichever guard copy holds the thread's jump target leaves the
// body, marks the notice taken and tells its run wrapper why.
//
// The notice is plain data shared by every library copy of one process:
// fields are only added at the end, never reordered.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <csignal>
#include <cstdint>
#include <string>

/// The real-time signal that interrupts a test body.
inline int korInterruptSignal() { return SIGRTMAX - 3; }

/// Why a body is interrupted.
enum KorInterruptKind : int32_t {
  kInterruptNone = 0,
  /// The body ran longer than the run's time limit; detail: the seconds.
  kInterruptTimeout = 1,
  /// The process received a stop signal; detail: its number.
  kInterruptStopSignal = 2,
  /// The body called exit; detail: the exit status.
  kInterruptExit = 3,
  /// The body called quick_exit.
  kInterruptQuickExit = 4,
};

/// Tells whoever takes the interrupt signal why a body must end.
struct KorInterruptNotice {
  static constexpr uint32_t kMagic = 0x4B4F5249; // "KORI"
  /// kMagic: tells a notice from whatever else a stray signal carries.
  uint32_t magic = kMagic;
  /// A KorInterruptKind.
  volatile sig_atomic_t kind = kInterruptNone;
  volatile sig_atomic_t detail = 0;
  /// Set by the guard that left a body for this notice.
  volatile sig_atomic_t taken = 0;
  /// How often a guard put the interrupt off because the body was inside
  /// the system's runtime libraries (where it may hold their locks).
  volatile sig_atomic_t deferrals = 0;
};

/// The notice a delivered interrupt signal carries, or null when the
/// signal carries none.
KorInterruptNotice *korInterruptNoticeOf(const siginfo_t *info);

/// Whether the interrupt must be taken where it finds the body: the body
/// itself asked for it (exit, quick_exit) rather than a timer or a signal.
inline bool korInterruptIsSynchronous(int kind) {
  return kind == kInterruptExit || kind == kInterruptQuickExit;
}

/// The record's message for an interrupted body: "Test timed out after 2
/// seconds.", "Test interrupted by SIGTERM.", "Test ended the process (exit
/// status 3).", "Test ended the process (quick_exit)."
std::string korInterruptMessage(int kind, int detail);

/// The cause shown on stderr: "timed out after 2 seconds", "interrupted by
/// SIGTERM", "ended the process (exit status 3)", "ended the process
/// (quick_exit)".
std::string korInterruptCause(int kind, int detail);

/// "SIGTERM" for SIGTERM; "signal 64" for a number without a name.
std::string korSignalName(int signal);
