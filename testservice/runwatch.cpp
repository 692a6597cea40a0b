//===- runwatch.cpp - What may end a test run early, and what it leaves ---===//
#include "testservice/runwatch.h"
#include "frame/korinterrupt.h"
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};
/// Signals whose default action ends the process, besides the stop signals.
constexpr int kFatalSignals[] = {
    SIGQUIT, SIGILL,  SIGTRAP,   SIGABRT, SIGBUS,  SIGFPE,
    SIGUSR1, SIGSEGV, SIGUSR2,   SIGPIPE, SIGALRM, SIGSTKFLT,
    SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGPOLL, SIGSYS};
constexpr int kStopCount = sizeof kStopSignals / sizeof kStopSignals[0];
constexpr int kFatalCount = sizeof kFatalSignals / sizeof kFatalSignals[0];
/// The stop and fatal signals, then the interrupt signal.
constexpr int kWatchedCount = kStopCount + kFatalCount + 1;

/// An interrupt is repeated this often until a body takes it (a guard puts
/// it off while the body is inside the system's runtime libraries).
constexpr long kRepeatNanoseconds = 20 * 1000 * 1000;

/// A signal disposition the watch took over, and the one it replaced.
struct TakenSignal {
  int signal = 0;
  bool taken = false;
  struct sigaction previous {};
};

/// The state of the active watch; handlers reach it, so it is plain data.
struct WatchState {
  volatile sig_atomic_t active = 0;
  pthread_t thread{};
  timer_t timer{};
  bool hasTimer = false;
  /// The timer is set: a body that ends disarms it, one that was never
  /// limited costs no system call.
  volatile sig_atomic_t timerArmed = 0;
  int32_t timeLimit = 0;
  KorInterruptNotice notice;
  volatile sig_atomic_t inBody = 0;
  /// Interrupts that reached the run thread during a body but no guard.
  volatile sig_atomic_t strayInBody = 0;
  volatile sig_atomic_t stop = 0;
  const char *volatile runningTest = nullptr;
  volatile sig_atomic_t finished = 0;
  int32_t total = 0;
  TakenSignal watched[kWatchedCount];
  stack_t previousStack{};
  bool stackInstalled = false;
};
WatchState gWatch;

/// The run thread's alternate signal stack, so that the death of a stack
/// overflow in the runner can still be told. Mapped once per process.
void *gRunnerStack = nullptr;
constexpr size_t kRunnerStackSize = 64 * 1024;

/// A line built without allocating, for signal handlers.
class SignalSafeLine {
public:
  SignalSafeLine &operator<<(const char *text) {
    while (text && *text && length_ < kCapacity)
      text_[length_++] = *text++;
    return *this;
  }
  SignalSafeLine &operator<<(long number) {
    char digits[24];
    int count = 0;
    unsigned long magnitude =
        number < 0 ? 0ul - static_cast<unsigned long>(number) : number;
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude);
    if (number < 0)
      *this << "-";
    while (count > 0 && length_ < kCapacity)
      text_[length_++] = digits[--count];
    return *this;
  }
  /// The text so far, NUL-terminated.
  const char *text() {
    text_[length_] = '\0';
    return text_;
  }
  void writeTo(int fd) const {
    size_t written = 0;
    while (written < length_) {
      ssize_t n = write(fd, text_ + written, length_ - written);
      if (n <= 0 && errno != EINTR)
        return;
      if (n > 0)
        written += static_cast<size_t>(n);
    }
  }

private:
  static constexpr size_t kCapacity = 1024;
  char text_[kCapacity + 1];
  size_t length_ = 0;
};

/// `korhost: SIGSEGV while "Suite.Test" was running (12 of 40 tests
/// finished)`; `what` names the signal or the exit.
void tellDeath(const char *what) {
  SignalSafeLine line;
  line << program_invocation_short_name << ": " << what;
  const char *running = gWatch.runningTest;
  if (running)
    line << " while \"" << running << "\" was running (";
  else
    line << " while no test was running (";
  line << static_cast<long>(gWatch.finished) << " of "
       << static_cast<long>(gWatch.total) << " tests finished)\n";
  line.writeTo(STDERR_FILENO);
}

