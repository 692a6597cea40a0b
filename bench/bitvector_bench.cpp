//===- bitvector_bench.cpp - BitVector against std::vector<bool> ----------===//
//
// Counts the set bits and walks them with nextSet over 10 million bits at
// 1 % and 50 % density, with flat words (no memory manager) and paged words
// (the host memory manager), side by side with std::vector<bool> and
// boost::dynamic_bitset; prints the time ratio of each BitVector case to
// each peer.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/bitvector.h"
#include "host/services/componentmanager.h"
#include "component/korcomponentstate.h"
#include "host/services/memorymanager.h"
#include "KorBasicTypes/nyrmemory.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <boost/dynamic_bitset.hpp>
#include <cstdio>
#include <map>
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

/// The console report plus the mean CPU time per iteration of every run
/// (CPU time: the machine may be shared).
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs)
      if (run.run_type == Run::RT_Iteration && run.iterations > 0)
        seconds_[run.benchmark_name()] =
            run.cpu_accumulated_time / double(run.iterations);
  }
  void printRatios() const {
    for (const char *peer : {"vector<bool>", "dynamic_bitset"})
      printRatios(peer);
  }
  void printRatios(const std::string &peerName) const {
    std::printf("\nBitVector CPU time / %s CPU time "
                "(below 1: BitVector is faster)\n",
                peerName.c_str());
    const std::string marker = "/BitVector/";
    for (const auto &[name, seconds] : seconds_) {
      size_t at = name.find(marker);
      if (at == std::string::npos)
        continue;
      auto peer = seconds_.find(name.substr(0, at) + "/" + peerName);
      if (peer != seconds_.end() && peer->second > 0)
        std::printf("  %-28s %7.3f\n", name.c_str(), seconds / peer->second);
    }
  }

private:
  std::map<std::string, double> seconds_;
};
} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  std::map<std::string, Bits> sets;
  for (int percent : {1, 50}) {
    std::string density = std::to_string(percent) + "%";
    for (bool paged : {false, true}) {
      std::string layout = paged ? "paged" : "flat";
      Bits &bits =
          sets.emplace(density + layout, makeBits(percent, paged)).first->second;
      benchmark::RegisterBenchmark(
          ("count/" + density + "/BitVector/" + layout).c_str(),
          [&bits](benchmark::State &s) { countBitVector(s, bits.vector); });
      benchmark::RegisterBenchmark(
          ("nextSet/" + density + "/BitVector/" + layout).c_str(),
          [&bits](benchmark::State &s) { walkBitVector(s, bits.vector); });
    }
    Bits &flat = sets.at(density + "flat");
    benchmark::RegisterBenchmark(
        ("count/" + density + "/vector<bool>").c_str(),
        [&flat](benchmark::State &s) { countPeer(s, flat.peer); });
    benchmark::RegisterBenchmark(
        ("nextSet/" + density + "/vector<bool>").c_str(),
        [&flat](benchmark::State &s) { walkPeer(s, flat.peer); });
    benchmark::RegisterBenchmark(
        ("count/" + density + "/dynamic_bitset").c_str(),
        [&flat](benchmark::State &s) { countBoost(s, flat.boostPeer); });
    benchmark::RegisterBenchmark(
        ("nextSet/" + density + "/dynamic_bitset").c_str(),
        [&flat](benchmark::State &s) { walkBoost(s, flat.boostPeer); });
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatios();
  benchmark::Shutdown();
  return 0;
}
