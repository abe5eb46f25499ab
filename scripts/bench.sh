#!/usr/bin/env bash
# Runs every benchmark program of an optimised build.
set -euo pipefail
build=${1:-build-bench}
cd "$(dirname "$0")/.."
found=0
for program in "$build"/bench/bench_*; do
  [ -x "$program" ] || continue
  found=1
  echo "== $(basename "$program")"
  "$program" --benchmark_min_time=0.2
done
[ "$found" -eq 1 ] || echo "No benchmark programs are built yet."
