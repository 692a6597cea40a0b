//===- strings_bench.cpp - KorString and natural order against their peers ===//
//
// KorString assign/append/find against std::u16string, and a natural-order
// sort of 100,000 generated file names against glibc's strverscmp. Each
// pair runs side by side; the ratios (ours / peer, real time) are printed
// at the end.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/naturalorder.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {
const KorWChar kShortText[] = u"a short text";
const KorWChar kLongText[] = u"a somewhat longer text of forty units ...";

template <class Str> void assignTexts(benchmark::State &state) {
  Str text;
  for (auto _ : state) {
    text = kLongText;
    benchmark::DoNotOptimize(text.data());
    text = kShortText;
    benchmark::DoNotOptimize(text.data());
  }
}
void BM_Assign_KorString(benchmark::State &s) { assignTexts<KorString>(s); }
void BM_Assign_u16string(benchmark::State &s) {
  assignTexts<std::u16string>(s);
}

template <class Str> void appendPieces(benchmark::State &state) {
  for (auto _ : state) {
    Str text;
    for (int i = 0; i < 1000; ++i)
      text += u"piece ";
    benchmark::DoNotOptimize(text.data());
  }
}
void BM_Append_KorString(benchmark::State &s) { appendPieces<KorString>(s); }
void BM_Append_u16string(benchmark::State &s) {
  appendPieces<std::u16string>(s);
}

std::u16string haystack() {
  std::u16string text;
  for (int i = 0; i < 1000; ++i)
    text += u"abcdefghi ";
  return text + u"needle";
}

void BM_Find_KorString(benchmark::State &state) {
  KorString text(haystack());
  for (auto _ : state)
    benchmark::DoNotOptimize(text.find(u"needle", 0));
}
void BM_Find_u16string(benchmark::State &state) {
  std::u16string text = haystack();
  for (auto _ : state)
    benchmark::DoNotOptimize(text.find(u"needle", 0));
}

/// 100,000 names such as "scan0012_part7.tif", with a fixed seed.
const std::vector<std::string> &fileNames() {
  static const std::vector<std::string> names = [] {
    std::mt19937 random(42);
    const char *stems[] = {"scan", "img", "file", "Report", "take"};
    std::vector<std::string> out;
    for (int i = 0; i < 100000; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "%s%0*u_part%u.tif", stems[random() % 5],
                    int(random() % 5), unsigned(random() % 100000),
                    unsigned(random() % 20));
      out.push_back(name);
    }
    return out;
  }();
  return names;
}

template <class Less> void sortNames(benchmark::State &state, Less less) {
  std::vector<const char *> names;
  for (const std::string &name : fileNames())
    names.push_back(name.c_str());
  for (auto _ : state) {
    std::vector<const char *> copy = names;
    std::sort(copy.begin(), copy.end(), less);
    benchmark::DoNotOptimize(copy.data());
  }
}
void BM_NaturalSort_korNaturalCompare(benchmark::State &state) {
  sortNames(state, [](const char *a, const char *b) {
    return korNaturalCompare(a, b) < 0;
  });
}
void BM_NaturalSort_strverscmp(benchmark::State &state) {
  sortNames(state,
            [](const char *a, const char *b) { return strverscmp(a, b) < 0; });
}

BENCHMARK(BM_Assign_KorString);
BENCHMARK(BM_Assign_u16string);
BENCHMARK(BM_Append_KorString);
BENCHMARK(BM_Append_u16string);
BENCHMARK(BM_Find_KorString);
BENCHMARK(BM_Find_u16string);
BENCHMARK(BM_NaturalSort_korNaturalCompare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NaturalSort_strverscmp)->Unit(benchmark::kMillisecond);

/// Prints as usual and keeps each run's real time per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs)
      times[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  std::map<std::string, double> times;
};
} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const char *pairs[][3] = {
      {"assign", "BM_Assign_KorString", "BM_Assign_u16string"},
      {"append", "BM_Append_KorString", "BM_Append_u16string"},
      {"find", "BM_Find_KorString", "BM_Find_u16string"},
      {"natural sort", "BM_NaturalSort_korNaturalCompare",
       "BM_NaturalSort_strverscmp"}};
  std::printf("\nratio (ours / peer, lower is faster):\n");
  for (auto &pair : pairs) {
    auto ours = reporter.times.find(pair[1]);
    auto peer = reporter.times.find(pair[2]);
    if (ours != reporter.times.end() && peer != reporter.times.end())
      std::printf("  %-13s %6.2f  (%s vs %s)\n", pair[0],
                  ours->second / peer->second, pair[1], pair[2]);
  }
  benchmark::Shutdown();
  return 0;
}
