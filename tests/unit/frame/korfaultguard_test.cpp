// Unit tests of the fault guard: faults, abort and interrupts become
// returns, handlers stay for a run and come back after it, a thread's
// first call allocates nothing.
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
volatile int gZero = 0;
volatile bool gNeverStop = true;

// The faults must reach the processor: sanitizers would report them first.
#define KOR_RAW_FAULT                                                          \
  __attribute__((noinline, no_sanitize("address", "undefined")))

KOR_RAW_FAULT void dereferenceNull() { *gNull = 1; }
volatile int gQuotient = 0;
KOR_RAW_FAULT void divideByZero() { gQuotient = 7 / gZero; }

__attribute__((noinline)) int recurseForever(int depth) {
  volatile char frame[512];
  frame[0] = static_cast<char>(depth);
  if (!gNeverStop)
    return frame[0];
  return recurseForever(depth + 1) + frame[0];
}

void previousHandler(int) {}

struct sigaction currentAction(int sig) {
  struct sigaction action {};
  sigaction(sig, nullptr, &action);
  return action;
}
} // namespace

TEST(KorFaultGuard, NormalReturnGivesZero) {
  int calls = 0;
  EXPECT_EQ(korRunFaultGuarded([&] { ++calls; }), 0);
  EXPECT_EQ(calls, 1);
}

TEST(KorFaultGuard, NullDereferenceIsCaught) {
  bool after = false;
  EXPECT_EQ(korRunFaultGuarded([&] {
              dereferenceNull();
              after = true;
            }),
            SIGSEGV);
  EXPECT_FALSE(after);
  EXPECT_EQ(korRunFaultGuarded([] {}), 0) << "the next call runs normally";
}

#if defined(__x86_64__) || defined(__i386__)
TEST(KorFaultGuard, IntegerDivisionByZeroIsCaught) {
  EXPECT_EQ(korRunFaultGuarded([] { divideByZero(); }), SIGFPE);
}
#endif

TEST(KorFaultGuard, StackOverflowIsCaughtOnTheAlternateStack) {
  EXPECT_EQ(korRunFaultGuarded([] { recurseForever(0); }), SIGSEGV);
  EXPECT_EQ(korRunFaultGuarded([] { dereferenceNull(); }), SIGSEGV)
      << "the guard still works after an overflow";
}

TEST(KorFaultGuard, StackOverflowOnAnotherThreadIsCaught) {
  int fault = 0;
  std::thread worker(
      [&] { fault = korRunFaultGuarded([] { recurseForever(0); }); });
  worker.join();
  EXPECT_EQ(fault, SIGSEGV);
}

#if defined(__x86_64__) || defined(__i386__)
TEST(KorFaultGuard, IllegalInstructionIsCaught) {
  EXPECT_EQ(korRunFaultGuarded([] { __builtin_trap(); }), SIGILL);
}
#endif

TEST(KorFaultGuard, InnerGuardCatchesItsOwnFault) {
  int inner = -1;
  bool outerContinued = false;
  EXPECT_EQ(korRunFaultGuarded([&] {
              inner = korRunFaultGuarded([] { dereferenceNull(); });
              outerContinued = true;
            }),
            0);
  EXPECT_EQ(inner, SIGSEGV);
  EXPECT_TRUE(outerContinued);
}

TEST(KorFaultGuard, RestoresPreviousHandlersAndAlternateStack) {
  struct sigaction mine {};
  mine.sa_handler = previousHandler;
  sigemptyset(&mine.sa_mask);
  struct sigaction saved[2];
  sigaction(SIGSEGV, &mine, &saved[0]);
  sigaction(SIGFPE, &mine, &saved[1]);
  stack_t before{};
  sigaltstack(nullptr, &before);

  korRunFaultGuarded([] { dereferenceNull(); });

  EXPECT_EQ(currentAction(SIGSEGV).sa_handler, previousHandler);
  EXPECT_EQ(currentAction(SIGFPE).sa_handler, previousHandler);
  EXPECT_EQ(currentAction(SIGABRT).sa_handler, SIG_DFL)
      << "abort is never intercepted";
  stack_t after{};
  sigaltstack(nullptr, &after);
  EXPECT_EQ(after.ss_sp, before.ss_sp);
  EXPECT_EQ(after.ss_flags, before.ss_flags);
  sigaction(SIGSEGV, &saved[0], nullptr);
  sigaction(SIGFPE, &saved[1], nullptr);
}

TEST(KorFaultGuard, AbortIsNotCaught) {
  EXPECT_DEATH(korRunFaultGuarded([] { std::abort(); }), "");
}

