#!/usr/bin/env bash
# libkortest.so exports EntryPoint and nothing else.
source "$(dirname "$0")/lib.sh"
nm -D --defined-only "$KORTEST_BUILD/bin/libkortest.so" | awk '{print $3}' | sort >"$WORK/exports"
printf 'EntryPoint\n' >"$WORK/expected"
same_as "$WORK/expected" "$WORK/exports"
