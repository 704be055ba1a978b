#!/usr/bin/env bash
# Start-up of a window program against two yardsticks, on a virtual X display
# without a window manager: time from the start to the map of its window and
# to the first pixels drawn into it after the map (the first X DAMAGE), and
# peak memory. The yardsticks are a Qt window with one caption, which loads
# fonts as any window that shows text must, and a bare Qt window. Starts are
# interleaved, so a slow spell of the machine touches all three alike;
# medians of RUNS starts (default 15).
# Usage: bench/startup.sh TubaroGAS label_window bare_window first_paint [RUNS]
set -euo pipefail
program=$1
label=$2
bare=$3
first_paint=$4
runs=${5:-15}

work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR=$work

for _ in $(seq "$runs"); do
  "$first_paint" "$program" >>"$work/program" 2>/dev/null
  "$first_paint" "$label" >>"$work/label" 2>/dev/null
  "$first_paint" "$bare" >>"$work/bare" 2>/dev/null
done

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
column() { cut -d' ' -f"$2" "$work/$1" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

for what in program label bare; do
  eval "${what}_map=$(column $what 1) ${what}_paint=$(column $what 2) ${what}_kb=$(column $what 3)"
done
printf 'start-up, medians of %s interleaved starts:\n' "$runs"
printf '  %-30s %9s %13s %11s\n' "" "map" "first pixels" "peak memory"
printf '  %-30s %6s ms %10s ms %8s kB\n' "TubaroGAS" "$program_map" "$program_paint" "$program_kb" \
  "one-caption Qt window" "$label_map" "$label_paint" "$label_kb" \
  "bare Qt window" "$bare_map" "$bare_paint" "$bare_kb"
printf '  %-30s %9s %13s %11s\n' "TubaroGAS / one-caption" "$(ratio "$program_map" "$label_map")" \
  "$(ratio "$program_paint" "$label_paint")" "$(ratio "$program_kb" "$label_kb")" \
  "TubaroGAS / bare" "$(ratio "$program_map" "$bare_map")" "$(ratio "$program_paint" "$bare_paint")" \
  "$(ratio "$program_kb" "$bare_kb")"
