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
# Damaged copies of the mesh file: bytes after the last block, and a mesh
# block whose size (low byte at offset 23) is too small for its mesh.
cp "$WORK/cube.ikm" "$WORK/trailing.ikm"
printf 'junk' >>"$WORK/trailing.ikm"
one_line_error 1 "$WORK/trailing.ikm is damaged: 4 bytes after the last block, from offset 384" \
  mesh-info "$WORK/trailing.ikm"
cp "$WORK/cube.ikm" "$WORK/short.ikm"
printf '\x70' | dd of="$WORK/short.ikm" bs=1 seek=23 conv=notrunc status=none
one_line_error 1 "$WORK/short.ikm is damaged: mesh block at offset 12 (368 bytes): 12 triangles do not fit" \
  mesh-info "$WORK/short.ikm"
printf 'v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4294967297\n' >"$WORK/wide.obj"
one_line_error 1 "cannot read document $WORK/wide.obj: line 4: face index 4294967297 does not fit in 32 bits" \
  command "Write IKorMesh" --document "$WORK/wide.obj" --save-as "$WORK/m.ikm"
one_line_error 2 'no component command titled "Write Nothing"' command "Write Nothing"
echo "writemesh: ok"
