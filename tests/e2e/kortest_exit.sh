#!/usr/bin/env bash
# korhost's exit status after a scripted run of the failing example
# component: 1 when a test failed or aborted (aborted tests count as
# failures), 0 when every selected test passed, 2 for usage errors; the
# help lists every status (kortest_faults.sh checks 3, 4 and 128+n).
# --filter and --exclude select the tests; --randomize prints the
# seed it left, which repeats the run's draws through --random_seed.
source "$(dirname "$0")/lib.sh"
host_with_failing_example
# run STATUS ARGS...: run_programmer_tests of the failing example.
run() { expect "$1" "${HOST[@]}" run_programmer_tests "${@:2}"; }

run 1
same_as "$EXPECTED/exit_failing.txt" "$WORK/out"
run 0 --filter "Failing Suite.Passing Test"
last_line "1 passed, 0 failed, 3 skipped, 1 not run"
run 1 --filter "Failing Suite.Abort*"
last_line "0 passed, 0 failed, 3 skipped, 1 not run, 1 aborted"
run 0 --exclude "Failing Suite.Failing Test" --exclude "Failing Suite.Aborting Test" \
  --exclude "Failing Suite.Draw Report Test"

# The settings file can give the filter as well.
{ cat "$WORK/korhost.ini"; printf '[Test Run]\nFilter = Failing Suite.Passing Test\n'; } >"$WORK/filter.ini"
expect 0 --plugins "$WORK/plugins" --config "$WORK/filter.ini" run_programmer_tests
last_line "1 passed, 0 failed, 3 skipped, 1 not run"

# A randomized run leaves the seed of its last test, the draw test.
draw() { grep -o 'first draw [0-9]*' "$WORK/out" || fail "no draw in: $(cat "$WORK/out")"; }
VS=(--results_formatter GenVisualStudioResultsFormatter --results_router GenStdStreamsResultsRouter)
run 1 --randomize --random_seed 7 "${VS[@]}"
seed=$(sed -n 's/^random seed \([0-9]*\)$/\1/p' "$WORK/out")
[ -n "$seed" ] || fail "no seed printed: $(cat "$WORK/out")"
[ "$seed" != 7 ] || fail "randomize kept the given seed"
first=$(draw)
[ "$seed" -le 2147483647 ] || seed=$((seed - 4294967296))
run 1 --random_seed "$seed" "${VS[@]}"
[ "$(draw)" = "$first" ] || fail "seed $seed drew $(draw), not $first"
! grep -q '^random seed' "$WORK/out" || fail "seed printed without --randomize"

# Usage errors: exit 2 with a message.
for args in "--random_seed seven" "--random_seed 2147483648" "--no_such_option" \
  "--suite_name" "--break_on_fail=maybe" "--timeout 0" "--timeout 1.5" \
  "--timeout ten"; do
  # shellcheck disable=SC2086
  run 2 $args
  [ -s "$WORK/err" ] || fail "'$args' printed no message"
done
expect 2 no_such_script

expect 0 --help
out_has '^  run_programmer_tests '
out_has '^  list '
expect 0 run_programmer_tests --help
for option in suite_name break_on_fail check_memory results_formatter \
  results_router result_filename.txt randomize random_seed filter exclude \
  timeout; do
  out_has "--$option"
done
for status in 0 1 2 3 4 128+n; do
  grep -qF "  $status  " "$WORK/out" || fail "script --help lacks exit status $status"
done
echo "kortest_exit: ok"
