//===- korfaultguard.cpp - Faults and interrupts end a call ---------------===//
#include "frame/korfaultguard.h"
#include "frame/korinterrupt.h"
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <link.h>
#include <mutex>
#include <pthread.h>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

namespace {
/// The signals the guard handles while a guarded call runs: the processor
/// faults, abort and the interrupt signal.
constexpr int kHandledCount = 6;
int handledSignal(int index) {
  static constexpr int kFixed[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
  return index < 5 ? kFixed[index] : korInterruptSignal();
}
int handledIndex(int sig) {
  for (int i = 0; i < kHandledCount; ++i)
    if (handledSignal(i) == sig)
      return i;
  return -1;
}

/// One guarded call in progress.
struct Frame {
  sigjmp_buf target;
  KorGuardOptions options;
  Frame *outer = nullptr;
  KorGuardOutcome outcome;
  /// The thread's open runs when the call started: a jump to this call
  /// closes the runs of the inner calls it leaves.
  int runs = 0;
};

/// A thread's runs and guarded calls. A slot is claimed when the first run
/// of a thread opens and given back when its last run closes; its
/// alternate signal stack, mapped by the first owner, serves every later
/// owner.
struct ThreadSlot {
  std::atomic<pthread_t> owner{};
  std::atomic<Frame *> innermost{nullptr};
  /// Open runs of the thread; only the thread itself changes it.
  int runs = 0;
  /// The signal mask when the outermost run opened, which a caught signal
  /// puts back.
  sigset_t runMask;
  stack_t previousStack{};
  bool stackInstalled = false;
  void *stack = nullptr;
  size_t stackSize = 0;
};
constexpr int kThreadSlots = 256;
ThreadSlot gSlots[kThreadSlots];

ThreadSlot *slotOf(pthread_t thread) {
  for (ThreadSlot &slot : gSlots)
    if (slot.owner.load(std::memory_order_acquire) == thread)
      return &slot;
  return nullptr;
}

ThreadSlot *claimSlot(pthread_t thread) {
  for (ThreadSlot &slot : gSlots) {
    pthread_t free{};
    if (slot.owner.compare_exchange_strong(free, thread))
      return &slot;
  }
  return nullptr;
}

/// Maps the slot's alternate stack once. It must hold the handler when the
/// fault is a stack overflow, so it is not the stack that overflowed; the
/// handler itself needs very little.
bool mapStack(ThreadSlot &slot) {
  if (slot.stack)
    return true;
  long minimum = sysconf(_SC_SIGSTKSZ);
  size_t size = std::max<size_t>(64 * 1024, minimum > 0 ? 4 * minimum : 0);
  void *base = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED)
    return false;
  slot.stack = base;
  slot.stackSize = size;
  return true;
}

/// Installs the slot's alternate stack, keeping the thread's previous one.
void installAltStack(ThreadSlot &slot) {
  slot.stackInstalled = false;
  if (!mapStack(slot))
    return;
  stack_t stack{};
  stack.ss_sp = slot.stack;
  stack.ss_size = slot.stackSize;
  slot.stackInstalled = sigaltstack(&stack, &slot.previousStack) == 0;
}

void restoreAltStack(ThreadSlot &slot) {
  if (slot.stackInstalled)
    sigaltstack(&slot.previousStack, nullptr);
  slot.stackInstalled = false;
}

/// Executable ranges of the system's runtime libraries (the C library, the
/// dynamic linker, the C++ and unwinder libraries). An interrupt that finds
/// the body inside them is put off: the body may hold one of their locks
/// (the allocator's, a stream's), which a jump would never release.
struct CodeRange {
  uintptr_t first, last;
};
constexpr int kMaxRanges = 16;
CodeRange gRuntimeCode[kMaxRanges];
int gRuntimeRanges = 0;
pthread_once_t gRuntimeOnce = PTHREAD_ONCE_INIT;

bool isRuntimeLibrary(const char *path) {
  static const char *const kNames[] = {"/libc.so", "/ld-linux", "/libstdc++.so",
                                       "/libgcc_s.so", "/libpthread.so"};
  for (const char *name : kNames)
    if (path && std::strstr(path, name))
      return true;
  return false;
}

int addRuntimeRanges(dl_phdr_info *info, size_t, void *) {
  if (!isRuntimeLibrary(info->dlpi_name))
    return 0;
  for (int i = 0; i < info->dlpi_phnum && gRuntimeRanges < kMaxRanges; ++i) {
    const ElfW(Phdr) &segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD || !(segment.p_flags & PF_X))
      continue;
    uintptr_t first = info->dlpi_addr + segment.p_vaddr;
    gRuntimeCode[gRuntimeRanges++] = {first, first + segment.p_memsz};
  }
  return 0;
}

