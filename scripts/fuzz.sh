#!/usr/bin/env bash
# Runs each fuzz target of a build tree for a few seconds, starting from the seeds in fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:?build tree}
seconds=${2:-15}
for target in "$tree"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target" _fuzz)
  work="$tree/fuzz/corpus-$name"
  mkdir -p "$work"
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=5 -print_final_stats=0 "$work" 2>"$tree/fuzz/$name.log" \
    || { tail -n 60 "$tree/fuzz/$name.log"; exit 1; }
done
