#!/usr/bin/env bash
# Runs a Windows test program under Wine, its output passed on as it comes,
# so a test that hangs and is ended still shows what it wrote; nothing is
# kept in a file. Now and then Wine itself starts no process at all: status
# 1 and nothing written. That failure, and only that one, is tried once
# more, and said; any other ends the run with the program's own status at
# once.
# Usage: wine_run.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/quiet_wine.sh"

# The program's output goes on to ours through tee; what comes back here is
# its status and how many bytes it wrote.
exec 3>&1
for attempt in 1 2; do
  result=$({ { wine "$@" 2>&1; echo "status $?" >&4; } | tee -a /dev/fd/3 | wc -c | sed 's/^/written /'; } 4>&1)
  status=$(sed -n 's/^status //p' <<<"$result")
  written=$(sed -n 's/^written //p' <<<"$result")
  if [ "$status" -ne 1 ] || [ "$written" -ne 0 ] || [ "$attempt" -eq 2 ]; then
    exit "$status"
  fi
  echo "wine_run.sh: Wine started no process (status 1, nothing written); once more" >&2
done
