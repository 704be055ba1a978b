#!/usr/bin/env bash
# Sets up, builds and runs every test of Tubaro GAS.
#   scripts/test.sh             the ordinary build, in build/
#   scripts/test.sh --sanitize  the same tests with AddressSanitizer and
#                               UndefinedBehaviorSanitizer, in build-sanitize/
#   scripts/test.sh --windows   the Windows programs, cross-built by
#                               scripts/build-windows.sh in build-windows/,
#                               under Wine
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = "--windows" ]; then
  # The command line's tests are built for Linux and run against the .exe.
  host="$root/build-windows-host"
  "$root/scripts/setup.sh" "$host" -DTUBARO_BUILD_APP=OFF
  cmake --build "$host" --target cli_tests hostile_runs_tests
  "$root/scripts/build-windows.sh" -DTUBARO_HOST_TESTS="$host/tests"

  # A Wine prefix of the build's own, its services started once before
  # CTest, or they would hold CTest's pipes open.
  export WINEPREFIX="$root/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine cmd /c exit </dev/null >/dev/null 2>&1
  status=0
  ctest --test-dir "$root/build-windows" --output-on-failure -j2 || status=$?
  wineserver -k || true
  exit $status
fi

if [ "${1:-}" = "--sanitize" ]; then
  build_dir="$root/build-sanitize"
  "$root/scripts/setup.sh" "$build_dir" -DTUBARO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
else
  build_dir="$root/build"
  "$root/scripts/setup.sh" "$build_dir"
fi

cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j2
