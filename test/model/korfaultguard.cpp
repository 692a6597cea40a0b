//===- korfaultguard.cpp - Turns processor faults in a call into a return -===//
#include "korfaultguard.h"
#include <algorithm>
#include <csetjmp>
#include <csignal>
#include <cstddef>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr int kSignalCount = sizeof(kFaultSignals) / sizeof(kFaultSignals[0]);

/// Where a fault on this thread jumps to; null outside a guarded call.
thread_local sigjmp_buf *tJumpTarget = nullptr;

/// This thread's alternate signal stack, mapped on first use. It must hold
/// the handler when the fault is a stack overflow, so it is not the stack
/// that overflowed; the handler itself needs very little.
class AltStack {
public:
  ~AltStack() {
    if (base_)
      munmap(base_, size_);
  }
  /// The stack description, or null when it cannot be mapped.
  const stack_t *get() {
    if (!base_)
      map();
    return base_ ? &stack_ : nullptr;
  }

private:
  void map() {
    long minimum = sysconf(_SC_SIGSTKSZ);
    size_ = std::max<size_t>(64 * 1024, minimum > 0 ? 4 * minimum : 0);
    void *base = mmap(nullptr, size_, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
      return;
    base_ = base;
    stack_.ss_sp = base_;
    stack_.ss_size = size_;
    stack_.ss_flags = 0;
  }

  void *base_ = nullptr;
  size_t size_ = 0;
  stack_t stack_{};
};
thread_local AltStack tAltStack;

/// Handlers are process-wide: the outermost guard of this library copy
/// installs them and the last one to leave restores what was there before.
std::mutex gHandlerMutex;
int gGuardDepth = 0;
struct sigaction gPrevious[kSignalCount];

int signalIndex(int sig) {
  for (int i = 0; i < kSignalCount; ++i)
    if (kFaultSignals[i] == sig)
      return i;
  return -1;
}

void onFault(int sig, siginfo_t *info, void *) {
  if (sigjmp_buf *target = tJumpTarget) {
    tJumpTarget = nullptr;
    siglongjmp(*target, sig);
  }
  // A fault on a thread that runs no guarded call: hand it to whoever had
  // the signal before. Returning re-executes the faulting instruction; a
  // signal sent by a process is raised again instead.
  int index = signalIndex(sig);
  if (index >= 0)
    sigaction(sig, &gPrevious[index], nullptr);
  if (info && info->si_code <= 0)
    raise(sig);
}

void installHandlers() {
  std::lock_guard<std::mutex> lock(gHandlerMutex);
  if (gGuardDepth++ > 0)
    return;
  struct sigaction action {};
  action.sa_sigaction = onFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < kSignalCount; ++i)
    sigaction(kFaultSignals[i], &action, &gPrevious[i]);
}

void restoreHandlers() {
  std::lock_guard<std::mutex> lock(gHandlerMutex);
  if (--gGuardDepth > 0)
    return;
  for (int i = 0; i < kSignalCount; ++i)
    sigaction(kFaultSignals[i], &gPrevious[i], nullptr);
}

/// Installs this thread's alternate stack; restores the previous one when
/// it goes out of scope. Nothing changes while running on a signal stack.
class AltStackScope {
public:
  AltStackScope() {
    const stack_t *stack = tAltStack.get();
    installed_ = stack && sigaltstack(stack, &previous_) == 0;
  }
  ~AltStackScope() {
    if (installed_)
      sigaltstack(&previous_, nullptr);
  }

private:
  stack_t previous_{};
  bool installed_ = false;
};

/// The part that jumps: kept apart so that no local of the caller lives in
/// a frame that siglongjmp returns into.
__attribute__((noinline)) int callWithJumpTarget(KorGuardedFn fn,
                                                 void *context) {
  sigjmp_buf target;
  sigjmp_buf *outer = tJumpTarget;
  int fault = sigsetjmp(target, 1);
  if (fault == 0) {
    tJumpTarget = &target;
    fn(context);
  }
  tJumpTarget = outer;
  return fault;
}
} // namespace

int korRunFaultGuarded(KorGuardedFn fn, void *context) {
  AltStackScope altStack;
  installHandlers();
  int fault = callWithJumpTarget(fn, context);
  restoreHandlers();
  return fault;
}
