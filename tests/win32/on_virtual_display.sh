#!/usr/bin/env bash
# Runs a Windows program under Wine on a virtual X display of its own, in a
# Wine session of its own, for tests that make windows in their own process.
# Usage: on_virtual_display.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/quiet_wine.sh"
here=$(cd "$(dirname "$0")" && pwd)

# Wine's desktop, once started without a display (by the tests before),
# would keep every window of the session off this one.
wineserver -k 2>/dev/null || true
wineserver -w

source "$here/../support/virtual_display.sh"
# Every Wine process gone before the display goes.
# Then a server that stays, with its services, as scripts/test.sh left them
# for the others' tests: started here, with no output of any test's, or the
# next Wine program would start them holding its test's output open, which
# CTest waits on until they end.
on_exit "wineserver -k 2>/dev/null; wineserver -w; wineserver -p </dev/null >/dev/null 2>&1;
         env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1"
start_virtual_display
"$here/wine_run.sh" "$@"
