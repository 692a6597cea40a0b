#!/usr/bin/env bash
# `korhost --version` prints the version the kit's package version file
# checks (find_package(kortest 1.0 CONFIG)) without a subcommand, and the
# global help lists it.
source "$(dirname "$0")/lib.sh"
version=$(sed -n 's/^set(PACKAGE_VERSION "\([^"]*\)")$/\1/p' \
  "$KORTEST_BUILD/install/kortestConfigVersion.cmake")
[ -n "$version" ] || fail "no PACKAGE_VERSION in the kit's version file"
mkdir "$WORK/empty"
rc=$(run_korhost "$WORK/out" "$WORK/err" --plugins "$WORK/empty" --version)
[ "$rc" = 0 ] || fail "--version exited $rc: $(cat "$WORK/err")"
echo "korhost $version" >"$WORK/expected"
same_as "$WORK/expected" "$WORK/out"
[ ! -s "$WORK/err" ] || fail "--version wrote errors: $(cat "$WORK/err")"
rc=$(run_korhost "$WORK/out" "$WORK/err" --help)
grep -q -- '^  --version ' "$WORK/out" || fail "--help lacks --version"
echo "version: ok"
