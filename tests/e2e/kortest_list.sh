#!/usr/bin/env bash
# `korhost list` prints each suite of the registered test components with
# its tests: full name, enabled or the disabled reason, file:line;
# --format json (or --json) lists every test as one JSON array.
source "$(dirname "$0")/lib.sh"
host_with_failing_example
expect 0 "${HOST[@]}" list
same_as "$EXPECTED/list_failing.txt" "$WORK/out"

# --format json: one array, an object per test in registration order.
expect 0 "${HOST[@]}" list --format json
jq -r '.[] | [.suite, .description, .fullName, .enabled, .disabledReason, .file, .line, .testNumber]
  | map(tostring) | join("|")' "$WORK/out" >"$WORK/json.txt" || fail "not JSON: $(cat "$WORK/out")"
same_as "$EXPECTED/list_failing_json.txt" "$WORK/json.txt"
[ "$(jq -r '[.[] | keys_unsorted | join(",")] | unique | .[]' "$WORK/out")" = \
  "suite,description,fullName,enabled,disabledReason,file,line,testNumber" ] ||
  fail "json objects do not hold exactly the listed keys in order"
# --json is the short form.
cp "$WORK/out" "$WORK/json"
expect 0 "${HOST[@]}" list --json
same_as "$WORK/json" "$WORK/out"
expect 2 list --format yaml

# The default configuration lists the built-in suites.
expect 0 list
out_has '^Spec Suite ('
out_has '^  Spec Suite\.'
echo "kortest_list: ok"
