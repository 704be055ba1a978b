#!/usr/bin/env bash
# Runs a Windows test program under Wine, its output passed on whole.
# Now and then Wine itself starts no process at all: status 1 and nothing
# written. That failure, and only that one, is tried once more, and said;
# any other ends the run with the program's own status at once.
# Usage: wine_run.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
output=$(mktemp)
trap 'rm -f "$output"' EXIT

for attempt in 1 2; do
  wine "$@" >"$output" 2>&1
  status=$?
  cat "$output"
  if [ "$status" -ne 1 ] || [ -s "$output" ] || [ "$attempt" -eq 2 ]; then
    exit "$status"
  fi
  echo "wine_run.sh: Wine started no process (status 1, nothing written); once more" >&2
done
