#!/usr/bin/env bash
# `korhost run_programmer_tests`: each built-in suite run alone prints its
# checked-in console transcript exactly (a disabled test prints its name
# with no result and no line end); a full run prints the same records, with
# the suites in the runner's order, and the sum as its closing line.
source "$(dirname "$0")/lib.sh"
cat >"$WORK/korhost.ini" <<INI
[Directories]
Data Directory = $WORK/data
[KorTest]
kortest = 74372F72,BA35,4766,A9,53,74,13,03,A2,38,51
INI
# The main job's choice: JUnit to a file, the console lines on stdout.
run() {
  run_korhost "$WORK/out" "$WORK/err" --config "$WORK/korhost.ini" \
    run_programmer_tests --results_formatter GenJUnitResultsFormatter \
    --results_router GenFileResultsRouter \
    --result_filename.txt "$WORK/junit.xml" "$@"
}

# split_records FILE: one test record per line, the closing line last. A
# disabled test's record ends in " ... " without a line end, so the next
# record (or the closing line) follows on the same line.
split_records() {
  sed -E -e 's/ \.\.\.    / ... \n   /g' -e 's/ \.\.\. ([0-9]+ passed)/ ... \n\1/' "$1"
}

all_records=$WORK/all_records
: >"$all_records"
for suite in "Spec Suite" "Test Assert Tests" \
  "Application Asserts and Exceptions Tests"; do
  slug=$(echo "$suite" | tr 'A-Z ' 'a-z_')
  rc=$(run --suite_name "$suite")
  [ "$rc" = 0 ] || fail "$suite exited $rc: $(cat "$WORK/err")"
  same_as "$EXPECTED/run_$slug.txt" "$WORK/out"
  [ ! -s "$WORK/err" ] || fail "$suite wrote errors: $(cat "$WORK/err")"
  split_records "$WORK/out" | grep -v ' passed, ' >>"$all_records"
done

rc=$(run)
[ "$rc" = 0 ] || fail "full run exited $rc: $(cat "$WORK/err")"
split_records "$WORK/out" | grep -v ' passed, ' | sort >"$WORK/full_sorted"
sort "$all_records" >"$WORK/expected_sorted"
same_as "$WORK/expected_sorted" "$WORK/full_sorted"
tail -n 1 "$WORK/out" >"$WORK/closing"
same_as "$EXPECTED/run_all_closing.txt" "$WORK/closing"
echo "kortest_run: ok"
