#!/usr/bin/env bash
# Runs every libFuzzer target for FUZZ_SECONDS (60 by default) and reports executions and findings.
# fuzz/<target>.dict is used as its dictionary and fuzz/seeds/<target>/ as read-only seeds.
set -u
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
status=0
for f in "$build"/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$build/corpus-$name"; mkdir -p "$corpus"
  extra=()
  [ -f "$source_dir/fuzz/$name.dict" ] && extra+=(-dict="$source_dir/fuzz/$name.dict")
  seeds=()
  [ -d "$source_dir/fuzz/seeds/$name" ] && seeds+=("$source_dir/fuzz/seeds/$name")
  echo "== $name for ${seconds}s"
  "$f" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$name-" "${extra[@]}" \
    "$corpus" "${seeds[@]}" 2>&1 | grep -E 'stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|Done' || true
  findings=$(ls "$build/$name-"{crash,leak,oom,timeout}-* 2>/dev/null)
  if [ -n "$findings" ]; then echo "FINDINGS: $findings"; status=1; fi
done
exit $status
