#!/usr/bin/env bash
# Builds the fuzzers with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for the given number of seconds
# (default 60) from the checked-in corpus. New finds go to a scratch corpus,
# never into the repository; a crash leaves its input in build-fuzz/.
# Usage: fuzz/run.sh [SECONDS]
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

"$root/scripts/install-packages.sh" cmake ninja-build clang libclang-rt-14-dev

# Preset fuzz of CMakePresets.json.
(cd "$root" && cmake --preset fuzz >/dev/null && cmake --build --preset fuzz)

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in fuzz_number_text fuzz_form fuzz_command_line fuzz_installation; do
  scratch="$build/corpus-$target"
  log="$build/$target.log"
  mkdir -p "$scratch"
  if (cd "$build" && "./fuzz/$target" -max_total_time="$seconds" -max_len=512 -timeout=10 \
        "$scratch" "$root/fuzz/corpus/$target" >"$log" 2>&1); then
    echo "$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)"
  else
    echo "$target FOUND A FAULT:"
    tail -n 40 "$log"
    exit 1
  fi
done
