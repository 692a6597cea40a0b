#!/usr/bin/env bash
# `korhost list` prints each suite of the registered test components with
# its tests: full name, enabled or the disabled reason, file:line;
# --format json (or --json) lists every test as one JSON array.
source "$(dirname "$0")/lib.sh"
host_with_failing_example
rc=$(run_korhost "$WORK/out" "$WORK/err" "${HOST[@]}" list)
[ "$rc" = 0 ] || fail "list exited $rc: $(cat "$WORK/err")"
same_as "$EXPECTED/list_failing.txt" "$WORK/out"

# --format json: one array, an object per test in registration order.
rc=$(run_korhost "$WORK/out" "$WORK/err" "${HOST[@]}" list --format json)
[ "$rc" = 0 ] || fail "list --format json exited $rc: $(cat "$WORK/err")"
jq -r '.[] | [.suite, .description, .fullName, .enabled, .disabledReason, .file, .line, .testNumber]
  | map(tostring) | join("|")' "$WORK/out" >"$WORK/json.txt" || fail "not JSON: $(cat "$WORK/out")"
same_as "$EXPECTED/list_failing_json.txt" "$WORK/json.txt"
[ "$(jq -r '[.[] | keys_unsorted | join(",")] | unique | .[]' "$WORK/out")" = \
  "suite,description,fullName,enabled,disabledReason,file,line,testNumber" ] ||
  fail "json objects do not hold exactly the listed keys in order"
# --json is the short form.
rc=$(run_korhost "$WORK/json" "$WORK/err" "${HOST[@]}" list --json)
[ "$rc" = 0 ] || fail "list --json exited $rc"
same_as "$WORK/out" "$WORK/json"
rc=$(run_korhost "$WORK/out" "$WORK/err" list --format yaml)
[ "$rc" = 2 ] || fail "list --format yaml exited $rc, not 2"

# The default configuration lists the built-in suites.
rc=$(run_korhost "$WORK/out" "$WORK/err" list)
[ "$rc" = 0 ] || fail "default list exited $rc"
grep -q '^Spec Suite (' "$WORK/out" || fail "Spec Suite not listed"
grep -q '^  Spec Suite\.' "$WORK/out" || fail "Spec Suite's tests not listed"
echo "kortest_list: ok"
