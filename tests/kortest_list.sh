#!/usr/bin/env bash
# `korhost list` prints each suite of the registered test components with
# its tests: full name, enabled or the disabled reason, file:line; --json
# gives the same as one document.
source "$(dirname "$0")/lib.sh"
mkdir "$WORK/plugins"
ln -s "$KORTEST_BUILD/bin/libkortest.so" "$WORK/plugins/"
ln -s "$KORTEST_BUILD/bin/examples-failing/libkorfailing.so" "$WORK/plugins/"
cat >"$WORK/korhost.ini" <<INI
[KorTest]
korfailing = E9EADC63,1523,4D6D,A2,81,97,F0,D9,E2,DD,EB
INI
rc=$(run_korhost "$WORK/out" "$WORK/err" --plugins "$WORK/plugins" \
  --config "$WORK/korhost.ini" list)
[ "$rc" = 0 ] || fail "list exited $rc: $(cat "$WORK/err")"
same_as "$EXPECTED/list_failing.txt" "$WORK/out"

rc=$(run_korhost "$WORK/out" "$WORK/err" --plugins "$WORK/plugins" \
  --config "$WORK/korhost.ini" list --json)
[ "$rc" = 0 ] || fail "list --json exited $rc"
grep -q '"fullName": "Failing Suite.Unfinished Test"' "$WORK/out" ||
  fail "json lacks the disabled test"
grep -q '"disabledReason": "not written yet"' "$WORK/out" ||
  fail "json lacks the disabled reason"

# The default configuration lists the built-in suites.
rc=$(run_korhost "$WORK/out" "$WORK/err" list)
[ "$rc" = 0 ] || fail "default list exited $rc"
grep -q '^Spec Suite (' "$WORK/out" || fail "Spec Suite not listed"
grep -q '^  Spec Suite\.' "$WORK/out" || fail "Spec Suite's tests not listed"
echo "kortest_list: ok"
