#!/usr/bin/env bash
# Sets up, builds and runs every test of Tubaro GAS.
#   scripts/test.sh             the ordinary build, in build/
#   scripts/test.sh --sanitize  the same tests with AddressSanitizer and
#                               UndefinedBehaviorSanitizer, in build-sanitize/
#   scripts/test.sh --windows   the Windows programs, cross-built by
#                               scripts/build-windows.sh in build-windows/,
#                               under Wine
#   scripts/test.sh --web       the WebAssembly build of scripts/build-web.sh
#                               in build-web/: its tests in Node.js, the
#                               page in headless Chromium, Firefox and
#                               WebKit
#   scripts/test.sh --help      this text
# Any other option is refused with status 2.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

usage() {
  sed -n '2,/^set -euo/p' "$0" | sed -e '$d' -e 's/^# \{0,1\}//'
}

# One option at most, and only one of those above: a typo must not pass for
# a green run of something else.
mode=""
case $# in
  0) ;;
  1)
    case $1 in
      --sanitize | --windows | --web) mode=$1 ;;
      -h | --help) usage; exit 0 ;;
      *) echo "scripts/test.sh: unknown option: $1" >&2; usage >&2; exit 2 ;;
    esac
    ;;
  *) echo "scripts/test.sh: one option at most" >&2; usage >&2; exit 2 ;;
esac

# Every tree is a preset of CMakePresets.json, which holds its flags.
cd "$root"

# The command line's tests, built for Linux (preset host), which the Windows
# and the Node.js builds of tubarogas-calc are held to.
build_host_tests() {
  "$root/scripts/setup.sh" host
  cmake --build --preset host
}

if [ "$mode" = "--web" ]; then
  build_host_tests
  "$root/scripts/build-web.sh"
  # axe-core for the accessibility scan and puppeteer-core to drive
  # Firefox, pinned (puppeteer-core 24 is the last for Node.js 20).
  npm_dir="$root/build-web/npm"
  if [ ! -f "$npm_dir/node_modules/axe-core/axe.min.js" ] ||
     [ ! -f "$npm_dir/node_modules/puppeteer-core/package.json" ]; then
    mkdir -p "$npm_dir"
    (cd "$npm_dir" && npm install --no-audit --no-fund --silent axe-core@4.10.3 puppeteer-core@24.43.1)
  fi
  ctest --preset web
  exit
fi

if [ "$mode" = "--windows" ]; then
  build_host_tests
  "$root/scripts/build-windows.sh"

  # The test preset's own Wine prefix, its services started once before
  # CTest, or they would hold CTest's pipes open; its server kept running
  # until the end, not ended each time it falls idle, which a Wine program
  # starting just then would meet closing ("Connection reset by peer").
  export WINEPREFIX="$root/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # (The server needs its prefix's folder, which a fresh tree has not.)
  wineserver -k 2>/dev/null || true
  wineserver -w
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null
  wine cmd /c exit </dev/null >/dev/null 2>&1 ||
    { echo "scripts/test.sh: Wine did not start its services in $WINEPREFIX" >&2; exit 1; }
  status=0
  ctest --preset windows || status=$?
  wineserver -k || true
  exit $status
fi

preset=default
[ "$mode" = "--sanitize" ] && preset=sanitize
"$root/scripts/setup.sh" "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