uintptr_t interruptedAddress(const void *context) {
  const auto *user = static_cast<const ucontext_t *>(context);
  if (!user)
    return 0;
#if defined(__x86_64__)
  return static_cast<uintptr_t>(user->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
  return static_cast<uintptr_t>(user->uc_mcontext.pc);
#else
  return 0;
#endif
}

bool interruptedInRuntime(const void *context) {
  uintptr_t address = interruptedAddress(context);
  for (int i = 0; i < gRuntimeRanges; ++i)
    if (address >= gRuntimeCode[i].first && address < gRuntimeCode[i].last)
      return true;
  return false;
}

/// Times an interrupt is put off before it is taken wherever the body is;
/// the runner repeats it every few milliseconds.
constexpr int kMaxDeferrals = 50;

/// Handlers are process-wide: the first thread of this library copy to
/// open a run installs them and the last one to close its runs restores
/// what was there before.
std::mutex gHandlerMutex;
int gRunningThreads = 0;
struct sigaction gPrevious[kHandledCount];

/// Hands a signal no guarded call takes to the handler that was there
/// before the guard.
void passOn(int sig, siginfo_t *info, void *context) {
  int index = handledIndex(sig);
  if (index < 0)
    return;
  const struct sigaction &previous = gPrevious[index];
  if (previous.sa_handler == SIG_IGN)
    return;
  if (previous.sa_handler != SIG_DFL) {
    if (previous.sa_flags & SA_SIGINFO)
      previous.sa_sigaction(sig, info, context);
    else
      previous.sa_handler(sig);
    return;
  }
  // A stray interrupt is dropped; anything else takes its default action.
  // Returning re-executes a faulting instruction; a signal sent by a
  // process is raised again instead.
  if (sig == korInterruptSignal())
    return;
  sigaction(sig, &previous, nullptr);
  if (!info || info->si_code <= 0)
    raise(sig);
}

/// The frame that takes `sig`: the innermost for a fault, else the
/// innermost one that asked for it.
Frame *catcherOf(Frame *innermost, int sig) {
  for (Frame *frame = innermost; frame; frame = frame->outer) {
    bool takes = sig == SIGABRT                ? frame->options.catchAbort
                 : sig == korInterruptSignal() ? frame->options.interruptible
                                               : true;
    if (takes)
      return frame;
  }
  return nullptr;
}

void onSignal(int sig, siginfo_t *info, void *context) {
  int savedErrno = errno;
  ThreadSlot *slot = slotOf(pthread_self());
  Frame *innermost =
      slot ? slot->innermost.load(std::memory_order_relaxed) : nullptr;
  KorInterruptNotice *notice = nullptr;
  if (sig == korInterruptSignal()) {
    notice = korInterruptNoticeOf(info);
    if (!notice)
      innermost = nullptr;
  }
  Frame *catcher = catcherOf(innermost, sig);
  if (catcher && notice && !korInterruptIsSynchronous(notice->kind) &&
      notice->deferrals < kMaxDeferrals && interruptedInRuntime(context)) {
    notice->deferrals = notice->deferrals + 1;
    errno = savedErrno;
    return;
  }
  if (catcher) {
    catcher->outcome.signal = sig;
    catcher->outcome.code = info ? info->si_code : 0;
    catcher->outcome.address = info ? info->si_addr : nullptr;
    catcher->outcome.interrupt = notice;
    if (notice)
      notice->taken = 1;
    slot->innermost.store(catcher, std::memory_order_relaxed);
    // The target keeps no signal mask: the landing puts back the run's.
    siglongjmp(catcher->target, 1);
  }
  passOn(sig, info, context);
  errno = savedErrno;
}

void findRuntimeCode() { dl_iterate_phdr(addRuntimeRanges, nullptr); }

void installHandlers() {
  pthread_once(&gRuntimeOnce, findRuntimeCode);
  std::lock_guard<std::mutex> lock(gHandlerMutex);
  if (gRunningThreads++ > 0)
    return;
  struct sigaction action {};
  action.sa_sigaction = onSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < kHandledCount; ++i)
    sigaction(handledSignal(i), &action, &gPrevious[i]);
}

