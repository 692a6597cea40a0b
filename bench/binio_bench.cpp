// Benchmarks of the binary streams and the data-model writer and reader,
// each beside its limit or plain peer, with the ratios printed at the end.
//
// Peers: the byte-swapped buffer written with one fwrite (and read with one
// fread) is the limit of the typed streams; the typed writes and reads of the
// same payload are the peer of the block writer and reader.
#include "KorBasicTypes/binio.h"
#include "KorBasicTypes/korfile.h"
#include "bench/peerratio.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
constexpr size_t kDoubles = 10'000'000;
constexpr size_t kTriples = 1'000'000;

std::string shmPath(const char *name) {
  return "/dev/shm/binio-bench-" + std::to_string(::getpid()) + "-" + name;
}
std::u16string wide(const std::string &s) { return {s.begin(), s.end()}; }

const std::vector<double> &payload() {
  static const std::vector<double> values = [] {
    std::vector<double> v(kDoubles);
    for (size_t i = 0; i < v.size(); ++i)
      v[i] = double(i) * 0.5 - 1e6;
    return v;
  }();
  return values;
}

std::vector<uint64_t> swapped(const std::vector<double> &values) {
  std::vector<uint64_t> out(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    uint64_t bits;
    std::memcpy(&bits, &values[i], 8);
    out[i] = __builtin_bswap64(bits);
  }
  return out;
}

void setBytes(benchmark::State &state, size_t bytes) {
  state.SetBytesProcessed(int64_t(state.iterations() * bytes));
}

// --- Typed streams against stdio ------------------------------------------

void BM_TypedWrite(benchmark::State &state) {
  const std::string path = shmPath("typed");
  for (auto _ : state) {
    BinOutputFile out(wide(path).c_str());
    out.write(payload().data(), kDoubles);
    out.flush();
  }
  setBytes(state, kDoubles * 8);
  std::remove(path.c_str());
}

void BM_FwriteSwapped(benchmark::State &state) {
  const std::string path = shmPath("fwrite");
  const std::vector<uint64_t> bytes = swapped(payload());
  for (auto _ : state) {
    FILE *f = std::fopen(path.c_str(), "w+b");
    std::fwrite(bytes.data(), 8, bytes.size(), f);
    std::fclose(f);
  }
  setBytes(state, kDoubles * 8);
  std::remove(path.c_str());
}

std::string writtenDoubles() {
  const std::string path = shmPath("input");
  BinOutputFile out(wide(path).c_str());
  out.write(payload().data(), kDoubles);
  out.flush();
  return path;
}

void BM_TypedRead(benchmark::State &state) {
  const std::string path = writtenDoubles();
  std::vector<double> back(kDoubles);
  for (auto _ : state) {
    BinInputFile in(wide(path).c_str());
    benchmark::DoNotOptimize(in.read(back.data(), kDoubles));
  }
  setBytes(state, kDoubles * 8);
  std::remove(path.c_str());
}

void BM_FreadSwapped(benchmark::State &state) {
  const std::string path = writtenDoubles();
  std::vector<uint64_t> back(kDoubles);
  for (auto _ : state) {
    FILE *f = std::fopen(path.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(back.data(), 8, back.size(), f));
    std::fclose(f);
  }
  setBytes(state, kDoubles * 8);
  std::remove(path.c_str());
}

// --- Blocks against plain typed values --------------------------------------

void BM_Double3BlocksWrite(benchmark::State &state) {
  const std::string path = shmPath("blocks");
  for (auto _ : state) {
    KorFileWrite writer;
    writer.open(wide(path).c_str());
    for (size_t i = 0; i < kTriples; ++i)
      writer.writeDouble3(&payload()[3 * i]);
  }
  setBytes(state, kTriples * 24);
  std::remove(path.c_str());
}

void BM_TriplesTypedWrite(benchmark::State &state) {
  const std::string path = shmPath("triples");
  for (auto _ : state) {
    BinOutputFile out(wide(path).c_str());
    for (size_t i = 0; i < kTriples; ++i)
      out.write(&payload()[3 * i], 3);
    out.flush();
  }
  setBytes(state, kTriples * 24);
  std::remove(path.c_str());
}

