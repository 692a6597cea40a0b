//===- junit_bench.cpp - JUnit report of 100,000 records against GoogleTest ===//
//
// kortest: the JUnit formatter over korhost's XML document service, then the
// file router, for 10,000 and 100,000 records spread over 100 suites (the
// time per record shows that the pipeline stays linear). GoogleTest: the
// same 100,000 tests registered with testing::RegisterTest and run in this
// process, once with its XML output listener and once without it; the
// difference is the cost of its XML report. The ratios (kortest per record
// over GoogleTest per test, real time) are printed at the end.
//
//===----------------------------------------------------------------------===//
#include "tests/unit/support/resultsfakes.h"
#include "host/services/componentmanager.h"
#include "host/services/domxml.h"
#include "component/korcomponentstate.h"
#include "results/genfileresultsrouter.h"
#include "results/genjunitresultsformatter.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <unistd.h>

namespace {
constexpr int kSuites = 100;
constexpr int kGoogleTests = 100000;

std::string scratchFile(const char *tag) {
  return (std::filesystem::temp_directory_path() /
          ("kortest_bench_" + std::to_string(::getpid()) + "_" + tag + ".xml"))
      .string();
}

/// A run of `records` records over kSuites suites, every tenth one failed
/// with a message, built once per size.
FakeRun &runOf(int records) {
  static std::map<int, std::unique_ptr<FakeRun>> runs;
  auto &run = runs[records];
  if (!run) {
    run = std::make_unique<FakeRun>();
    std::vector<IKorTestSuite *> suites;
    for (int s = 0; s < kSuites; ++s)
      suites.push_back(run->suite("Suite " + std::to_string(s)));
    for (int i = 0; i < records; ++i) {
      GenTestStatus &status =
          run->add(suites[size_t(i % kSuites)], "Test " + std::to_string(i),
                   i % 10 ? kTestPassed : kTestFailed, 0.001 * (i % 7));
      if (i % 10 == 0)
        status.AddMessage("expected 1 < 2 & got 3", "src/box_test.cpp", i);
    }
  }
  return *run;
}

void BM_Kortest_JUnitToFile(benchmark::State &state) {
  FakeRun &run = runOf(int(state.range(0)));
  GenJUnitResultsFormatter formatter;
  GenFileResultsRouter router;
  std::string file = scratchFile("kortest");
  router.SetFileName(KorString(file.c_str()));
  for (auto _ : state) {
    formatter.Format(&run.results);
    router.Route(&formatter);
  }
  std::remove(file.c_str());
  state.counters["per_record"] = benchmark::Counter(
      double(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

class EmptyTest : public testing::Test {
  void TestBody() override {}
};

void registerGoogleTests() {
  for (int i = 0; i < kGoogleTests; ++i) {
    std::string suite = "Suite" + std::to_string(i % kSuites);
    std::string name = "Test" + std::to_string(i);
    testing::RegisterTest(suite.c_str(), name.c_str(), nullptr, nullptr,
                          __FILE__, __LINE__,
                          []() -> testing::Test * { return new EmptyTest; });
  }
}

testing::TestEventListener *googleXmlListener = nullptr;

void runGoogleTests(benchmark::State &state, bool withXml) {
  testing::TestEventListeners &listeners =
      testing::UnitTest::GetInstance()->listeners();
  if (withXml)
    listeners.Append(googleXmlListener);
  for (auto _ : state)
    benchmark::DoNotOptimize(RUN_ALL_TESTS());
  if (withXml)
    listeners.Release(googleXmlListener);
  state.counters["per_record"] = benchmark::Counter(
      double(kGoogleTests),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
void BM_GoogleTest_RunWithXml(benchmark::State &s) { runGoogleTests(s, true); }
void BM_GoogleTest_RunWithoutXml(benchmark::State &s) {
  runGoogleTests(s, false);
}

BENCHMARK(BM_Kortest_JUnitToFile)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_GoogleTest_RunWithXml)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GoogleTest_RunWithoutXml)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

/// Prints as usual and keeps each run's real time per iteration (ms).
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs)
      times[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  std::map<std::string, double> times;
};

void printSummary(const std::map<std::string, double> &times) {
  auto at = [&](const char *name) {
    auto it = times.find(name);
    return it == times.end() ? 0.0 : it->second;
  };
  double small = at("BM_Kortest_JUnitToFile/10000/iterations:3") / 1e4;
  double ours = at("BM_Kortest_JUnitToFile/100000/iterations:3") / 1e5;
  double withXml = at("BM_GoogleTest_RunWithXml/iterations:3") / kGoogleTests;
  double without =
      at("BM_GoogleTest_RunWithoutXml/iterations:3") / kGoogleTests;
  double googleXml = withXml - without;
  std::printf("\nper record (microseconds):\n");
  std::printf("  kortest JUnit + file, 10,000 records   %8.3f\n", small * 1e3);
  std::printf("  kortest JUnit + file, 100,000 records  %8.3f\n", ours * 1e3);
  std::printf("  GoogleTest run with XML output         %8.3f\n", withXml * 1e3);
  std::printf("  GoogleTest run without XML output      %8.3f\n", without * 1e3);
  std::printf("  GoogleTest XML output alone            %8.3f\n",
              googleXml * 1e3);
  if (small > 0)
    std::printf("linearity (100,000 / 10,000 per record): %.2f\n", ours / small);
  if (googleXml > 0)
    std::printf("ratio (kortest / GoogleTest XML output, lower is faster): "
                "%.2f\n",
                ours / googleXml);
  if (withXml > 0)
    std::printf("ratio (kortest / GoogleTest whole run with XML): %.2f\n",
                ours / withXml);
}
} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);

  // korhost's manager with its XML document service.
  auto *manager = new HostComponentManager;
  manager->AddRef();
  manager->RegisterService("IKorDOMXmlV2", new HostXmlDocument);
  korSetComponentManager(manager);

  // GoogleTest with its XML listener, quiet on the console.
  registerGoogleTests();
  std::string googleFile = scratchFile("gtest");
  std::string outputFlag = "--gtest_output=xml:" + googleFile;
  int gtestArgc = 2;
  char *gtestArgv[] = {argv[0], outputFlag.data(), nullptr};
  testing::InitGoogleTest(&gtestArgc, gtestArgv);
  testing::TestEventListeners &listeners =
      testing::UnitTest::GetInstance()->listeners();
  delete listeners.Release(listeners.default_result_printer());
  googleXmlListener = listeners.Release(listeners.default_xml_generator());

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printSummary(reporter.times);

  std::remove(googleFile.c_str());
  delete googleXmlListener;
  manager->releaseServices();
  korSetComponentManager(nullptr);
  manager->Release();
  benchmark::Shutdown();
  return 0;
}
