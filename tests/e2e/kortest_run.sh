#!/usr/bin/env bash
# `korhost run_programmer_tests`: each built-in suite run alone, and the
# full run, print their checked-in console transcripts exactly (a disabled
# test prints its name with no result and no line end). The full run visits
# the suites in the order their tests were registered, so its transcript is
# the same from run to run, with the leak check too.
source "$(dirname "$0")/lib.sh"
kortest_ini "$WORK/korhost.ini"
# The main job's choice: JUnit to a file, the console lines on stdout.
run() {
  expect 0 --config "$WORK/korhost.ini" run_programmer_tests \
    --results_formatter GenJUnitResultsFormatter --results_router GenFileResultsRouter \
    --result_filename.txt "$WORK/junit.xml" "$@"
}
for suite in "Spec Suite" "Test Assert Tests" "Application Asserts and Exceptions Tests"; do
  run --suite_name "$suite"
  same_as "$EXPECTED/run_$(echo "$suite" | tr 'A-Z ' 'a-z_').txt" "$WORK/out"
  [ ! -s "$WORK/err" ] || fail "$suite wrote errors: $(cat "$WORK/err")"
done
# The second time with the leak check: the built-in tests keep nothing.
for check in "" --check_memory; do
  run $check
  same_as "$EXPECTED/run_all.txt" "$WORK/out"
done
echo "kortest_run: ok"
