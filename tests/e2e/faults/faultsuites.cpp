//===- faultsuites.cpp - Test bodies that fault, one suite per kind -------===//
//
// Each suite puts one fault between two passing tests, "Before" and
// "After", so a run of the suite shows whether the fault was contained (the
// fault test fails, After still runs), stopped the run (After does not run)
// or ended the process.
//
//===----------------------------------------------------------------------===//
#include "frame/korsuiteregistration.h"
#include "frame/kortestdecl.h"
#include <cassert>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <thread>

namespace {
/// Read through a volatile so that the compiler emits the faulting access.
int *volatile nowhere = nullptr;
volatile int zero = 0;
volatile int one = 1;
/// Where the leaking test keeps its block, so nothing frees it.
void *volatile keptBlock = nullptr;
} // namespace

/// Declares a suite named `Name` whose "Fault" test runs `body`.
#define FAULT_SUITE(Class, Name, body)                                         \
  class Class : public KorTestSuiteBase {                                      \
    KOR_TEST_SUITE(Class, Name)                                                \
    KOR_TEST(BeforeTest, "Before", "FAULT") { TEST_ASSERT(1 + 1 == 2); }       \
    KOR_TEST(FaultTest, "Fault", "FAULT") { body; }                            \
    KOR_TEST(AfterTest, "After", "FAULT") { TEST_ASSERT(2 + 2 == 4); }         \
  };                                                                           \
  KOR_REGISTER_SUITE(Class)

FAULT_SUITE(NullWriteSuite, "Null Write", *nowhere = 1);
FAULT_SUITE(DivideByZeroSuite, "Divide By Zero", one = one / zero);
FAULT_SUITE(AbortSuite, "Abort", std::abort());
FAULT_SUITE(AssertSuite, "Assert", assert(zero == 1));
FAULT_SUITE(TerminateSuite, "Terminate", std::terminate());
FAULT_SUITE(ThrowIntSuite, "Throw Int", throw 42);
FAULT_SUITE(ThrowRuntimeErrorSuite, "Throw Runtime Error",
            throw std::runtime_error("no connection to the database"));
FAULT_SUITE(EndlessLoopSuite, "Endless Loop", while (zero == 0){});
FAULT_SUITE(ExitThreeSuite, "Exit 3", std::exit(3));
FAULT_SUITE(ExitZeroSuite, "Exit 0", std::exit(0));
FAULT_SUITE(RaiseUsr1Suite, "Raise SIGUSR1", std::raise(SIGUSR1));
FAULT_SUITE(OtherThreadSuite, "Other Thread",
            std::thread([] { *nowhere = 1; }).join());
FAULT_SUITE(TerminatedSuite, "Raise SIGTERM", std::raise(SIGTERM));

/// Run with the leak check: keeping nothing passes, keeping a block fails.
class MemorySuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(MemorySuite, "Memory")
  KOR_TEST(KeepsNothingTest, "Keeps Nothing", "FAULT") {
    void *block = std::malloc(64);
    TEST_ASSERT(block != nullptr);
    std::free(block);
  }
  KOR_TEST(KeepsABlockTest, "Keeps A Block", "FAULT") {
    keptBlock = std::malloc(64);
    TEST_ASSERT(keptBlock != nullptr);
  }
};
KOR_REGISTER_SUITE(MemorySuite);
