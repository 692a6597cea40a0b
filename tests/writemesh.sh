#!/usr/bin/env bash
# "Write IKorMesh" saves the mesh of the document opened with --document to
# the file the save dialog answers; mesh-info reads it back. Without
# --save-as the dialog is cancelled and nothing is written; bad input ends
# with one error line.
source "$(dirname "$0")/lib.sh"
: "${KORTEST_SOURCE:?}"
cube=$KORTEST_SOURCE/examples/meshes/cube.obj

rc=$(run_korhost "$WORK/out" "$WORK/err" command "Write IKorMesh" \
  --document "$cube" --save-as "$WORK/cube.ikm")
[ "$rc" = 0 ] || fail "write exited $rc: $(cat "$WORK/err")"
[ -s "$WORK/cube.ikm" ] || fail "no mesh file written"

rc=$(run_korhost "$WORK/info" "$WORK/err" mesh-info "$WORK/cube.ikm")
[ "$rc" = 0 ] || fail "mesh-info exited $rc: $(cat "$WORK/err")"
same_as "$EXPECTED/meshinfo_cube.txt" "$WORK/info"

rc=$(run_korhost "$WORK/out" "$WORK/err" command "Write IKorMesh" \
  --document "$cube")
[ "$rc" = 1 ] || fail "cancelled write exited $rc"
[ -z "$(ls -A "$WORK" | grep -v -e '^out$' -e '^err$' -e '^info$' -e '^cube.ikm$')" ] ||
  fail "a cancelled write left a file: $(ls "$WORK")"

rc=$(run_korhost "$WORK/out" "$WORK/err" command "Write IKorMesh" \
  --save-as "$WORK/none.ikm")
[ "$rc" = 1 ] || fail "write without a document exited $rc"
grep -q 'command "Write IKorMesh" is not available' "$WORK/err" ||
  fail "unavailable command not reported: $(cat "$WORK/err")"
[ ! -e "$WORK/none.ikm" ] || fail "write without a document made a file"

# one_line_error STATUS_WANTED PATTERN ARGS...: korhost fails with one line.
one_line_error() {
  local want=$1 pattern=$2; shift 2
  rc=$(run_korhost "$WORK/out" "$WORK/err" "$@")
  [ "$rc" = "$want" ] || fail "$* exited $rc, not $want: $(cat "$WORK/err")"
  [ "$(wc -l <"$WORK/err")" = 1 ] || fail "$*: expected one line: $(cat "$WORK/err")"
  grep -q -- "$pattern" "$WORK/err" || fail "$*: $(cat "$WORK/err")"
}
one_line_error 1 "cannot read document $WORK/missing.obj" \
  command "Write IKorMesh" --document "$WORK/missing.obj" --save-as "$WORK/m.ikm"
printf 'NYR\001\000\000\000\000\377\376 binary\n' >"$WORK/noise.obj"
one_line_error 1 "cannot read document $WORK/noise.obj" \
  command "Write IKorMesh" --document "$WORK/noise.obj" --save-as "$WORK/m.ikm"
one_line_error 1 "$cube is not a data-model file" mesh-info "$cube"
one_line_error 1 "cannot read $WORK/missing.ikm" mesh-info "$WORK/missing.ikm"
one_line_error 2 'no component command titled "Write Nothing"' command "Write Nothing"
echo "writemesh: ok"