namespace {
KorInterruptNotice gNotice;

/// Sends this thread the interrupt signal carrying gNotice, as the runner
/// does when a body calls exit.
void interruptThisThread() {
  gNotice = KorInterruptNotice();
  gNotice.kind = kInterruptExit;
  gNotice.detail = 3;
  sigval value{};
  value.sival_ptr = &gNotice;
  pthread_sigqueue(pthread_self(), korInterruptSignal(), value);
}

struct OptionCase {
  const char *name;
  KorGuardOptions options;
  void (*body)();
  int signal;          // what ends the call; 0: it returns
  bool takesInterrupt; // the outcome carries gNotice
};

class KorGuardOptionsTest : public testing::TestWithParam<OptionCase> {};
} // namespace

TEST_P(KorGuardOptionsTest, EndsTheCallOnlyForWhatItCatches) {
  const OptionCase &c = GetParam();
  bool after = false;
  KorGuardOutcome outcome = korRunGuarded(
      [&] {
        c.body();
        after = true;
      },
      c.options);
  EXPECT_EQ(outcome.signal, c.signal);
  EXPECT_EQ(after, c.signal == 0);
  EXPECT_EQ(outcome.interrupt, c.takesInterrupt ? &gNotice : nullptr);
  EXPECT_EQ(gNotice.taken != 0, c.takesInterrupt);
  EXPECT_EQ(currentAction(SIGABRT).sa_handler, SIG_DFL);
  EXPECT_EQ(currentAction(korInterruptSignal()).sa_handler, SIG_DFL);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KorGuardOptionsTest,
    testing::Values(
        OptionCase{
            "AbortCaught", {true, false}, [] { std::abort(); }, SIGABRT, false},
        OptionCase{"AbortInAnInnerCallReachesTheOuter",
                   {true, false},
                   [] { korRunFaultGuarded([] { std::abort(); }); },
                   SIGABRT,
                   false},
        OptionCase{"InterruptTaken",
                   {false, true},
                   interruptThisThread,
                   korInterruptSignal(),
                   true},
        OptionCase{"InterruptInAnInnerCallReachesTheOuter",
                   {false, true},
                   [] { korRunFaultGuarded([] { interruptThisThread(); }); },
                   korInterruptSignal(),
                   true},
        OptionCase{"InterruptNotAskedForIsDropped",
                   {true, false},
                   interruptThisThread,
                   0,
                   false}),
    [](const testing::TestParamInfo<OptionCase> &info) {
      return std::string(info.param.name);
    });

TEST(KorFaultGuard, FirstCallOfAThreadAllocatesNothing) {
  if (!HeapEntryCountAvailable())
    GTEST_SKIP() << "this build does not count heap blocks";
  int64_t blocks = -1;
  std::thread fresh([&] {
    int64_t before = HeapEntryCount();
    korRunFaultGuarded([] { dereferenceNull(); });
    blocks = HeapEntryCount() - before;
  });
  fresh.join();
  EXPECT_EQ(blocks, 0);
}

namespace {
/// A handler of SIGSEGV before the guard's, given back after the test.
class KorGuardedRunTest : public testing::Test {
protected:
  void SetUp() override {
    struct sigaction mine {};
    mine.sa_handler = previousHandler;
    sigemptyset(&mine.sa_mask);
    sigaction(SIGSEGV, &mine, &saved_);
  }
  void TearDown() override { sigaction(SIGSEGV, &saved_, nullptr); }
  static bool guardHandles() {
    return currentAction(SIGSEGV).sa_handler != previousHandler;
  }
  struct sigaction saved_ {};
};

bool blocked(int sig) {
  sigset_t mask;
  pthread_sigmask(SIG_SETMASK, nullptr, &mask);
  return sigismember(&mask, sig) == 1;
}
} // namespace

TEST_F(KorGuardedRunTest, HandlersStayForTheRunsCallsAndGoWhenItCloses) {
  {
    KorGuardedRun run;
    EXPECT_TRUE(guardHandles());
    for (int call = 0; call < 2; ++call) {
      EXPECT_EQ(korRunFaultGuarded([] { dereferenceNull(); }), SIGSEGV);
      EXPECT_TRUE(guardHandles());
      EXPECT_FALSE(blocked(SIGSEGV)) << "the fault path gives the mask back";
    }
  }
  EXPECT_FALSE(guardHandles());
}

TEST_F(KorGuardedRunTest, ARunAJumpLeavesClosesWithTheCallItJumpsTo) {
  EXPECT_EQ(korRunFaultGuarded([] {
              KorGuardedRun inner;
              dereferenceNull();
            }),
            SIGSEGV);
  EXPECT_FALSE(guardHandles());
}

TEST_F(KorGuardedRunTest, HandlersStayUntilTheLastThreadsRunCloses) {
  std::optional<KorGuardedRun> mainRun(std::in_place);
  int fault = 0;
  std::thread worker([&] {
    KorGuardedRun run;
    fault = korRunFaultGuarded([] { dereferenceNull(); });
  });
  worker.join();
  EXPECT_EQ(fault, SIGSEGV);
  EXPECT_TRUE(guardHandles());
  EXPECT_EQ(korRunFaultGuarded([] { dereferenceNull(); }), SIGSEGV);
  mainRun.reset();
  EXPECT_FALSE(guardHandles());
}