void armTimer(time_t seconds, long nanoseconds) {
  itimerspec when{};
  when.it_value.tv_sec = seconds;
  when.it_value.tv_nsec = nanoseconds;
  when.it_interval.tv_nsec = kRepeatNanoseconds;
  gWatch.timerArmed = 1;
  timer_settime(gWatch.timer, 0, &when, nullptr);
}

void disarmTimer() {
  itimerspec never{};
  timer_settime(gWatch.timer, 0, &never, nullptr);
  gWatch.timerArmed = 0;
}

/// Aims the interrupt signal at the run thread, repeated until a body
/// takes it or the body ends.
void interruptBody(int kind, int detail) {
  gWatch.notice.kind = kind;
  gWatch.notice.detail = detail;
  if (gWatch.hasTimer) {
    armTimer(0, 1);
    return;
  }
  sigval value{};
  value.sival_ptr = &gWatch.notice;
  pthread_sigqueue(gWatch.thread, korInterruptSignal(), value);
}

void onStopSignal(int sig) {
  int savedErrno = errno;
  if (gWatch.stop == 0)
    gWatch.stop = sig;
  // A second stop signal ends the process at once.
  for (int i = 0; i < kStopCount; ++i)
    if (gWatch.watched[i].taken)
      sigaction(gWatch.watched[i].signal, &gWatch.watched[i].previous, nullptr);
  if (gWatch.inBody)
    interruptBody(kInterruptStopSignal, sig);
  errno = savedErrno;
}

bool refaultsOnReturn(int sig, const siginfo_t *info) {
  bool fault =
      sig == SIGSEGV || sig == SIGBUS || sig == SIGFPE || sig == SIGILL;
  return fault && info && info->si_code > 0;
}

void onFatalSignal(int sig, siginfo_t *info, void *) {
  const char *abbreviation = sigabbrev_np(sig);
  SignalSafeLine name;
  if (abbreviation)
    name << "SIG" << abbreviation;
  else
    name << "signal " << static_cast<long>(sig);
  tellDeath(name.text());
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigaction(sig, &fallback, nullptr);
  // A processor fault strikes again when the handler returns; any other
  // signal is raised again to take its default action.
  if (!refaultsOnReturn(sig, info))
    raise(sig);
}

/// An interrupt that reached no body (it came between bodies, or the body
/// ended first) is dropped.
void onStrayInterrupt(int, siginfo_t *, void *) {
  if (gWatch.inBody)
    gWatch.strayInBody = 1;
}

/// Interrupts the body on this thread before exit or quick_exit ends the
/// process; when no body takes it, tells who was running.
void interruptExitingBody(int kind, int status) {
  if (!gWatch.active || !gWatch.inBody ||
      !pthread_equal(pthread_self(), gWatch.thread))
    return;
  gWatch.stop = -1;
  gWatch.notice.kind = kind;
  gWatch.notice.detail = status;
  gWatch.notice.taken = 0;
  sigval value{};
  value.sival_ptr = &gWatch.notice;
  pthread_sigqueue(pthread_self(), korInterruptSignal(), value);
  SignalSafeLine what;
  if (kind == kInterruptExit)
    what << "exit(" << static_cast<long>(status) << ")";
  else
    what << "quick_exit()";
  tellDeath(what.text());
}

void onExit(int status, void *) {
  interruptExitingBody(kInterruptExit, status);
}
void onQuickExit() { interruptExitingBody(kInterruptQuickExit, 0); }

/// Takes over `signal` with `action` when its disposition is the default.
void takeOver(TakenSignal &entry, int signal, const struct sigaction &action) {
  entry.signal = signal;
  entry.taken = false;
  if (sigaction(signal, nullptr, &entry.previous) != 0 ||
      entry.previous.sa_handler != SIG_DFL)
    return;
  entry.taken = sigaction(signal, &action, nullptr) == 0;
}

void takeOverSignals() {
  struct sigaction stop {};
  stop.sa_handler = onStopSignal;
  stop.sa_flags = SA_RESTART | SA_ONSTACK;
  sigemptyset(&stop.sa_mask);
  struct sigaction fatal {};
  fatal.sa_sigaction = onFatalSignal;
  fatal.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&fatal.sa_mask);
  struct sigaction stray {};
  stray.sa_sigaction = onStrayInterrupt;
  stray.sa_flags = SA_SIGINFO | SA_RESTART | SA_ONSTACK;
  sigemptyset(&stray.sa_mask);

  TakenSignal *entry = gWatch.watched;
  for (int signal : kStopSignals)
    takeOver(*entry++, signal, stop);
  for (int signal : kFatalSignals)
    takeOver(*entry++, signal, fatal);
  takeOver(*entry, korInterruptSignal(), stray);
}

