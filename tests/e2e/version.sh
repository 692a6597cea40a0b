#!/usr/bin/env bash
# `korhost --version` prints the version the kit's package version file
# checks (find_package(kortest 1.0 CONFIG)) without a subcommand, and the
# global help lists it.
source "$(dirname "$0")/lib.sh"
version=$(sed -n 's/^set(PACKAGE_VERSION "\([^"]*\)")$/\1/p' \
  "$KORTEST_BUILD/install/kortestConfigVersion.cmake")
[ -n "$version" ] || fail "no PACKAGE_VERSION in the kit's version file"
mkdir "$WORK/empty"
expect 0 --plugins "$WORK/empty" --version
echo "korhost $version" >"$WORK/expected"
same_as "$WORK/expected" "$WORK/out"
[ ! -s "$WORK/err" ] || fail "--version wrote errors: $(cat "$WORK/err")"
expect 0 --help
out_has '^  --version '
echo "version: ok"