void restoreHandlers() {
  std::lock_guard<std::mutex> lock(gHandlerMutex);
  if (--gRunningThreads > 0)
    return;
  for (int i = 0; i < kHandledCount; ++i)
    sigaction(handledSignal(i), &gPrevious[i], nullptr);
}

/// Opens a run on this thread: the first one claims the thread's slot and
/// installs the handlers and the alternate stack. No guarded call of the
/// thread is in progress then, so no signal can jump out of the set-up.
/// Null when the table has no room for the thread.
ThreadSlot *openRun() {
  pthread_t self = pthread_self();
  ThreadSlot *slot = slotOf(self);
  if (!slot)
    slot = claimSlot(self);
  if (!slot)
    return nullptr;
  if (slot->runs++ == 0) {
    pthread_sigmask(SIG_SETMASK, nullptr, &slot->runMask);
    installAltStack(*slot);
    installHandlers();
  }
  return slot;
}

/// Closes a run; the last one restores what the first one installed and
/// gives the slot back.
void closeRun(ThreadSlot *slot) {
  if (!slot || --slot->runs > 0)
    return;
  restoreHandlers();
  restoreAltStack(*slot);
  slot->owner.store(pthread_t{}, std::memory_order_release);
}

/// The part that jumps: kept apart so that no local of the caller lives in
/// a frame that siglongjmp returns into.
__attribute__((noinline)) void callWithJumpTarget(Frame &frame,
                                                  ThreadSlot &slot,
                                                  KorGuardedFn fn,
                                                  void *context) {
  if (sigsetjmp(frame.target, 0) == 0) {
    std::atomic_signal_fence(std::memory_order_seq_cst);
    slot.innermost.store(&frame, std::memory_order_relaxed);
    fn(context);
  } else {
    // The handler ran with its signal blocked; the run's mask comes back.
    pthread_sigmask(SIG_SETMASK, &slot.runMask, nullptr);
  }
  slot.innermost.store(frame.outer, std::memory_order_relaxed);
}
} // namespace

KorGuardedRun::KorGuardedRun() : slot_(openRun()) {}

KorGuardedRun::~KorGuardedRun() { closeRun(static_cast<ThreadSlot *>(slot_)); }

KorGuardOutcome korRunGuarded(KorGuardedFn fn, void *context,
                              const KorGuardOptions &options) {
  ThreadSlot *slot = openRun();
  if (!slot) {
    fn(context);
    return {};
  }
  Frame frame;
  frame.options = options;
  frame.outer = slot->innermost.load(std::memory_order_relaxed);
  frame.runs = slot->runs;
  callWithJumpTarget(frame, *slot, fn, context);
  // Runs opened inside fn that a jump left are closed with this call's.
  slot->runs = frame.runs;
  closeRun(slot);
  return frame.outcome;
}

int korRunFaultGuarded(KorGuardedFn fn, void *context) {
  return korRunGuarded(fn, context, KorGuardOptions()).signal;
}