void giveBackSignals() {
  for (TakenSignal &entry : gWatch.watched)
    if (entry.taken)
      sigaction(entry.signal, &entry.previous, nullptr);
}

void installRunnerStack() {
  if (!gRunnerStack) {
    void *base = mmap(nullptr, kRunnerStackSize, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    gRunnerStack = base == MAP_FAILED ? nullptr : base;
  }
  gWatch.stackInstalled = false;
  if (!gRunnerStack)
    return;
  stack_t stack{};
  stack.ss_sp = gRunnerStack;
  stack.ss_size = kRunnerStackSize;
  gWatch.stackInstalled = sigaltstack(&stack, &gWatch.previousStack) == 0;
}

void createTimer() {
  sigevent event{};
  event.sigev_notify = SIGEV_THREAD_ID;
  event.sigev_signo = korInterruptSignal();
  event.sigev_value.sival_ptr = &gWatch.notice;
  event._sigev_un._tid = gettid();
  gWatch.hasTimer = timer_create(CLOCK_MONOTONIC, &event, &gWatch.timer) == 0;
  gWatch.timerArmed = 0;
}
} // namespace

KorRunWatch::KorRunWatch(int32_t timeLimitSeconds, int32_t total) {
  if (gWatch.active)
    return;
  owner_ = true;
  gWatch.thread = pthread_self();
  gWatch.timeLimit = timeLimitSeconds > 0 ? timeLimitSeconds : 0;
  gWatch.notice = KorInterruptNotice();
  gWatch.inBody = 0;
  gWatch.stop = 0;
  gWatch.runningTest = nullptr;
  gWatch.finished = 0;
  gWatch.total = total;
  createTimer();
  installRunnerStack();
  takeOverSignals();
  // Registered for every run, so that the handlers registered during
  // earlier runs do not come before it.
  on_exit(onExit, nullptr);
  at_quick_exit(onQuickExit);
  gWatch.active = 1;
}

KorRunWatch::~KorRunWatch() {
  if (!owner_)
    return;
  gWatch.active = 0;
  gWatch.inBody = 0;
  gWatch.runningTest = nullptr;
  if (gWatch.hasTimer)
    timer_delete(gWatch.timer);
  gWatch.hasTimer = false;
  giveBackSignals();
  if (gWatch.stackInstalled)
    sigaltstack(&gWatch.previousStack, nullptr);
}

void KorRunWatch::beginTest(const char *fullName) {
  if (owner_)
    gWatch.runningTest = fullName;
}

void KorRunWatch::beginBody() {
  if (!owner_)
    return;
  gWatch.notice.kind = kInterruptTimeout;
  gWatch.notice.detail = gWatch.timeLimit;
  gWatch.notice.taken = 0;
  gWatch.notice.deferrals = 0;
  gWatch.strayInBody = 0;
  gWatch.inBody = 1;
  if (gWatch.stop > 0)
    interruptBody(kInterruptStopSignal, gWatch.stop);
  else if (gWatch.timeLimit > 0 && gWatch.hasTimer)
    armTimer(gWatch.timeLimit, 0);
}

void KorRunWatch::endBody() {
  if (!owner_)
    return;
  gWatch.inBody = 0;
  if (gWatch.timerArmed)
    disarmTimer();
}

void KorRunWatch::endTest() {
  if (!owner_)
    return;
  gWatch.runningTest = nullptr;
  gWatch.finished = gWatch.finished + 1;
}

int32_t KorRunWatch::stop() const { return gWatch.active ? gWatch.stop : 0; }

bool KorRunWatch::interruptTaken() const {
  return gWatch.active && gWatch.notice.taken;
}

bool KorRunWatch::timeLimitMissed() const {
  return owner_ && gWatch.notice.kind == kInterruptTimeout &&
         !gWatch.notice.taken &&
         (gWatch.notice.deferrals > 0 || gWatch.strayInBody);
}
