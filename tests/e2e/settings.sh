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
  printf '[KorTest]\nkortest = %s\n' "$KORTEST_ID"
} >"$WORK/long.ini"
expect 0 --config "$WORK/long.ini" list
out_has "Spec Suite"
{ cat "$WORK/long.ini"; printf '\nnot a setting %s\n' "$long"; } >"$WORK/bad.ini"
one_line_error 2 "$WORK/bad.ini:7: not a valid line" --config "$WORK/bad.ini" info
{ cat "$WORK/long.ini"; printf 'short = 74372F72,BA35,4766\n'; } >"$WORK/id.ini"
one_line_error 3 "$WORK/id.ini:6: not a component identifier" --config "$WORK/id.ini" info
echo "settings: ok"
