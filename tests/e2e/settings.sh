#!/usr/bin/env bash
# korhost's settings file: lines of any length are read; a bad line or a
# [KorTest] value that is no component identifier stops korhost with one
# line naming the file and line (exit 2 and 3).
source "$(dirname "$0")/lib.sh"
long=$(printf 'x%.0s' $(seq 600))
part=$(printf 'd%.0s' $(seq 120))
deep=$WORK/$part/$part/$part/$part/$part
{
  printf '; %s\n[Directories]\nData Directory = %s\n' "$long" "$deep"
  printf '[KorTest]\nkortest = 74372F72,BA35,4766,A9,53,74,13,03,A2,38,51\n'
} >"$WORK/long.ini"
rc=$(run_korhost "$WORK/out" "$WORK/err" --config "$WORK/long.ini" list)
[ "$rc" = 0 ] || fail "long lines: exited $rc: $(cat "$WORK/err")"
grep -q "Spec Suite" "$WORK/out" || fail "long lines: no tests listed"

# one_line_error STATUS PATTERN FILE: korhost info fails on FILE with one line.
one_line_error() {
  rc=$(run_korhost "$WORK/out" "$WORK/err" --config "$3" info)
  [ "$rc" = "$1" ] || fail "$3 exited $rc, not $1: $(cat "$WORK/err")"
  [ "$(wc -l <"$WORK/err")" = 1 ] || fail "$3: expected one line: $(cat "$WORK/err")"
  grep -qF -- "$2" "$WORK/err" || fail "$3: $(cat "$WORK/err")"
}
{ cat "$WORK/long.ini"; printf '\nnot a setting %s\n' "$long"; } >"$WORK/bad.ini"
one_line_error 2 "$WORK/bad.ini:7: not a valid line" "$WORK/bad.ini"
{ cat "$WORK/long.ini"; printf 'short = 74372F72,BA35,4766\n'; } >"$WORK/id.ini"
one_line_error 3 "$WORK/id.ini:6: not a component identifier" "$WORK/id.ini"
echo "settings: ok"
