#!/usr/bin/env bash
# How fast tubarogas-calc works through a file of a million cases.
# Usage: bench/tsv_million.sh [PATH/TO/tubarogas-calc]   (default: build/cli/tubarogas-calc)
# Builds the file in a scratch folder (all four modes, a few errors among
# them), then times three runs and prints the best.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
binary=${1:-$root/build/cli/tubarogas-calc}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cases=$work/million.tsv

awk 'BEGIN {
    split("D P Y L", modes, " ");
    for (i = 0; i < 1000000; i++) {
      m = modes[i % 4 + 1];
      d = 10 + i % 90; p = 1 + i % 500; y = 10 + i % 990; l = i % 200;  # l = 0 divides by zero
      printf "%s\t%d\t%d,%d\t%d\t%d\n", m, d, p, i % 10, y, l;
    }
  }' >"$cases"

best=""
for run in 1 2 3; do
  start=$(date +%s.%N)
  "$binary" --tsv "$cases" --separatore , >/dev/null
  end=$(date +%s.%N)
  seconds=$(echo "$end - $start" | bc -l)
  if [ -z "$best" ] || [ "$(echo "$seconds < $best" | bc -l)" = 1 ]; then best=$seconds; fi
done
printf 'one million TSV lines: %.3f s (best of 3) on %s, %s cores\n' "$best" "$(uname -m)" "$(nproc)"
