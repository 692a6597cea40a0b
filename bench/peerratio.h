//===- peerratio.h - Side-by-side report of a benchmark and its peer ------===//
//
// The console report of Google Benchmark, plus a closing table that sets
// each kortest case beside its peer: the fastest CPU time per iteration
// over the repetitions of each, and their ratio. The fastest run is the one
// least disturbed by whatever else the machine was doing; the repetitions
// of all benchmarks run interleaved in random order.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

/// Runs the repetitions of all benchmarks in random order (unless the
/// command line or the environment says otherwise), so a slow spell of a
/// shared machine falls on kortest and its peer alike. Call it before
/// benchmark::Initialize.
inline void interleaveRepetitions() {
  setenv("BENCHMARK_ENABLE_RANDOM_INTERLEAVING", "true", 0);
}

/// Keeps the fastest CPU time per iteration of every benchmark and prints
/// kortest cases beside their peers.
class PeerRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0)
        continue;
      double seconds = run.cpu_accumulated_time / double(run.iterations);
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty())
        name += "/" + run.run_name.args;
      auto [it, fresh] = fastest_.emplace(name, seconds);
      if (!fresh && seconds < it->second)
        it->second = seconds;
    }
  }

  /// The fastest time per iteration of `name` (function name and
  /// arguments, such as "poolPair/16") in seconds, 0 when it did not run.
  double fastest(const std::string &name) const {
    auto it = fastest_.find(name);
    return it == fastest_.end() ? 0 : it->second;
  }

  /// Starts a closing table: its title, then the column heads.
  void printHeader(const char *title) const {
    std::printf("\n%s (fastest CPU time per iteration; ratio below 1: "
                "kortest is faster)\n%-44s %12s %12s %7s\n",
                title, "", "kortest", "peer", "ratio");
  }

  /// One line: both times and kortest / peer (below 1: kortest is
  /// faster); nothing when either did not run.
  void printPair(const char *label, const std::string &ours,
                 const std::string &peer) const {
    double a = fastest(ours), b = fastest(peer);
    if (a > 0 && b > 0)
      std::printf("%-44s %12s %12s %7.3f\n", label, format(a).c_str(),
                  format(b).c_str(), a / b);
  }

private:
  static std::string format(double seconds) {
    char text[32];
    if (seconds >= 1e-3)
      std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else if (seconds >= 1e-6)
      std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    else
      std::snprintf(text, sizeof text, "%.2f ns", seconds * 1e9);
    return text;
  }

  std::map<std::string, double> fastest_;
};
