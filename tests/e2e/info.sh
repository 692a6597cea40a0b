#!/usr/bin/env bash
# `korhost info` lists the kortest component and its classes; bad input gives
# one line and a non-zero status: 2 for bad options, 3 for a plugin that
# cannot be loaded.
source "$(dirname "$0")/lib.sh"
rc=$(run_korhost "$WORK/out" "$WORK/err" info)
[ "$rc" = 0 ] || fail "info exited $rc: $(cat "$WORK/err")"
grep -q '^component kortest {74372F72-BA35-4766-A953-741303A23851} instance "kortest"' "$WORK/out" \
  || fail "kortest not listed: $(cat "$WORK/out")"

rc=$(run_korhost "$WORK/out" "$WORK/err" --no-such-option info)
[ "$rc" = 2 ] || fail "unknown option exited $rc"
[ "$(wc -l <"$WORK/err")" -ge 1 ] || fail "no message for an unknown option"

rc=$(run_korhost "$WORK/out" "$WORK/err" --config /nonexistent.ini info)
[ "$rc" = 2 ] || fail "missing config exited $rc"
grep -q "nonexistent.ini" "$WORK/err" || fail "missing config not named: $(cat "$WORK/err")"

mkdir "$WORK/plugins"
echo "not a library" >"$WORK/plugins/libbroken.so"
rc=$(run_korhost "$WORK/out" "$WORK/err" --plugins "$WORK/plugins" info)
[ "$rc" = 3 ] || fail "broken library exited $rc"
[ "$(wc -l <"$WORK/err")" = 1 ] || fail "expected one line: $(cat "$WORK/err")"
grep -q "libbroken.so" "$WORK/err" || fail "broken library not named"

cp /usr/lib/x86_64-linux-gnu/libinih.so.0 "$WORK/plugins/libbroken.so" 2>/dev/null || cp "$(ldconfig -p | awk '/libz.so.1 /{print $NF; exit}')" "$WORK/plugins/libbroken.so"
rc=$(run_korhost "$WORK/out" "$WORK/err" --plugins "$WORK/plugins" info)
[ "$rc" = 3 ] || fail "non-component library exited $rc"
grep -q "is not a component" "$WORK/err" || fail "non-component not explained: $(cat "$WORK/err")"

printf '[KorTest\nbroken' >"$WORK/bad.ini"
rc=$(run_korhost "$WORK/out" "$WORK/err" --config "$WORK/bad.ini" info)
[ "$rc" = 2 ] || fail "bad config exited $rc"
grep -q "bad.ini:1" "$WORK/err" || fail "bad config line not named: $(cat "$WORK/err")"
echo "info: ok"
