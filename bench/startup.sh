#!/usr/bin/env bash
# Start-up time (process start until its window is on the screen) and peak
# memory of a window program, against a bare Qt window, on a virtual X display.
# A window with one caption is measured too: loading fonts is a cost of any
# window that shows text.
# Usage: bench/startup.sh TubaroGAS bare_window label_window [RUNS]
set -euo pipefail
program=$1
bare=$2
label=$3
runs=${4:-15}

work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
# Polling opens a connection every few milliseconds; give the server room
# for the ones it has not yet closed.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -maxclients 2048 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# Prints "milliseconds kilobytes" for one start of $1 whose window class is
# $2. Under the polling the server now and then refuses a connection; a start
# that could not reach the display is tried again.
measure() {
  local start end pid kb attempt
  for attempt in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$1" >"$work/log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --class "$2" >/dev/null 2>&1; do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.005
    done
    end=$(date +%s%N)
    kill -0 "$pid" 2>/dev/null && break
    wait "$pid" 2>/dev/null || true
    if ! grep -q "Could not load the Qt platform plugin \"xcb\"" "$work/log" || [ "$attempt" = 5 ]; then
      echo "$1 ended before showing its window:" >&2
      tail -n 20 "$work/log" >&2
      exit 1
    fi
  done
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
  measure "$label" LabelWindow >>"$work/label"
done
p_ms=$(cut -d' ' -f1 "$work/program" | median); p_kb=$(cut -d' ' -f2 "$work/program" | median)
b_ms=$(cut -d' ' -f1 "$work/bare" | median); b_kb=$(cut -d' ' -f2 "$work/bare" | median)
l_ms=$(cut -d' ' -f1 "$work/label" | median); l_kb=$(cut -d' ' -f2 "$work/label" | median)
ratio() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }
printf 'start-up to window shown (median of %s): TubaroGAS %s ms; bare Qt window %s ms, ratio %s; one-caption window %s ms, ratio %s\n' \
  "$runs" "$p_ms" "$b_ms" "$(ratio "$p_ms" "$b_ms")" "$l_ms" "$(ratio "$p_ms" "$l_ms")"
printf 'peak memory (median of %s): TubaroGAS %s kB; bare Qt window %s kB, ratio %s; one-caption window %s kB, ratio %s\n' \
  "$runs" "$p_kb" "$b_kb" "$(ratio "$p_kb" "$b_kb")" "$l_kb" "$(ratio "$p_kb" "$l_kb")"
