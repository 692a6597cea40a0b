#!/usr/bin/env bash
# Runs every benchmark of a build: the Google Benchmark binaries, then the
# whole-process comparisons (bench/*_run.sh, timed with hyperfine).
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
for bench in "$build"/bin/*_bench; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench" --benchmark_min_time=0.2 --benchmark_color=false
done
for script in "$here"/*_run.sh; do
  [ -f "$script" ] || continue
  echo "== $(basename "$script")"
  KORTEST_BUILD="$build" bash "$script"
done
