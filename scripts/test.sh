#!/usr/bin/env bash
# Sets up, builds and runs every test of Tubaro GAS.
#   scripts/test.sh             the ordinary build, in build/
#   scripts/test.sh --sanitize  the same tests with AddressSanitizer and
#                               UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

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
