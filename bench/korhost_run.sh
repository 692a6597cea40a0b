#!/usr/bin/env bash
# Whole-process comparison of the main job: `korhost run_programmer_tests`
# over a component of 100 suites of 100 trivial passing tests (JUnit report
# to a file, console to /dev/null) against the same 10,000 tests in doctest
# (JUnit reporter to a file) and in GoogleTest (--gtest_output=xml), then
# `korhost list` against `gtest --gtest_list_tests`. Prints the medians of
# hyperfine, the ratios korhost / peer and the peak memory of each run.
#
#   KORTEST_BUILD=build-bench RUNS=20 bash bench/korhost_run.sh
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${KORTEST_BUILD:-$ROOT/build-bench}" && pwd)
RUNS=${RUNS:-20}
TESTS=10000
command -v hyperfine >/dev/null ||
  { echo "hyperfine is missing: bash cmake/install-deps.sh hyperfine" >&2; exit 1; }
cmake --build "$BUILD" --target korhost_run_bench >/dev/null
BIN=$BUILD/bin
[ -x "$BIN/doctest_trivial" ] ||
  { echo "doctest_trivial is missing: bash cmake/install-deps.sh doctest-dev, then reconfigure" >&2; exit 1; }

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

KORHOST_RUN="$BIN/korhost --plugins $WORK/plugins --config $WORK/korhost.ini \
run_programmer_tests --results_formatter GenJUnitResultsFormatter \
--results_router GenFileResultsRouter --result_filename.txt $WORK/out/korhost.xml"
DOCTEST_RUN="$BIN/doctest_trivial --reporters=junit --out=$WORK/out/doctest.xml"
GTEST_RUN="$BIN/gtest_trivial --gtest_output=xml:$WORK/out/gtest.xml"
KORHOST_LIST="$BIN/korhost --plugins $WORK/plugins --config $WORK/korhost.ini list"
GTEST_LIST="$BIN/gtest_trivial --gtest_list_tests"

# A sanity run: every report holds every test case.
for run in "$KORHOST_RUN" "$DOCTEST_RUN" "$GTEST_RUN"; do
  $run >/dev/null || { echo "failed: $run" >&2; exit 1; }
done
for report in korhost doctest gtest; do
  cases=$(grep -c '<testcase' "$WORK/out/$report.xml")
  [ "$cases" = $TESTS ] ||
    { echo "the $report report holds $cases test cases, not $TESTS" >&2; exit 1; }
done

# hyperfine runs each command without a shell and discards its output.
hyperfine -N --warmup 3 --runs "$RUNS" --export-json "$WORK/run.json" \
  -n "korhost run_programmer_tests" "$KORHOST_RUN" \
  -n "doctest --reporters=junit" "$DOCTEST_RUN" \
  -n "gtest --gtest_output=xml" "$GTEST_RUN" \
  -n "korhost list" "$KORHOST_LIST" \
  -n "gtest --gtest_list_tests" "$GTEST_LIST"

# Peak resident memory (KiB) of one run each.
peak() { /usr/bin/time -f %M -o "$WORK/peak" $1 >/dev/null && cat "$WORK/peak"; }
mem_korhost=$(peak "$KORHOST_RUN")
mem_doctest=$(peak "$DOCTEST_RUN")
mem_gtest=$(peak "$GTEST_RUN")

# The medians in command order.
mapfile -t medians < <(sed -n -E 's/.*"median": *([0-9.eE+-]+).*/\1/p' \
  "$WORK/run.json")
awk -v run="${medians[0]}" -v doctest="${medians[1]}" -v gtest="${medians[2]}" \
    -v list="${medians[3]}" -v glist="${medians[4]}" \
    -v mk="$mem_korhost" -v md="$mem_doctest" -v mg="$mem_gtest" \
  'BEGIN {
     printf "median korhost run_programmer_tests: %7.1f ms   peak %5.1f MiB\n", run * 1000, mk / 1024
     printf "median doctest --reporters=junit:    %7.1f ms   peak %5.1f MiB\n", doctest * 1000, md / 1024
     printf "median gtest --gtest_output=xml:     %7.1f ms   peak %5.1f MiB\n", gtest * 1000, mg / 1024
     printf "median korhost list:                 %7.1f ms\n", list * 1000
     printf "median gtest --gtest_list_tests:     %7.1f ms\n", glist * 1000
     printf "ratio korhost run / doctest:         %.2f\n", run / doctest
     printf "ratio korhost run / gtest:           %.2f\n", run / gtest
     printf "ratio korhost list / gtest list:     %.2f\n", list / glist
   }'
