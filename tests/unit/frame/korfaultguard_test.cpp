// Unit tests of the fault guard: faults, abort and interrupts end the call
// they happen in, handlers stay for a run and come back after it, a
// thread's first call allocates nothing.
#include "frame/korfaultguard.h"
#include "frame/korinterrupt.h"
#include "testservice/heapentrycount.h"
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <pthread.h>
#include <thread>

namespace {
volatile int *volatile gNull = nullptr;
volatile int gSink = 0;
volatile bool gNeverStop = true;

// The faults must reach the processor: sanitizers would report them first.
#define KOR_RAW_FAULT                                                          \
  __attribute__((noinline, no_sanitize("address", "undefined")))
KOR_RAW_FAULT void dereferenceNull() { *gNull = 1; }

__attribute__((noinline)) void overflowStack() {
  volatile char frame[512];
  frame[0] = 0;
  if (gNeverStop)
    overflowStack();
  gSink = frame[0]; // a use after the call: no tail call
}

KorInterruptNotice gNotice;

/// Sends this thread the interrupt signal carrying gNotice, as the runner
/// does when a body calls exit.
void interruptThisThread() {
  gNotice = KorInterruptNotice();
  gNotice.kind = kInterruptExit;
  sigval value{};
  value.sival_ptr = &gNotice;
  pthread_sigqueue(pthread_self(), korInterruptSignal(), value);
}

/// The signal that ended body under the guard for faults only, else 0.
int guarded(void (*body)()) {
  return korRunFaultGuarded([body] { body(); });
}

// Null dereference, division by zero, abort and exit under the guard are
// the fault component's end-to-end runs. Bodies whose inner guarded call
// must catch its own fault, or leave what it does not catch to the outer
// call.
void trap() { __builtin_trap(); }
void innerNull() { guarded(dereferenceNull); }
void overflowOnThread() {
  std::thread([] { guarded(overflowStack); }).join();
}
void innerAbort() { guarded(std::abort); }
void innerInterrupt() { guarded(interruptThisThread); }

void previousHandler(int) {}

sighandler_t currentHandler(int sig) {
  struct sigaction action {};
  sigaction(sig, nullptr, &action);
  return action.sa_handler;
}

struct GuardCase {
  const char *name;
  KorGuardOptions options;
  void (*body)();
  int signal; // what ends the call; 0: it returns
};

class KorGuardCaseTest : public testing::TestWithParam<GuardCase> {};
} // namespace

TEST_P(KorGuardCaseTest, EndsTheCallOnlyForWhatItCatches) {
  const GuardCase &c = GetParam();
  bool after = false;
  KorGuardOutcome outcome = korRunGuarded(
      [&] {
        c.body();
        after = true;
      },
      c.options);
  EXPECT_EQ(outcome.signal, c.signal);
  EXPECT_EQ(after, c.signal == 0);
  EXPECT_EQ(outcome.interrupt,
            c.signal == korInterruptSignal() ? &gNotice : nullptr);
  EXPECT_EQ(currentHandler(SIGABRT), SIG_DFL);
  EXPECT_EQ(currentHandler(korInterruptSignal()), SIG_DFL);
  EXPECT_EQ(korRunFaultGuarded([] {}), 0) << "the next call runs normally";
}

const KorGuardOptions kFaults, kAbort{true, false}, kInterrupt{false, true};
INSTANTIATE_TEST_SUITE_P(
    Cases, KorGuardCaseTest,
    testing::Values(
        GuardCase{"IllegalInstruction", kFaults, trap, SIGILL},
        GuardCase{"StackOverflow", kFaults, overflowStack, SIGSEGV},
        GuardCase{"InnerCallCatchesItsOwnFault", kFaults, innerNull, 0},
        GuardCase{"OverflowOnAnotherThread", kFaults, overflowOnThread, 0},
        GuardCase{"AbortInAnInnerCallReachesTheOuter", kAbort, innerAbort,
                  SIGABRT},
        GuardCase{"InterruptInAnInnerCallReachesTheOuter", kInterrupt,
                  innerInterrupt, korInterruptSignal()},
        GuardCase{"InterruptNotAskedForIsDropped", kAbort, interruptThisThread,
                  0}),
    [](const testing::TestParamInfo<GuardCase> &info) {
      return std::string(info.param.name);
    });

TEST(KorFaultGuard, AbortIsNotCaughtUnlessAsked) {
  EXPECT_DEATH(korRunFaultGuarded([] { std::abort(); }), "");
}

TEST(KorFaultGuard, FirstCallOfAThreadAllocatesNothing) {
  if (!HeapEntryCountAvailable())
    GTEST_SKIP() << "this build does not count heap blocks";
  int64_t blocks = -1;
  std::thread fresh([&] {
    int64_t before = HeapEntryCount();
    guarded(dereferenceNull);
    blocks = HeapEntryCount() - before;
  });
  fresh.join();
  EXPECT_EQ(blocks, 0);
}

TEST(KorGuardedRun, HandlersStayUntilTheLastRunClosesThenThePreviousReturn) {
  struct sigaction mine = {}, saved = {};
  mine.sa_handler = previousHandler;
  sigaction(SIGSEGV, &mine, &saved);
  stack_t before{}, after{};
  sigaltstack(nullptr, &before);
  auto guardHandles = [] { return currentHandler(SIGSEGV) != previousHandler; };

  std::optional<KorGuardedRun> run(std::in_place);
  EXPECT_TRUE(guardHandles());
  for (int call = 0; call < 2; ++call)
    EXPECT_EQ(guarded(dereferenceNull), SIGSEGV);
  sigset_t mask;
  pthread_sigmask(SIG_SETMASK, nullptr, &mask);
  EXPECT_FALSE(sigismember(&mask, SIGSEGV)) << "the fault path gives the mask";
  std::thread([] {
    KorGuardedRun workerRun;
    EXPECT_EQ(guarded(dereferenceNull), SIGSEGV);
  }).join();
  EXPECT_TRUE(guardHandles()) << "the worker's run closed, this one stays";
  run.reset();
  EXPECT_FALSE(guardHandles());

  // A run that a fault jumps out of closes with the call it jumps to.
  EXPECT_EQ(korRunFaultGuarded([] {
              KorGuardedRun inner;
              dereferenceNull();
            }),
            SIGSEGV);
  EXPECT_FALSE(guardHandles());
  sigaltstack(nullptr, &after);
  EXPECT_EQ(after.ss_sp, before.ss_sp);
  EXPECT_EQ(after.ss_flags, before.ss_flags);
  sigaction(SIGSEGV, &saved, nullptr);
}
