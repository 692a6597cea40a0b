# Shared helpers of the end-to-end tests (sourced, not run).
set -euo pipefail
: "${KORHOST:?}" "${KORTEST_BUILD:?}" "${EXPECTED:?}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

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

# host_with_failing_example [kortest]: a plugins folder and korhost.ini in
# $WORK loading the failing example component, and the kortest component's
# own suites when "kortest" is given; HOST holds korhost's options for them.
host_with_failing_example() {
  mkdir "$WORK/plugins"
  ln -s "$KORTEST_BUILD/bin/libkortest.so" "$WORK/plugins/"
  ln -s "$KORTEST_BUILD/examples/failing/kortest-plugins/libkorfailing.so" "$WORK/plugins/"
  {
    printf '[Directories]\nData Directory = %s/data\n[KorTest]\n' "$WORK"
    [ "${1:-}" != kortest ] || echo "kortest = 74372F72,BA35,4766,A9,53,74,13,03,A2,38,51"
    echo "korfailing = E9EADC63,1523,4D6D,A2,81,97,F0,D9,E2,DD,EB"
  } >"$WORK/korhost.ini"
  HOST=(--plugins "$WORK/plugins" --config "$WORK/korhost.ini")
}
