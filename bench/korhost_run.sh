#!/usr/bin/env bash
# Whole-process timing with hyperfine: `korhost run_programmer_tests` over a
# component of 10,000 trivial passing tests (JUnit report to a file, console
# to /dev/null) against a GoogleTest binary with the same 10,000 tests and
# --gtest_output=xml, then `korhost list` over the same component. Prints
# the medians and the ratio korhost / GoogleTest.
#
#   KORTEST_BUILD=build-bench RUNS=10 bash bench/korhost_run.sh
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${KORTEST_BUILD:-$ROOT/build-bench}" && pwd)
RUNS=${RUNS:-10}
command -v hyperfine >/dev/null ||
  { echo "hyperfine is missing: bash cmake/install-deps.sh hyperfine" >&2; exit 1; }
cmake --build "$BUILD" --target korhost_run_bench >/dev/null
BIN=$BUILD/bin

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/plugins" "$WORK/out"
ln -s "$BIN/libkortest.so" "$WORK/plugins/"
ln -s "$BIN/bench-trivial/libkortrivial.so" "$WORK/plugins/"
cat >"$WORK/korhost.ini" <<INI
[Directories]
Data Directory = $WORK/out
[KorTest]
kortrivial = 5B0C1E77,2D4A,4C61,9E,3F,11,08,6A,D2,47,B5
INI
KORHOST="$BIN/korhost --plugins $WORK/plugins --config $WORK/korhost.ini"

# A sanity run: every test passes and the report names them all.
$KORHOST run_programmer_tests --results_formatter GenJUnitResultsFormatter \
  --results_router GenFileResultsRouter \
  --result_filename.txt "$WORK/out/check.xml" | tail -1
[ "$(grep -c '<testcase' "$WORK/out/check.xml")" = 10000 ] ||
  { echo "the korhost report does not hold 10000 test cases" >&2; exit 1; }

hyperfine --warmup 1 --runs "$RUNS" --export-json "$WORK/run.json" \
  -n "korhost run_programmer_tests" \
  "$KORHOST run_programmer_tests --results_formatter GenJUnitResultsFormatter --results_router GenFileResultsRouter --result_filename.txt $WORK/out/korhost.xml >/dev/null" \
  -n "gtest --gtest_output=xml" \
  "$BIN/gtest_trivial --gtest_output=xml:$WORK/out/gtest.xml >/dev/null" \
  -n "korhost list" \
  "$KORHOST list >/dev/null"

# The medians in command order: korhost run, GoogleTest, korhost list.
mapfile -t medians < <(sed -n -E 's/.*"median": *([0-9.eE+-]+).*/\1/p' \
  "$WORK/run.json")
awk -v run="${medians[0]}" -v gtest="${medians[1]}" -v list="${medians[2]}" \
  'BEGIN {
     printf "median korhost run_programmer_tests: %.1f ms\n", run * 1000
     printf "median gtest --gtest_output=xml:     %.1f ms\n", gtest * 1000
     printf "median korhost list:                 %.1f ms\n", list * 1000
     printf "ratio korhost run / gtest:           %.2f\n", run / gtest
   }'
