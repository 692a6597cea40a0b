//===- bucketpool_bench.cpp - bucketAlloc/bucketFree against malloc/free --===//
//
// Single thread, sizes 16, 64, 256 and 4096: one alloc-free pair per
// iteration, and a batch of 1,000 blocks allocated and then freed in LIFO
// order. Prints the pool beside glibc's malloc/free and their ratio.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/bucketpool.h"
#include "bench/peerratio.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

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

#define SIZES ->Arg(16)->Arg(64)->Arg(256)->Arg(4096)->Repetitions(9)
BENCHMARK(poolPair) SIZES;
BENCHMARK(heapPair) SIZES;
BENCHMARK(poolBatch) SIZES;
BENCHMARK(heapBatch) SIZES;
} // namespace

int main(int argc, char **argv) {
  interleaveRepetitions();
  benchmark::Initialize(&argc, argv);
  PeerRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printHeader("bucketAlloc/bucketFree against malloc/free");
  for (const char *mode : {"Pair", "Batch"})
    for (int size : {16, 64, 256, 4096}) {
      std::string args = std::string(mode) + "/" + std::to_string(size);
      std::string label =
          std::string(mode) + " of " + std::to_string(size) + " bytes";
      reporter.printPair(label.c_str(), "pool" + args, "heap" + args);
    }
  benchmark::Shutdown();
  return 0;
}
