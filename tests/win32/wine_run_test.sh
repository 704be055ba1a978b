#!/usr/bin/env bash
# wine_run.sh with stand-ins for wine, no Wine needed:
#   - a test that prints and then hangs, ended by CTest's timeout, shows its
#     lines in CTest's output, and leaves nothing in the temporary folder;
#   - only Wine's own failure to start a program (status 1, nothing written)
#     is tried once more, and said.
# Usage: wine_run_test.sh
set -euo pipefail
runner=$(cd "$(dirname "$0")" && pwd)/wine_run.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/tmp" "$work/project"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
stand_in() { printf '#!/bin/sh\necho started >>"%s/starts"\n%s\n' "$work" "$1" >"$work/bin/wine"; chmod +x "$work/bin/wine"; }

stand_in 'echo "a first line"; echo "a second line" >&2; sleep 60'
cat >"$work/project/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(hung NONE)
enable_testing()
add_test(NAME hung COMMAND $runner program.exe)
set_tests_properties(hung PROPERTIES TIMEOUT 3)
CMAKE
cmake -S "$work/project" -B "$work/project/build" >/dev/null
TMPDIR="$work/tmp" PATH="$work/bin:$PATH" ctest --test-dir "$work/project/build" --output-on-failure \
  >"$work/ctest.log" 2>&1 || true
for line in "a first line" "a second line" "Timeout"; do
  grep -q "$line" "$work/ctest.log" || fail "CTest's output of the hung test lacks '$line': $(cat "$work/ctest.log")"
done
[ -z "$(ls -A "$work/tmp")" ] || fail "left in the temporary folder: $(ls -A "$work/tmp")"

# What the stand-in does; how often it is started; the status; whether the
# runner says it tries once more.
while IFS='|' read -r does starts status said; do
  stand_in "$does"
  rm -f "$work/starts"
  got=0
  PATH="$work/bin:$PATH" "$runner" program.exe >"$work/out" 2>&1 || got=$?
  [ "$(wc -l <"$work/starts")" -eq "$starts" ] || fail "'$does': started $(wc -l <"$work/starts") times"
  [ "$got" -eq "$status" ] || fail "'$does': status $got"
  if grep -q "once more" "$work/out"; then [ "$said" = yes ] || fail "'$does': said once more"
  else [ "$said" = no ] || fail "'$does': did not say so"; fi
done <<'ROWS'
exit 1|2|1|yes
echo something; exit 1|1|1|no
exit 3|1|3|no
exit 0|1|0|no
ROWS
[ "$failures" -eq 0 ] && echo "wine_run.sh: ok"
exit $((failures > 0))
