//===- strings_bench.cpp - KorString and natural order against their peers ===//
//
// KorString assign/append/find against std::u16string, and a natural-order
// sort of 100,000 generated file names against glibc's strverscmp. Each
// case is printed beside its peer with the ratio of their fastest runs.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/naturalorder.h"
#include "bench/peerratio.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
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

BENCHMARK(BM_Assign_KorString)->Repetitions(9);
BENCHMARK(BM_Assign_u16string)->Repetitions(9);
BENCHMARK(BM_Append_KorString)->Repetitions(9);
BENCHMARK(BM_Append_u16string)->Repetitions(9);
BENCHMARK(BM_Find_KorString)->Repetitions(9);
BENCHMARK(BM_Find_u16string)->Repetitions(9);
BENCHMARK(BM_NaturalSort_korNaturalCompare)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9);
BENCHMARK(BM_NaturalSort_strverscmp)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9);
} // namespace

int main(int argc, char **argv) {
  interleaveRepetitions();
  benchmark::Initialize(&argc, argv);
  PeerRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printHeader("Strings and natural order against their peers");
  reporter.printPair("assign vs std::u16string", "BM_Assign_KorString",
                     "BM_Assign_u16string");
  reporter.printPair("append vs std::u16string", "BM_Append_KorString",
                     "BM_Append_u16string");
  reporter.printPair("find vs std::u16string", "BM_Find_KorString",
                     "BM_Find_u16string");
  reporter.printPair("natural sort of 100,000 names vs strverscmp",
                     "BM_NaturalSort_korNaturalCompare",
                     "BM_NaturalSort_strverscmp");
  benchmark::Shutdown();
  return 0;
}
