#!/usr/bin/env bash
# Start-up time (process start until its window is on the screen) and peak
# memory of a window program, against a bare Qt window, on a virtual X display.
# Usage: bench/startup.sh TubaroGAS bare_window [RUNS]
set -euo pipefail
program=$1
bare=$2
runs=${3:-15}

work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# Prints "milliseconds kilobytes" for one start of $1 whose window class is $2.
measure() {
  local start end pid kb
  start=$(date +%s%N)
  "$1" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --class "$2" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "$1 ended before showing its window" >&2; exit 1; }
    sleep 0.002
  done
  end=$(date +%s%N)
  sleep 0.3  # let it settle before reading its peak
  kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) $kb"
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

for _ in $(seq "$runs"); do
  measure "$program" TubaroCalcolatore >>"$work/program"
  measure "$bare" BareWindow >>"$work/bare"
done
p_ms=$(cut -d' ' -f1 "$work/program" | median); p_kb=$(cut -d' ' -f2 "$work/program" | median)
b_ms=$(cut -d' ' -f1 "$work/bare" | median); b_kb=$(cut -d' ' -f2 "$work/bare" | median)
printf 'start-up to window shown: %s ms, bare Qt window %s ms, ratio %.2f\n' "$p_ms" "$b_ms" "$(echo "$p_ms / $b_ms" | bc -l)"
printf 'peak memory:              %s kB, bare Qt window %s kB, ratio %.2f\n' "$p_kb" "$b_kb" "$(echo "$p_kb / $b_kb" | bc -l)"
