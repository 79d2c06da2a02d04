#!/usr/bin/env bash
# Runs every libFuzzer target for FUZZ_SECONDS (60 by default) and reports executions and findings.
set -u
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
status=0
for f in "$build"/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$build/corpus-$name"; mkdir -p "$corpus"
  echo "== $name for ${seconds}s"
  "$f" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$name-" "$corpus" 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' || true
  if ls "$build/$name-"crash-* >/dev/null 2>&1; then echo "FINDINGS: $(ls "$build/$name-"crash-*)"; status=1; fi
done
exit $status
