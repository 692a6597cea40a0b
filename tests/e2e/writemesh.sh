#!/usr/bin/env bash
# "Write IKorMesh" saves the mesh of the document opened with --document to
# the file the save dialog answers; mesh-info reads it back. Without
# --save-as the dialog is cancelled and nothing is written; bad input ends
# with one error line.
source "$(dirname "$0")/lib.sh"
: "${KORTEST_SOURCE:?}"
cube=$KORTEST_SOURCE/examples/meshes/cube.obj
WRITE=(command "Write IKorMesh")

expect 0 "${WRITE[@]}" --document "$cube" --save-as "$WORK/cube.ikm"
[ -s "$WORK/cube.ikm" ] || fail "no mesh file written"
expect 0 mesh-info "$WORK/cube.ikm"
same_as "$EXPECTED/meshinfo_cube.txt" "$WORK/out"

expect 1 "${WRITE[@]}" --document "$cube"
[ -z "$(ls -A "$WORK" | grep -v -e '^out$' -e '^err$' -e '^cube.ikm$')" ] ||
  fail "a cancelled write left a file: $(ls "$WORK")"
expect 1 "${WRITE[@]}" --save-as "$WORK/none.ikm"
err_has 'command "Write IKorMesh" is not available'
[ ! -e "$WORK/none.ikm" ] || fail "write without a document made a file"

one_line_error 1 "cannot read document $WORK/missing.obj" \
  "${WRITE[@]}" --document "$WORK/missing.obj" --save-as "$WORK/m.ikm"
printf 'NYR\001\000\000\000\000\377\376 binary\n' >"$WORK/noise.obj"
one_line_error 1 "cannot read document $WORK/noise.obj" \
  "${WRITE[@]}" --document "$WORK/noise.obj" --save-as "$WORK/m.ikm"
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
  "${WRITE[@]}" --document "$WORK/wide.obj" --save-as "$WORK/m.ikm"
one_line_error 2 'no component command titled "Write Nothing"' command "Write Nothing"
echo "writemesh: ok"
