#!/usr/bin/env bash
# Start-up of TubaroGAS.exe under Wine against two Win32 yardsticks, on a
# virtual X display without a window manager: the time from the start to
# the first pixels drawn into its window (the first X DAMAGE after the map)
# and peak memory. The yardsticks: a one-label window of the same size, the
# nearest a text window can come, and a window with the same nineteen
# controls made the obvious way. Starts are interleaved under one warmed-up,
# persistent wineserver; each round's ratios are paired, and medians of
# ROUNDS rounds (default 15) are printed.
# Usage: bench/windows_startup.sh TubaroGAS.exe label_window.exe controls_window.exe first_paint [ROUNDS]
set -euo pipefail
program=$1
label=$2
controls=$3
first_paint=$4
rounds=${5:-15}

work=$(mktemp -d)
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# A wineserver that stays, the prefix made, each program started once.
mkdir -p "$WINEPREFIX"
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
for each in "$program" "$label" "$controls"; do
  "$first_paint" wine "$each" >/dev/null 2>&1 || true
done

for _ in $(seq "$rounds"); do
  # One after the other; a round with a failed start is left out.
  if a=$("$first_paint" wine "$program" 2>/dev/null) && b=$("$first_paint" wine "$label" 2>/dev/null) &&
    c=$("$first_paint" wine "$controls" 2>/dev/null); then
    echo "$a $b $c" >>"$work/rounds"
  fi
done
# Columns: map, paint, peak of each of the three.
median() { sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
column() { awk -v c="$1" '{print $c}' "$work/rounds" | median; }
ratio() { awk -v a="$1" -v b="$2" '{print $a / $b}' "$work/rounds" | median; }

printf 'under Wine, medians of %s interleaved rounds (%s complete):\n' "$rounds" "$(wc -l <"$work/rounds")"
printf '  %-34s %13s %11s\n' "" "first pixels" "peak memory"
printf '  %-34s %10s ms %8s kB\n' "TubaroGAS.exe" "$(column 2)" "$(column 3)" \
  "one-label Win32 window" "$(column 5)" "$(column 6)" \
  "nineteen controls, the obvious way" "$(column 8)" "$(column 9)"
printf '  %-34s %13.2f %11.2f\n' "TubaroGAS.exe / one-label" "$(ratio 2 5)" "$(ratio 3 6)" \
  "TubaroGAS.exe / nineteen controls" "$(ratio 2 8)" "$(ratio 3 9)"
