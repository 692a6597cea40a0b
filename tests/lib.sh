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
