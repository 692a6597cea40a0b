#!/usr/bin/env bash
# Bazel's test sharding: three korhost processes with TEST_TOTAL_SHARDS=3,
# TEST_SHARD_INDEX=0..2, XML_OUTPUT_FILE and TEST_SHARD_STATUS_FILE set as
# Bazel sets them. Together their JUnit files hold every test of the
# unsharded run exactly once with the same outcome, their counts add up to
# the unsharded ones, and each touches its status file. Wrong shard values
# are usage errors; --test runs exactly one test.
source "$(dirname "$0")/lib.sh"
host_with_failing_example kortest

# outcomes JUNIT: one "classname|name|outcome" line per test case, sorted.
outcomes() {
  local count i base
  count=$(xmllint --xpath 'count(//testcase)' "$1")
  for ((i = 1; i <= count; i++)); do
    base="(//testcase)[$i]"
    printf '%s|%s|' "$(xmllint --xpath "string($base/@classname)" "$1")" \
      "$(xmllint --xpath "string($base/@name)" "$1")"
    if [ "$(xmllint --xpath "count($base/failure)" "$1")" != 0 ]; then echo failure
    elif [ "$(xmllint --xpath "count($base/error)" "$1")" != 0 ]; then echo error
    elif [ "$(xmllint --xpath "count($base/skipped)" "$1")" != 0 ]; then echo skipped
    else echo passed; fi
  done | LC_ALL=C sort
}

# counts OUT: the "P passed, F failed, S skipped[, D not run][, N aborted]"
# line as "P F S N"
# (a disabled test's console line has no result, so it may run into this one).
counts() {
  sed -nE 's/(^|.* )([0-9]+) passed, ([0-9]+) failed, ([0-9]+) skipped(, [0-9]+ not run)?(, ([0-9]+) aborted)?$/\2 \3 \4 \7/p' "$1" |
    awk '{print $1, $2, $3, ($4 == "" ? 0 : $4)}'
}

# The unsharded run: XML_OUTPUT_FILE alone makes the report JUnit in that file.
XML_OUTPUT_FILE=$WORK/all.xml expect 1 "${HOST[@]}" run_programmer_tests
[ -s "$WORK/all.xml" ] || fail "no report in XML_OUTPUT_FILE"
outcomes "$WORK/all.xml" >"$WORK/all.txt"
total=$(wc -l <"$WORK/all.txt")
[ "$total" -gt 6 ] || fail "too few tests to shard: $total"
grep -qF "Failing Suite.failingtests|Failing Test|failure" "$WORK/all.txt" ||
  fail "the failing test is missing: $(cat "$WORK/all.txt")"
read -r p f s a < <(counts "$WORK/out")

sum_p=0 sum_f=0 sum_s=0 sum_a=0
: >"$WORK/shards.txt"
for index in 0 1 2; do
  rc=$(TEST_TOTAL_SHARDS=3 TEST_SHARD_INDEX=$index \
    XML_OUTPUT_FILE=$WORK/shard$index.xml TEST_SHARD_STATUS_FILE=$WORK/status$index \
    run_korhost "$WORK/out$index" "$WORK/err$index" "${HOST[@]}" run_programmer_tests)
  [ "$rc" = 0 ] || [ "$rc" = 1 ] || fail "shard $index exited $rc: $(cat "$WORK/err$index")"
  echo "$rc" >"$WORK/rc$index"
  [ -e "$WORK/status$index" ] || fail "shard $index did not touch its status file"
  xmllint --noout "$WORK/shard$index.xml" || fail "shard $index report is not XML"
  outcomes "$WORK/shard$index.xml" >>"$WORK/shards.txt"
  read -r sp sf ss sa < <(counts "$WORK/out$index")
  sum_p=$((sum_p + sp)) sum_f=$((sum_f + sf)) sum_s=$((sum_s + ss)) sum_a=$((sum_a + sa))
  # A shard's console shows only its own tests.
  lines=$(grep -o ' \.\.\. ' "$WORK/out$index" | wc -l)
  [ "$lines" = "$(xmllint --xpath 'count(//testcase)' "$WORK/shard$index.xml")" ] ||
    fail "shard $index console has $lines test lines: $(cat "$WORK/out$index")"
