#!/usr/bin/env bash
# Runs every fuzz target of a build for a few seconds on its seed corpus.
set -euo pipefail
build=$1 seconds=${2:-8}
root=$(cd "$(dirname "$0")/.." && pwd)
corpus_root=$(mktemp -d)
trap 'rm -rf "$corpus_root"' EXIT
status=0
for target in "$build"/bin/*_fuzz; do
  name=$(basename "$target" _fuzz)
  corpus="$corpus_root/$name"
  mkdir -p "$corpus"
  [ -d "$root/fuzz/seeds/$name" ] && cp "$root/fuzz/seeds/$name"/* "$corpus"/ 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
       -artifact_prefix="$build/crash-$name-" "$corpus" >"$build/fuzz-$name.log" 2>&1; then
    echo "fuzz target $name failed:"; tail -40 "$build/fuzz-$name.log"; status=1
  fi
done
exit $status
