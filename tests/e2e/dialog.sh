#!/usr/bin/env bash
# `korhost dialog` shows the "Run Programmer Tests" dialog. Without a
# display it refuses with one line; on Qt's off-screen platform it runs
# every test from the dialog's Run All button and saves a picture of the
# dialog to $KORTEST_BUILD/out/dialog.png. Qt lives in a module korhost
# loads only to draw: with a display named, help, list, a run and a save
# answered by --save-as map no Qt library. Without the module korhost says
# so in one line. Exits 77 (skipped) when korhost has no on-screen dialogs
# or the kortest command lays out no widgets.
source "$(dirname "$0")/lib.sh"
: "${KORTEST_SOURCE:?}"
OUT=$KORTEST_BUILD/out
mkdir -p "$OUT"

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
expect 1 dialog --screenshot "$WORK/none.png"
same_as "$EXPECTED/dialog_nodisplay.txt" "$WORK/err"
[ ! -s "$WORK/out" ] || fail "dialog without a display printed: $(cat "$WORK/out")"
[ ! -e "$WORK/none.png" ] || fail "dialog without a display wrote a picture"

export QT_QPA_PLATFORM=offscreen
# Qt warns on stderr about a missing runtime folder; give it one.
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
expect 2 dialog "Run Nothing"
[ "$(cat "$WORK/err")" = 'korhost: no component command titled "Run Nothing"' ] ||
  fail "unknown command: $(cat "$WORK/err")"

# qt_libraries ARGS...: how many Qt libraries korhost ARGS maps.
qt_libraries() {
  LD_DEBUG=libs "$KORHOST" "$@" 2>&1 >/dev/null | grep -c 'calling init: .*/libQt6' || true
}
# no_qt ARGS...: korhost ARGS maps no Qt library.
no_qt() {
  local count; count=$(qt_libraries "$@")
  [ "$count" = 0 ] || fail "korhost $* mapped $count Qt libraries"
}
no_qt --help
no_qt list
no_qt run_programmer_tests
no_qt --headless run_programmer_tests
no_qt command "Write IKorMesh" --document "$KORTEST_SOURCE/examples/meshes/cube.obj" \
  --save-as "$WORK/cube.ikm"
[ -s "$WORK/cube.ikm" ] || fail "the save answered by --save-as wrote no mesh"

# is_png FILE: the file starts with the PNG signature.
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ]; }

rc=$(run_korhost "$WORK/out" "$WORK/err" dialog --screenshot "$WORK/plain.png")
if [ "$rc" = 1 ] && grep -q "no on-screen dialogs" "$WORK/err"; then
  echo "dialog: skipped: korhost was built without Qt"; exit 77
fi
[ "$rc" = 0 ] || fail "dialog exited $rc: $(cat "$WORK/err")"
is_png "$WORK/plain.png" || fail "no PNG picture of the dialog"
[ "$(qt_libraries dialog --screenshot "$WORK/plain.png")" -gt 0 ] ||
  fail "a dialog drawn on screen mapped no Qt library"
widgets=$(sed -n 's/^dialog "Run Programmer Tests": \([0-9]*\) widgets$/\1/p' "$WORK/out")
[ -n "$widgets" ] || fail "no widget count: $(cat "$WORK/out")"
if [ "$widgets" = 0 ]; then
  echo "dialog: skipped: the kortest command lays out no dialog"; exit 77
fi

# The picture (docs/dialog.png) shows a neutral data directory, not this machine's.
sed 's|^Data Directory = .*|Data Directory = /data|' "$KORTEST_BUILD/bin/korhost.ini" >"$WORK/picture.ini"
expect 0 --config "$WORK/picture.ini" dialog --click "Run All" --screenshot "$OUT/dialog.png"
is_png "$OUT/dialog.png" || fail "no PNG picture after Run All"
out_has "Success" # Run All ran the tests
out_has "^screenshot $OUT/dialog.png\$"

expect 2 dialog --click "Run Never" --screenshot "$WORK/never.png"
[ "$(cat "$WORK/err")" = 'korhost: no button "Run Never" in dialog "Run Programmer Tests"' ] ||
  fail "unknown button: $(cat "$WORK/err")"
[ ! -e "$WORK/never.png" ] || fail "a failed click still wrote a picture"

# A korhost without its Qt module (copied alone), or with a module that does
# not load, shows no dialog and says so in one line.
mkdir "$WORK/alone"
cp "$KORHOST" "$WORK/alone/"
ln -s "$KORTEST_BUILD/bin/libkortest.so" "$KORTEST_BUILD/bin/korhost.ini" "$WORK/alone/"
KORHOST=$WORK/alone/korhost expect 1 dialog
same_as "$EXPECTED/dialog_nomodule.txt" "$WORK/err"
printf 'not a module\n' >"$WORK/alone/korhost_qt.so"
KORHOST=$WORK/alone/korhost expect 1 dialog
[ "$(cat "$WORK/err")" = "korhost: no on-screen dialogs in this korhost ($WORK/alone/korhost_qt.so: file too short)" ] ||
  fail "broken module: $(cat "$WORK/err")"
echo "dialog: ok"
