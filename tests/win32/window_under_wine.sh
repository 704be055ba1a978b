#!/usr/bin/env bash
# Starts a virtual X display with a window manager, TubaroGAS.exe under Wine
# with a comma as the decimal separator of the regional settings, and
# window_under_wine.py, which drives and reads it; then tubarogas-calc.exe
# with the same settings. The wineserver and every Wine process have ended
# before the display does.
# Usage: window_under_wine.sh TubaroGAS.exe window_probe.exe golden_rows.exe tubarogas-calc.exe SCREENSHOT.png
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/quiet_wine.sh"
program=$1
probe=$2
golden=$3
calc=$4
screenshot=$5
here=$(cd "$(dirname "$0")" && pwd)

# A session of its own: Wine's desktop, once started without a display (by
# the tests before), would keep every window of the session off this one.
wineserver -k 2>/dev/null || true
wineserver -w

source "$here/../support/virtual_display.sh"
international='HKCU\Control Panel\International'
on_exit "wine reg add '$international' /v sDecimal /d . /f >/dev/null 2>&1"
# Then a server that stays, with its services, as scripts/test.sh left them
# for the others' tests: started here, with no output of any test's, or the
# next Wine program would start them holding its test's output open, which
# CTest waits on until they end.
on_exit "wineserver -k 2>/dev/null; wineserver -w; wineserver -p </dev/null >/dev/null 2>&1;
         env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1"
start_virtual_display

# The user's decimal separator, as the regional settings of Windows keep it
# (Wine's locale follows the environment's, which is English here).
wine reg add "$international" /v sDecimal /d , /f >/dev/null 2>&1 ||
  { echo "FAIL: Wine did not set the regional comma (status $?)" >&2; exit 1; }
wine "$program" >"$work/window.log" 2>&1 &
window_process=$!
pids+=($window_process)
# The first start of a prefix may take a while.
shown() { xdotool search --name "^Tubaro GAS$" >/dev/null 2>&1; }
if ! wait_until 120 shown; then
  echo "FAIL: the window did not appear within 120 s" >&2
  tail -n 20 "$work/window.log" >&2
  exit 1
fi

if ! /usr/bin/python3 "$here/window_under_wine.py" "$probe" "$golden" "$screenshot"; then
  tail -n 20 "$work/window.log" >&2
  exit 1
fi

# Closing the one window ends the program, normally.
wmctrl -c "Tubaro GAS"
ended() { ! running "$window_process"; }
if ! wait_until 30 ended; then
  echo "FAIL: the program did not end when its window closed" >&2
  exit 1
fi
wait "$window_process" || { echo "FAIL: the program ended with status $?" >&2; exit 1; }

# tubarogas-calc.exe reads the same setting when no --separatore is given.
length=$(wine "$calc" lunghezza --diametro 37 --potenza 116,5 --perdita 100 | tr -d '\r')
[ "$length" = 30 ] || { echo "FAIL: tubarogas-calc.exe with the regional comma: '$length'" >&2; exit 1; }