done
LC_ALL=C sort "$WORK/shards.txt" -o "$WORK/shards.txt"
same_as "$WORK/all.txt" "$WORK/shards.txt"
[ "$sum_p $sum_f $sum_s $sum_a" = "$p $f $s $a" ] ||
  fail "shard counts add up to $sum_p $sum_f $sum_s $sum_a, unsharded $p $f $s $a"

# --shard-index/--shard-count win over the environment and split the same
# way; a report option of its own keeps the report out of XML_OUTPUT_FILE.
JUNIT=(--results_formatter GenJUnitResultsFormatter --results_router GenFileResultsRouter --result_filename.txt)
TEST_TOTAL_SHARDS=2 TEST_SHARD_INDEX=1 XML_OUTPUT_FILE=$WORK/unused.xml expect "$(cat "$WORK/rc1")" \
  "${HOST[@]}" run_programmer_tests --shard-index 1 --shard-count 3 "${JUNIT[@]}" "$WORK/again1.xml"
diff <(outcomes "$WORK/again1.xml") <(outcomes "$WORK/shard1.xml") >/dev/null ||
  fail "--shard-index 1 --shard-count 3 differs from TEST_SHARD_INDEX=1 of 3"
[ ! -e "$WORK/unused.xml" ] || fail "XML_OUTPUT_FILE written although a report file was given"
# A formatter alone still reports to XML_OUTPUT_FILE, in its own format.
XML_OUTPUT_FILE=$WORK/native.xml expect 0 "${HOST[@]}" run_programmer_tests \
  --test "Failing Suite.Passing Test" --results_formatter GenXmlResultsFormatter
[ "$(xmllint --xpath 'name(/*)' "$WORK/native.xml")" = korTestResults ] ||
  fail "XML_OUTPUT_FILE with a formatter: $(cat "$WORK/native.xml")"

# Wrong shard values are usage errors with a message.
usage_error() {
  expect 2 "${HOST[@]}" run_programmer_tests "${@:2}"
  grep -qF -- "$1" "$WORK/err" || fail "${*:2}: no \"$1\" in: $(cat "$WORK/err")"
}
usage_error '--shard-index must be a whole number from 0 to 2, not "3"' --shard-index 3 --shard-count 3
usage_error '--shard-index must be a whole number from 0 to 2, not "-1"' --shard-index -1 --shard-count 3
usage_error '--shard-count must be a whole number of at least 1, not "two"' --shard-index 0 --shard-count two
usage_error '--shard-count must be a whole number of at least 1, not "0"' --shard-index 0 --shard-count 0
usage_error '--shard-index and --shard-count must be given together' --shard-index 0
usage_error '--shard-index and --shard-count must be given together' --shard-count 2
export TEST_TOTAL_SHARDS=3 TEST_SHARD_INDEX=x
usage_error 'TEST_SHARD_INDEX must be a whole number from 0 to 2, not "x"'
unset TEST_TOTAL_SHARDS TEST_SHARD_INDEX

# --test runs exactly the test of that name: one console line, one record.
expect 0 "${HOST[@]}" run_programmer_tests --test "Failing Suite.Passing Test" "${JUNIT[@]}" "$WORK/one.xml"
out_has '^1 passed, 0 failed, 0 skipped$'
[ "$(outcomes "$WORK/one.xml")" = "Failing Suite.failingtests|Passing Test|passed" ] ||
  fail "--test report: $(cat "$WORK/one.xml")"
usage_error 'no test is named "Failing Suite.Passing*"' --test "Failing Suite.Passing*"
echo "kortest_shards: ok"
