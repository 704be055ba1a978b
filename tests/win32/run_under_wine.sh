#!/usr/bin/env bash
# Runs a Windows program under Wine as if it were a Linux one, for the tests
# that run tubarogas-calc: an argument naming an existing file or folder by
# its Linux path is given as Wine's Z: path, and arguments pass in UTF-8.
# Usage: run_under_wine.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/quiet_wine.sh"
program=$1
shift
arguments=()
for argument in "$@"; do
  if [[ $argument == /* && -e $argument ]]; then
    argument="Z:${argument//\//\\}"
  fi
  arguments+=("$argument")
done
LC_ALL=C.UTF-8 exec wine "$program" "${arguments[@]}"
