#!/usr/bin/env bash
# Drives the real TubaroGAS through the accessibility bus, as a screen reader
# or a test tool sees it, on a virtual X display with a window manager and a
# session bus of its own. The checks are in window_accessibility.py.
# Usage: window_accessibility.sh PATH/TO/TubaroGAS
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${TUBARO_INSIDE_SESSION_BUS:-}" ]; then
  TUBARO_INSIDE_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v "Failed to set fd limit" >&2)
fi

source "$here/../support/virtual_display.sh"
source "$here/../support/accessibility_bus.sh"
start_virtual_display
start_accessibility_bus

# Italian settings: the decimal separator is the comma. Qt speaks to the bus
# without waiting to be asked by a screen reader.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=it_IT.UTF-8 LC_ALL= "$binary" >"$work/app.log" 2>&1 &
pids+=($!)

if ! /usr/bin/python3 "$here/window_accessibility.py"; then
  tail -n 20 "$work/app.log" >&2
  exit 1
fi
