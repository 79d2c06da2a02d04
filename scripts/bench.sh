#!/usr/bin/env bash
# Runs every benchmark program; each prints lines "BENCH <name> <value> <unit>".
set -u
build=${1:-build}
status=0
for b in "$build"/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  (cd "$(dirname "$0")/.." && "$b") || status=1
done
exit $status
