#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints a short table: the four
# procedures, Ricalcola, a key release in the window-less form and in the real
# window, start-up to the first pixels and peak memory against a one-caption
# and a bare Qt window, a million TSV lines through tubarogas-calc, and an
# installation of 200 sections, every diameter proposed, read to written.
# Usage: bench/run.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
TUBARO_EXTRA_PACKAGES="libbenchmark-dev libxcb1-dev libxcb-damage0-dev bc" "$root/scripts/setup.sh" bench
(cd "$root" && cmake --build --preset bench)

echo "== $(lscpu | awk -F: '/Model name/ {gsub(/^ +/, "", $2); print $2}'), $(nproc) cores"
"$build/bench/calc_bench" --benchmark_min_time=0.2 2>/dev/null | awk '/^BM_/ {printf "%-28s %10s %s\n", $1, $2, $3}'
"$build/bench/installation_bench" --benchmark_min_time=0.5 2>/dev/null |
  awk '/^BM_/ {printf "%-28s %10s %s\n", "200-section installation", $2, $3}'
QT_QPA_PLATFORM=offscreen "$build/bench/window_key_bench" 2>/dev/null
"$root/bench/startup.sh" "$build/qt/TubaroGAS" "$build/bench/label_window" "$build/bench/bare_window" \
  "$build/bench/first_paint" 15
"$root/bench/tsv_million.sh" "$build/cli/tubarogas-calc"
