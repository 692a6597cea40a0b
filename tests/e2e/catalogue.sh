#!/usr/bin/env bash
# A message catalogue named in the settings is read at start-up; a missing or
# malformed one stops korhost with one line naming the file.
source "$(dirname "$0")/lib.sh"
printf '[Translation]\nCatalogue = de.txt\n' >"$WORK/korhost.ini"

printf '# German texts\nRun Programmer Tests = Programmiertests starten\n' >"$WORK/de.txt"
rc=$(run_korhost "$WORK/out" "$WORK/err" --config "$WORK/korhost.ini" info)
[ "$rc" = 0 ] || fail "catalogue beside the settings exited $rc: $(cat "$WORK/err")"

printf 'Run Programmer Tests\n' >"$WORK/de.txt"
rc=$(run_korhost "$WORK/out" "$WORK/err" --config "$WORK/korhost.ini" info)
[ "$rc" = 2 ] || fail "malformed catalogue exited $rc"
grep -q "de.txt:1: not a catalogue entry" "$WORK/err" || fail "bad line not named: $(cat "$WORK/err")"

rm "$WORK/de.txt"
rc=$(run_korhost "$WORK/out" "$WORK/err" --config "$WORK/korhost.ini" info)
[ "$rc" = 2 ] || fail "missing catalogue exited $rc"
[ "$(wc -l <"$WORK/err")" = 1 ] || fail "expected one line: $(cat "$WORK/err")"
grep -q "cannot read message catalogue $WORK/de.txt" "$WORK/err" || fail "missing catalogue not named: $(cat "$WORK/err")"
echo "catalogue: ok"