void BM_Double3BlocksRead(benchmark::State &state) {
  const std::string path = shmPath("blocks-in");
  {
    KorFileWrite writer;
    writer.open(wide(path).c_str());
    for (size_t i = 0; i < kTriples; ++i)
      writer.writeDouble3(&payload()[3 * i]);
  }
  double v[3];
  for (auto _ : state) {
    KorFileRead reader;
    reader.open(wide(path).c_str());
    for (size_t i = 0; i < kTriples; ++i)
      reader.readDouble3(v);
    benchmark::DoNotOptimize(reader.good());
  }
  setBytes(state, kTriples * 24);
  std::remove(path.c_str());
}

void BM_TriplesTypedRead(benchmark::State &state) {
  const std::string path = writtenDoubles();
  double v[3];
  for (auto _ : state) {
    BinInputFile in(wide(path).c_str());
    for (size_t i = 0; i < kTriples; ++i)
      in.read(v, 3);
    benchmark::DoNotOptimize(v[0]);
  }
  setBytes(state, kTriples * 24);
  std::remove(path.c_str());
}

void BM_OneBlockWrite(benchmark::State &state) {
  const std::string path = shmPath("oneblock");
  for (auto _ : state) {
    KorFileWrite writer;
    writer.open(wide(path).c_str());
    writer.beginBlock(0x20000, 0);
    writer.writeDoubles(payload().data(), kDoubles);
    writer.endBlock();
  }
  setBytes(state, kDoubles * 8);
  std::remove(path.c_str());
}

void BM_OneBlockRead(benchmark::State &state) {
  const std::string path = shmPath("oneblock-in");
  {
    KorFileWrite writer;
    writer.open(wide(path).c_str());
    writer.beginBlock(0x20000, 0);
    writer.writeDoubles(payload().data(), kDoubles);
    writer.endBlock();
  }
  std::vector<double> back(kDoubles);
  for (auto _ : state) {
    KorFileRead reader;
    reader.open(wide(path).c_str());
    reader.beginBlock();
    reader.readDoubles(back.data(), kDoubles);
    reader.endBlock();
    benchmark::DoNotOptimize(reader.good());
  }
  setBytes(state, kDoubles * 8);
  std::remove(path.c_str());
}

#define KOR_BENCH(fn)                                                          \
  BENCHMARK(fn)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(9)
KOR_BENCH(BM_TypedWrite);
KOR_BENCH(BM_FwriteSwapped);
KOR_BENCH(BM_TypedRead);
KOR_BENCH(BM_FreadSwapped);
KOR_BENCH(BM_Double3BlocksWrite);
KOR_BENCH(BM_TriplesTypedWrite);
KOR_BENCH(BM_Double3BlocksRead);
KOR_BENCH(BM_TriplesTypedRead);
KOR_BENCH(BM_OneBlockWrite);
KOR_BENCH(BM_OneBlockRead);
} // namespace

int main(int argc, char **argv) {
  interleaveRepetitions();
  benchmark::Initialize(&argc, argv);
  payload(); // built before any timing
  PeerRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printHeader("Binary streams against stdio and typed values");
  reporter.printPair("typed write vs fwrite of swapped doubles",
                     "BM_TypedWrite", "BM_FwriteSwapped");
  reporter.printPair("typed read vs fread of swapped doubles", "BM_TypedRead",
                     "BM_FreadSwapped");
  reporter.printPair("1M writeDouble3 blocks vs typed writes",
                     "BM_Double3BlocksWrite", "BM_TriplesTypedWrite");
  reporter.printPair("1M readDouble3 blocks vs typed reads",
                     "BM_Double3BlocksRead", "BM_TriplesTypedRead");
  reporter.printPair("one 10M-double block write vs typed write",
                     "BM_OneBlockWrite", "BM_TypedWrite");
  reporter.printPair("one 10M-double block read vs typed read",
                     "BM_OneBlockRead", "BM_TypedRead");
  benchmark::Shutdown();
  return 0;
}
