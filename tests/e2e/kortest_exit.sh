#!/usr/bin/env bash
# korhost's exit status after a scripted run of the failing example
# component: 1 when a test failed or aborted (aborted tests count as
# failures), 0 when every selected test passed, 2 for usage errors; the
# help lists every status (kortest_faults.sh checks 3, 4 and 128+n).
# --filter and --exclude select the tests; --randomize prints the
# seed it left, which repeats the run's draws through --random_seed.
source "$(dirname "$0")/lib.sh"
host_with_failing_example
run() {
  run_korhost "$WORK/out" "$WORK/err" "${HOST[@]}" run_programmer_tests "$@"
}

rc=$(run)
[ "$rc" = 1 ] || fail "failing run exited $rc"
same_as "$EXPECTED/exit_failing.txt" "$WORK/out"

rc=$(run --filter "Failing Suite.Passing Test")
[ "$rc" = 0 ] || fail "passing test alone exited $rc"
[ "$(tail -n 1 "$WORK/out")" = "1 passed, 0 failed, 3 skipped, 1 not run" ] ||
  fail "filtered run: $(tail -n 1 "$WORK/out")"

rc=$(run --filter "Failing Suite.Abort*")
[ "$rc" = 1 ] || fail "aborting test alone exited $rc"
[ "$(tail -n 1 "$WORK/out")" = "0 passed, 0 failed, 3 skipped, 1 not run, 1 aborted" ] ||
  fail "aborted run: $(tail -n 1 "$WORK/out")"

rc=$(run --exclude "Failing Suite.Failing Test" \
  --exclude "Failing Suite.Aborting Test" \
  --exclude "Failing Suite.Draw Report Test")
[ "$rc" = 0 ] || fail "excluded failures exited $rc"

# The settings file can give the filter as well.
{ cat "$WORK/korhost.ini"; printf '[Test Run]\nFilter = Failing Suite.Passing Test\n'; } >"$WORK/filter.ini"
rc=$(run_korhost "$WORK/out" "$WORK/err" --plugins "$WORK/plugins" --config "$WORK/filter.ini" run_programmer_tests)
[ "$(tail -n 1 "$WORK/out")" = "1 passed, 0 failed, 3 skipped, 1 not run" ] ||
  fail "filter from the settings file: $(tail -n 1 "$WORK/out")"

# A randomized run leaves the seed of its last test, the draw test.
draw() {
  grep -o 'first draw [0-9]*' "$WORK/out" || fail "no draw in: $(cat "$WORK/out")"
}
rc=$(run --randomize --random_seed 7 \
  --results_formatter GenVisualStudioResultsFormatter \
  --results_router GenStdStreamsResultsRouter)
[ "$rc" = 1 ] || fail "randomized run exited $rc"
seed=$(sed -n 's/^random seed \([0-9]*\)$/\1/p' "$WORK/out")
[ -n "$seed" ] || fail "no seed printed: $(cat "$WORK/out")"
[ "$seed" != 7 ] || fail "randomize kept the given seed"
first=$(draw)
[ "$seed" -le 2147483647 ] || seed=$((seed - 4294967296))
rc=$(run --random_seed "$seed" \
  --results_formatter GenVisualStudioResultsFormatter \
  --results_router GenStdStreamsResultsRouter)
[ "$(draw)" = "$first" ] || fail "seed $seed drew $(draw), not $first"
! grep -q '^random seed' "$WORK/out" || fail "seed printed without --randomize"

# Usage errors: exit 2 with a message.
for args in "--random_seed seven" "--random_seed 2147483648" "--no_such_option" \
  "--suite_name" "--break_on_fail=maybe" "--timeout 0" "--timeout 1.5" \
  "--timeout ten"; do
  # shellcheck disable=SC2086
  rc=$(run $args)
  [ "$rc" = 2 ] || fail "'$args' exited $rc"
  [ -s "$WORK/err" ] || fail "'$args' printed no message"
done
rc=$(run_korhost "$WORK/out" "$WORK/err" no_such_script)
[ "$rc" = 2 ] || fail "unknown subcommand exited $rc"

rc=$(run_korhost "$WORK/out" "$WORK/err" --help)
[ "$rc" = 0 ] || fail "--help exited $rc"
grep -q '^  run_programmer_tests ' "$WORK/out" || fail "--help lacks the script"
grep -q '^  list ' "$WORK/out" || fail "--help lacks list"
rc=$(run_korhost "$WORK/out" "$WORK/err" run_programmer_tests --help)
[ "$rc" = 0 ] || fail "script --help exited $rc"
for option in suite_name break_on_fail check_memory results_formatter \
  results_router result_filename.txt randomize random_seed filter exclude \
  timeout; do
  grep -q -- "--$option" "$WORK/out" || fail "script --help lacks --$option"
done
for status in 0 1 2 3 4 128+n; do
  grep -qF "  $status  " "$WORK/out" || fail "script --help lacks exit status $status"
done
echo "kortest_exit: ok"
