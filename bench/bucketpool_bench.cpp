//===- bucketpool_bench.cpp - bucketAlloc/bucketFree against malloc/free --===//
//
// Single thread, sizes 16, 64, 256 and 4096: one alloc-free pair per
// iteration, and a batch of 1,000 blocks allocated and then freed in LIFO
// order. Prints the time of the pool divided by the time of the heap.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/bucketpool.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {
constexpr int kBatch = 1000;

void poolPair(benchmark::State &state) {
  uint32_t size = uint32_t(state.range(0));
  uint32_t actual = 0;
  bucketFree(size, bucketAlloc(size, &actual)); // warm the bucket
  for (auto _ : state) {
    void *block = bucketAlloc(size, &actual);
    benchmark::DoNotOptimize(block);
    bucketFree(actual, block);
  }
}

void heapPair(benchmark::State &state) {
  size_t size = size_t(state.range(0));
  for (auto _ : state) {
    void *block = std::malloc(size);
    benchmark::DoNotOptimize(block);
    std::free(block);
  }
}

void poolBatch(benchmark::State &state) {
  uint32_t size = uint32_t(state.range(0));
  void *blocks[kBatch];
  uint32_t actual = 0;
  for (auto _ : state) {
    for (void *&block : blocks) {
      block = bucketAlloc(size, &actual);
      benchmark::DoNotOptimize(block);
    }
    for (int i = kBatch - 1; i >= 0; --i)
      bucketFree(actual, blocks[i]);
  }
}

void heapBatch(benchmark::State &state) {
  size_t size = size_t(state.range(0));
  void *blocks[kBatch];
  for (auto _ : state) {
    for (void *&block : blocks) {
      block = std::malloc(size);
      benchmark::DoNotOptimize(block);
    }
    for (int i = kBatch - 1; i >= 0; --i)
      std::free(blocks[i]);
  }
}

#define SIZES ->Arg(16)->Arg(64)->Arg(256)->Arg(4096)
BENCHMARK(poolPair) SIZES;
BENCHMARK(heapPair) SIZES;
BENCHMARK(poolBatch) SIZES;
BENCHMARK(heapBatch) SIZES;

/// Keeps the time of every run besides printing it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs)
      times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void printRatios() const {
    std::printf("\npool / heap CPU time (below 1: the pool is faster)\n");
    for (const char *mode : {"Pair", "Batch"})
      for (int size : {16, 64, 256, 4096}) {
        char poolName[32], heapName[32];
        std::snprintf(poolName, sizeof poolName, "pool%s/%d", mode, size);
        std::snprintf(heapName, sizeof heapName, "heap%s/%d", mode, size);
        auto pool = times_.find(poolName);
        auto heap = times_.find(heapName);
        if (pool != times_.end() && heap != times_.end())
          std::printf("  %-5s %5d bytes: %.3g\n", mode, size,
                      pool->second / heap->second);
      }
  }

private:
  std::map<std::string, double> times_;
};
} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatios();
  benchmark::Shutdown();
  return 0;
}
