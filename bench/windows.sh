#!/usr/bin/env bash
# Builds TubaroGAS.exe with its Win32 yardsticks (scripts/build-windows.sh)
# and the Linux first_paint, and prints bench/windows_startup.sh's table.
# Usage: bench/windows.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host="$root/build-bench"
TUBARO_EXTRA_PACKAGES="libbenchmark-dev libxcb1-dev libxcb-damage0-dev" "$root/scripts/setup.sh" bench
cmake --build "$host" --target first_paint
"$root/scripts/build-windows.sh" -DTUBARO_BENCH=ON >/dev/null
windows="$root/build-windows"
# All three stripped, as TubaroGAS.exe ships.
stripped="$windows/bench/stripped"
mkdir -p "$stripped"
for each in win32/TubaroGAS bench/win/label_window_win32 bench/win/controls_window_win32; do
  x86_64-w64-mingw32-strip -o "$stripped/$(basename "$each").exe" "$windows/$each.exe"
done
"$root/bench/windows_startup.sh" "$stripped/TubaroGAS.exe" "$stripped/label_window_win32.exe" \
  "$stripped/controls_window_win32.exe" "$host/bench/first_paint" "${1:-15}"
