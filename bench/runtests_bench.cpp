//===- runtests_bench.cpp - Cost per test of RunTests beside GoogleTest ---===//
//
// Runs 10,000 trivial tests through GenTestService::RunTests, with and
// without the leak check, and 10,000 trivial GoogleTest tests registered
// with testing::RegisterTest, with standard output sent to /dev/null.
// Prints the nanoseconds per test of each and the ratios.
//
//===----------------------------------------------------------------------===//
#include "testservice/gentestservice.h"
#include "frame/ikortestresults.h"
#include "frame/kortestdecl.h"
#include "tests/unit/support/resultsfakes.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kTests = 10000;
constexpr int kSuites = 100;

class BenchSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(BenchSuite, "Bench Suite")
  KOR_TEST(TrivialTest, "Trivial", "BENCH") { TEST_ASSERT(1 + 1 == 2); }
};

/// 10,000 trivial tests spread over 100 suites.
struct GeneratedTests {
  GeneratedTests() : suites(new BenchSuite[kSuites]) {
    for (int i = 0; i < kTests; ++i) {
      IKorTest *test = new BenchSuite::TrivialTest<BenchSuite>;
      suites[i % kSuites].AddTest(test);
      list.append(test);
    }
  }
  std::unique_ptr<BenchSuite[]> suites;
  KorArray<IKorTest *> list;
};

GeneratedTests &generated() {
  static GeneratedTests *tests = new GeneratedTests;
  return *tests;
}

/// Sends standard output to /dev/null while it lives.
class SilencedStdout {
public:
  SilencedStdout() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~SilencedStdout() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }

private:
  int saved_;
};

/// Nanoseconds per test: GoogleTest, RunTests, RunTests with leak check.
double gNsPerTest[3] = {0, 0, 0};

void runKortest(benchmark::State &state, bool checkMemory) {
  GeneratedTests &tests = generated();
  GenTestService service;
  for (auto _ : state) {
    auto *collection = new FakeResults;
    collection->records.reserve(kTests);
    IPtr<IKorTestResults> results(collection);
    SilencedStdout silence;
    service.RunTests(tests.list, results.get(), false, checkMemory, false,
                     false, nullptr, false);
  }
  state.SetItemsProcessed(state.iterations() * kTests);
}

void BM_RunTests(benchmark::State &state) { runKortest(state, false); }
void BM_RunTestsLeakCheck(benchmark::State &state) { runKortest(state, true); }

void BM_GoogleTest(benchmark::State &state) {
  static const bool registered = [] {
    for (int i = 0; i < kTests; ++i)
      testing::RegisterTest(("Bench" + std::to_string(i % kSuites)).c_str(),
                            ("Trivial" + std::to_string(i)).c_str(), nullptr,
                            nullptr, __FILE__, __LINE__,
                            []() -> testing::Test * {
                              struct Trivial : testing::Test {
                                void TestBody() override {
                                  EXPECT_TRUE(1 + 1 == 2);
                                }
                              };
                              return new Trivial;
                            });
    return true;
  }();
  (void)registered;
  for (auto _ : state) {
    SilencedStdout silence;
    benchmark::DoNotOptimize(RUN_ALL_TESTS());
  }
  state.SetItemsProcessed(state.iterations() * kTests);
}

/// Keeps the console report and notes the time per test of each run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      double ns = run.GetAdjustedRealTime() * 1e9 /
                  benchmark::GetTimeUnitMultiplier(run.time_unit) / kTests;
      std::string name = run.benchmark_name();
      int slot = name.starts_with("BM_GoogleTest")          ? 0
                 : name.starts_with("BM_RunTestsLeakCheck") ? 2
                                                            : 1;
      gNsPerTest[slot] = ns;
    }
  }
};
} // namespace

// GoogleTest runs its registered tests once per RUN_ALL_TESTS; one
// iteration each keeps the three measurements comparable.
BENCHMARK(BM_GoogleTest)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunTests)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunTestsLeakCheck)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("ns per test: GoogleTest %.0f, RunTests %.0f, RunTests with "
              "leak check %.0f\n",
              gNsPerTest[0], gNsPerTest[1], gNsPerTest[2]);
  if (gNsPerTest[0] > 0)
    std::printf("ratio to GoogleTest: RunTests %.2f, with leak check %.2f\n",
                gNsPerTest[1] / gNsPerTest[0], gNsPerTest[2] / gNsPerTest[0]);
  benchmark::Shutdown();
  return 0;
}
