#!/usr/bin/env bash
# A run survives its tests: a component of faulting tests (tests/e2e/faults/),
# built out of tree with the kit against an installed kortest, runs one
# suite per kind of fault with the JUnit report in a file. Each row of the
# table names the suite, korhost's extra options, the exit status and a
# pattern of the stderr line; what the run printed and reported (the
# console lines, the closing line and the JUnit records) is compared whole
# with expected/faults_runs.txt. Then the statuses of a run that cannot be
# carried out or reported (3), that selects nothing (4) or an empty shard (0).
source "$(dirname "$0")/lib.sh"
install_kit
cp -r "$KORTEST_SOURCE/tests/e2e/faults" "$WORK/src"
build_with_kit "$WORK/src" "$WORK/build"
HOST=(--plugins "$WORK/build/kortest-plugins" --config "$WORK/build/faults.korhost.ini")
JUNIT=(--results_formatter GenJUnitResultsFormatter --results_router GenFileResultsRouter)

# run STATUS ARGS...: korhost run_programmer_tests exits STATUS.
run() { expect "$1" "${HOST[@]}" run_programmer_tests "${@:2}"; }

# run_with_settings STATUS TEXT ARGS...: run with the component's settings
# file followed by the lines of TEXT.
run_with_settings() {
  { cat "$WORK/build/faults.korhost.ini"; printf '%s\n' "$2"; } >"$WORK/extra.ini"
  expect "$1" --plugins "$WORK/build/kortest-plugins" --config "$WORK/extra.ini" \
    run_programmer_tests "${@:3}"
}

# junit_records FILE: one line per test case: its name, then "passed" or the
# kind of its first child (failure, error, skipped) and that child's text.
junit_records() {
  local file=$1 count i name kind
  count=$(xmllint --xpath 'count(//testcase)' "$file")
  for ((i = 1; i <= count; i++)); do
    name=$(xmllint --xpath "string((//testcase)[$i]/@name)" "$file")
    kind=$(xmllint --xpath "name((//testcase)[$i]/*[1])" "$file")
    if [ -z "$kind" ]; then
      echo "  $name: passed"
    else
      echo "  $name: $kind: $(xmllint --xpath "string((//testcase)[$i]/*[1])" "$file")"
    fi
  done
}

# Suite | extra options | exit status | stderr line (extended regex, whole
# line). The Before test of every suite passes; After runs unless the fault
# stops the run (SIGTERM, exit) or kills the process (no report then).
T='korhost: test "'
ROWS=(
  "Null Write||1|${T}Null Write.Fault\" ended by SIGSEGV at address 0x0"
  "Divide By Zero||1|${T}Divide By Zero.Fault\" ended by SIGFPE at address 0x[0-9a-f]+"
  "Abort||1|${T}Abort.Fault\" ended by SIGABRT"
  "Assert||1|${T}Assert.Fault\" ended by SIGABRT"
  "Terminate||1|${T}Terminate.Fault\" ended by SIGABRT"
  "Throw Int||1|${T}Throw Int.Fault\" ended by an exception of type int"
  "Throw Runtime Error||1|${T}Throw Runtime Error.Fault\" ended by an exception of type std::runtime_error: no connection to the database"
  "Endless Loop|--timeout 1|1|${T}Endless Loop.Fault\" timed out after 1 seconds?"
  "Exit 3||3|${T}Exit 3.Fault\" ended the process \\(exit status 3\\)"
  "Exit 0||3|${T}Exit 0.Fault\" ended the process \\(exit status 0\\)"
  "Raise SIGTERM||143|${T}Raise SIGTERM.Fault\" interrupted by SIGTERM"
  "Raise SIGUSR1||138|korhost: SIGUSR1 while \"Raise SIGUSR1.Fault\" was running \\(1 of 3 tests finished\\)"
  "Other Thread||139|korhost: SIGSEGV while \"Other Thread.Fault\" was running \\(1 of 3 tests finished\\)"
  "Memory|--check_memory|1|"
)
for row in "${ROWS[@]}"; do
  IFS='|' read -r suite extra status pattern <<<"$row"
  rm -f "$WORK/junit.xml"
  # shellcheck disable=SC2086
  run "$status" --suite_name "$suite" $extra "${JUNIT[@]}" --result_filename.txt "$WORK/junit.xml"
  if [ -n "$pattern" ]; then
    grep -qxE "$pattern" "$WORK/err" || fail "$suite: no stderr line /$pattern/ in: $(cat "$WORK/err")"
  else
    [ ! -s "$WORK/err" ] || fail "$suite: $(cat "$WORK/err")"
  fi
  {
    echo "== $suite${extra:+ $extra}: exit $rc"
    # A process that died leaves its last console line unended.
    sed '$a\' "$WORK/out"
    if [ -f "$WORK/junit.xml" ]; then junit_records "$WORK/junit.xml"; else echo "  no report"; fi
  } >>"$WORK/runs.txt"
done
same_as "$EXPECTED/faults_runs.txt" "$WORK/runs.txt"

# The time limit may come from the settings file instead of --timeout.
run_with_settings 1 $'[Test Run]\nTimeout = 1' --suite_name "Endless Loop"
grep -qxE 'korhost: test "Endless Loop.Fault" timed out after 1 seconds?' "$WORK/err" ||
  fail "[Test Run] Timeout: $(cat "$WORK/err")"

# A report that cannot be written: exit 3 with the path and the reason.
for target in /dev/full "$WORK"; do
  run 3 --suite_name "Throw Int" "${JUNIT[@]}" --result_filename.txt "$target"
  grep -qxE "korhost: error: Unable to write the results to $target: (No space left on device|Is a directory)" \
    "$WORK/err" || fail "report to $target: $(cat "$WORK/err")"
done

# [KorTest] values that load no component: exit 3 with the value named. A
# malformed one stops korhost before the run; one that names no loaded
# component lets the others run.
with_korTest_value() {
  run_with_settings 3 "broken = $1" --suite_name "Memory"
  grep -qF "$1" "$WORK/err" || fail "[KorTest] $1 not named: $(cat "$WORK/err")"
}
with_korTest_value "12,34,56"
with_korTest_value "00000000,0000,0000,00,00,00,00,00,00,00,01"
last_line "2 passed, 0 failed, 0 skipped" # the loaded component ran beside the missing one

# A library in the plugin folder that is no component: exit 3.
mkdir "$WORK/plugins"
ln -s "$WORK/build/kortest-plugins/"*.so "$WORK/plugins/"
: >"$WORK/plugins/libbroken.so"
expect 3 --plugins "$WORK/plugins" --config "$WORK/build/faults.korhost.ini" run_programmer_tests
err_has "libbroken\.so"

# A selection that matches nothing: exit 4 (tests a filter leaves out are
# still listed as skipped); an empty shard of a selection that matched: 0.
nothing_selected() {
  run 4 "$@"
  tail -n 1 "$WORK/out" | grep -q '^0 passed, 0 failed, [0-9]* skipped$' || fail "'$*': $(cat "$WORK/out")"
}
nothing_selected --suite_name Nothing
nothing_selected --filter "Nothing.*"
nothing_selected --suite_name Memory --exclude "Memory.Keeps Nothing" --exclude "Memory.Keeps A Block"
nothing_selected --test "Memory.Keeps Nothing" --exclude "Memory.Keeps Nothing"
run 0 --suite_name Memory --shard-index 2 --shard-count 3
[ "$(cat "$WORK/out")" = "0 passed, 0 failed, 0 skipped" ] || fail "an empty shard ran: $(cat "$WORK/out")"

echo "kortest_faults: ok"
