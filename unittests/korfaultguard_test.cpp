// Unit tests of the fault guard: faults become returns, handlers come back.
#include "korfaultguard.h"
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

namespace {
volatile int *volatile gNull = nullptr;
volatile int gZero = 0;
volatile bool gNeverStop = true;

// The faults must reach the processor: sanitizers would report them first.
#define KOR_RAW_FAULT __attribute__((noinline, no_sanitize("address", "undefined")))

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
  std::thread worker([&] { fault = korRunFaultGuarded([] { recurseForever(0); }); });
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
