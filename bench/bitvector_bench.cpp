//===- bitvector_bench.cpp - BitVector against std::vector<bool> ----------===//
//
// Counts the set bits and walks them with nextSet over 10 million bits at
// 1 % and 50 % density, with flat words (no memory manager) and paged words
// (the host memory manager), side by side with std::vector<bool> and
// boost::dynamic_bitset; prints each BitVector case beside each peer with
// the ratio of their fastest runs.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/bitvector.h"
#include "KorBasicTypes/nyrmemory.h"
#include "bench/peerratio.h"
#include "component/korcomponentstate.h"
#include "host/services/componentmanager.h"
#include "host/services/memorymanager.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <boost/dynamic_bitset.hpp>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {
constexpr uint32_t kBits = 10'000'000;

/// The same random bits as a BitVector and as a std::vector<bool>.
struct Bits {
  BitVector vector{kBits - 1};
  std::vector<bool> peer = std::vector<bool>(kBits);
  boost::dynamic_bitset<uint64_t> boostPeer{kBits};
};

/// A host that offers its memory manager, kept for the process.
HostComponentManager *pagingHost() {
  static HostComponentManager *host = [] {
    auto *created = new HostComponentManager;
    created->AddRef();
    created->RegisterService("KorMM::IKorMManager", new HostMemoryManager);
    return created;
  }();
  return host;
}

Bits makeBits(int percent, bool paged) {
  korSetComponentManager(paged ? pagingHost() : nullptr);
  nyrForgetHostServices();
  Bits bits;
  nyrForgetHostServices();
  korSetComponentManager(nullptr);
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> roll(0, 99);
  // The last bit stays clear: clearing it forgets the cached count.
  for (uint32_t i = 0; i + 1 < kBits; ++i)
    if (roll(random) < percent) {
      bits.vector.set(i);
      bits.peer[i] = true;
      bits.boostPeer.set(i);
    }
  return bits;
}

void countBitVector(benchmark::State &state, BitVector &bits) {
  for (auto _ : state) {
    bits.clearRange(kBits - 1, kBits - 1); // forget the cached count
    benchmark::DoNotOptimize(bits.count());
  }
}

void countPeer(benchmark::State &state, const std::vector<bool> &bits) {
  for (auto _ : state)
    benchmark::DoNotOptimize(std::count(bits.begin(), bits.end(), true));
}

void walkBitVector(benchmark::State &state, const BitVector &bits) {
  for (auto _ : state) {
    uint64_t sum = 0;
    for (int32_t i = bits.nextSet(BitVector::kStart); i >= 0;
         i = bits.nextSet(uint32_t(i)))
      sum += uint32_t(i);
    benchmark::DoNotOptimize(sum);
  }
}

void walkPeer(benchmark::State &state, const std::vector<bool> &bits) {
  for (auto _ : state) {
    uint64_t sum = 0;
    for (uint32_t i = 0; i < kBits; ++i)
      if (bits[i])
        sum += i;
    benchmark::DoNotOptimize(sum);
  }
}

void countBoost(benchmark::State &state,
                const boost::dynamic_bitset<uint64_t> &bits) {
  for (auto _ : state)
    benchmark::DoNotOptimize(bits.count());
}

void walkBoost(benchmark::State &state,
               const boost::dynamic_bitset<uint64_t> &bits) {
  for (auto _ : state) {
    uint64_t sum = 0;
    for (size_t i = bits.find_first(); i != bits.npos; i = bits.find_next(i))
      sum += i;
    benchmark::DoNotOptimize(sum);
  }
}

} // namespace

int main(int argc, char **argv) {
  interleaveRepetitions();
  benchmark::Initialize(&argc, argv);
  std::map<std::string, Bits> sets;
  for (int percent : {1, 50}) {
    std::string density = std::to_string(percent) + "%";
    for (bool paged : {false, true}) {
      std::string layout = paged ? "paged" : "flat";
      Bits &bits = sets.emplace(density + layout, makeBits(percent, paged))
                       .first->second;
      benchmark::RegisterBenchmark(
          ("count/" + density + "/BitVector/" + layout).c_str(),
          [&bits](benchmark::State &s) { countBitVector(s, bits.vector); })
          ->Repetitions(9);
      benchmark::RegisterBenchmark(
          ("nextSet/" + density + "/BitVector/" + layout).c_str(),
          [&bits](benchmark::State &s) { walkBitVector(s, bits.vector); })
          ->Repetitions(9);
    }
    Bits &flat = sets.at(density + "flat");
    benchmark::RegisterBenchmark(
        ("count/" + density + "/vector<bool>").c_str(),
        [&flat](benchmark::State &s) { countPeer(s, flat.peer); })
        ->Repetitions(9);
    benchmark::RegisterBenchmark(
        ("nextSet/" + density + "/vector<bool>").c_str(),
        [&flat](benchmark::State &s) { walkPeer(s, flat.peer); })
        ->Repetitions(9);
    benchmark::RegisterBenchmark(
        ("count/" + density + "/dynamic_bitset").c_str(),
        [&flat](benchmark::State &s) { countBoost(s, flat.boostPeer); })
        ->Repetitions(9);
    benchmark::RegisterBenchmark(
        ("nextSet/" + density + "/dynamic_bitset").c_str(),
        [&flat](benchmark::State &s) { walkBoost(s, flat.boostPeer); })
        ->Repetitions(9);
  }
  PeerRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char *peer : {"dynamic_bitset", "vector<bool>"}) {
    reporter.printHeader(("BitVector against " + std::string(peer)).c_str());
    for (const char *op : {"count", "nextSet"})
      for (const char *density : {"1%", "50%"})
        for (const char *layout : {"flat", "paged"}) {
          std::string prefix = std::string(op) + "/" + density;
          std::string ours = prefix + "/BitVector/" + layout;
          reporter.printPair(ours.c_str(), ours, prefix + "/" + peer);
        }
  }
  benchmark::Shutdown();
  return 0;
}
