#!/usr/bin/env bash
# `korhost info` lists the kortest component and its classes; bad input gives
# one line and a non-zero status: 2 for bad options, 3 for a plugin that
# cannot be loaded.
source "$(dirname "$0")/lib.sh"
expect 0 info
out_has '^component kortest {74372F72-BA35-4766-A953-741303A23851} instance "kortest"'
expect 2 --no-such-option info
[ -s "$WORK/err" ] || fail "no message for an unknown option"
expect 2 --config /nonexistent.ini info
err_has "nonexistent.ini"

mkdir "$WORK/plugins"
echo "not a library" >"$WORK/plugins/libbroken.so"
one_line_error 3 "libbroken.so" --plugins "$WORK/plugins" info
cp /usr/lib/x86_64-linux-gnu/libinih.so.0 "$WORK/plugins/libbroken.so" 2>/dev/null || cp "$(ldconfig -p | awk '/libz.so.1 /{print $NF; exit}')" "$WORK/plugins/libbroken.so"
expect 3 --plugins "$WORK/plugins" info
err_has "is not a component"

printf '[KorTest\nbroken' >"$WORK/bad.ini"
expect 2 --config "$WORK/bad.ini" info
err_has "bad.ini:1"
echo "info: ok"
