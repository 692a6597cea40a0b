# Shared helpers of the end-to-end tests (sourced, not run).
set -euo pipefail
: "${KORHOST:?}" "${KORTEST_BUILD:?}" "${EXPECTED:?}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
KORTEST_ID=74372F72,BA35,4766,A9,53,74,13,03,A2,38,51

# fail MESSAGE: ends the test with a message.
fail() { echo "FAIL: $*" >&2; exit 1; }

# same_as EXPECTED_FILE ACTUAL_FILE: exact comparison with a diff on failure.
same_as() {
  diff -u "$1" "$2" || fail "$(basename "$2") differs from $(basename "$1")"
}

# run_korhost OUT ERR ARGS...: runs korhost, keeps stdout/stderr, echoes the status.
run_korhost() {
  local out=$1 err=$2; shift 2
  set +e; "$KORHOST" "$@" >"$out" 2>"$err"; local rc=$?; set -e
  echo "$rc"
}

# expect STATUS ARGS...: runs korhost ARGS into $WORK/out and $WORK/err and
# fails unless it exits STATUS; $rc keeps the status.
expect() {
  local want=$1; shift
  rc=$(run_korhost "$WORK/out" "$WORK/err" "$@")
  [ "$rc" = "$want" ] || fail "korhost $* exited $rc, not $want: $(cat "$WORK/out" "$WORK/err")"
}

# out_has / err_has PATTERN: korhost's stdout / stderr holds a line matching PATTERN.
out_has() { grep -q -- "$1" "$WORK/out" || fail "no /$1/ in stdout: $(cat "$WORK/out")"; }
err_has() { grep -q -- "$1" "$WORK/err" || fail "no /$1/ in stderr: $(cat "$WORK/err")"; }

# last_line TEXT: korhost's last line of stdout is TEXT.
last_line() {
  [ "$(tail -n 1 "$WORK/out")" = "$1" ] || fail "last line is not \"$1\": $(cat "$WORK/out")"
}

# one_line_error STATUS TEXT ARGS...: korhost ARGS exits STATUS with one line
# on stderr that holds TEXT.
one_line_error() {
  local text=$2
  expect "$1" "${@:3}"
  [ "$(wc -l <"$WORK/err")" = 1 ] || fail "$*: expected one line: $(cat "$WORK/err")"
  grep -qF -- "$text" "$WORK/err" || fail "$*: $(cat "$WORK/err")"
}

# kortest_ini FILE: settings loading the kortest component's own suites,
# with the data directory $WORK/data.
kortest_ini() {
  printf '[Directories]\nData Directory = %s/data\n[KorTest]\nkortest = %s\n' \
    "$WORK" "$KORTEST_ID" >"$1"
}

# host_with_failing_example [kortest]: a plugins folder and korhost.ini in
# $WORK loading the failing example component, and the kortest component's
# own suites when "kortest" is given; HOST holds korhost's options for them.
host_with_failing_example() {
  mkdir "$WORK/plugins"
  ln -s "$KORTEST_BUILD/bin/libkortest.so" "$WORK/plugins/"
  ln -s "$KORTEST_BUILD/examples/failing/kortest-plugins/libkorfailing.so" "$WORK/plugins/"
  {
    printf '[Directories]\nData Directory = %s/data\n[KorTest]\n' "$WORK"
    [ "${1:-}" != kortest ] || echo "kortest = $KORTEST_ID"
    echo "korfailing = E9EADC63,1523,4D6D,A2,81,97,F0,D9,E2,DD,EB"
  } >"$WORK/korhost.ini"
  HOST=(--plugins "$WORK/plugins" --config "$WORK/korhost.ini")
}

# install_kit: installs the build into $PREFIX ($WORK/prefix) as an author
# gets it; KORHOST becomes the installed korhost.
install_kit() {
  : "${KORTEST_SOURCE:?}"
  PREFIX=$WORK/prefix
  cmake --install "$KORTEST_BUILD" --prefix "$PREFIX" >"$WORK/install.log" ||
    fail "install: $(cat "$WORK/install.log")"
  KORHOST=$PREFIX/bin/korhost
}

# build_with_kit SOURCE BUILD: configures and builds SOURCE against the kit.
build_with_kit() {
  cmake -S "$1" -B "$2" -DCMAKE_PREFIX_PATH="$PREFIX" >"$WORK/configure.log" 2>&1 ||
    fail "configure $1: $(tail -20 "$WORK/configure.log")"
  cmake --build "$2" -j2 >"$WORK/build.log" 2>&1 || fail "build $1: $(tail -20 "$WORK/build.log")"
}
