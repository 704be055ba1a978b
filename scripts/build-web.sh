#!/usr/bin/env bash
# Builds Tubaro GAS for the browser and for Node.js on Debian 12 with
# Debian's emscripten (preset web of CMakePresets.json, in build-web/,
# GoogleTest built there from Debian's sources), and leaves in dist/ the
# files of the page (web/), the same files as TubaroGAS-<version>-web.zip,
# and the Node.js command line (node/tubarogas-calc.js). Installs what it
# needs first (apt-get, with sudo when not root): emscripten, Node.js,
# GoogleTest's sources, and the browsers the tests drive.
# Further CMake arguments are passed on.
# Usage: scripts/build-web.sh [CMAKE ARGUMENTS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-web"

packages=(
  cmake ninja-build emscripten nodejs googletest python3
  chromium chromium-driver python3-selenium
  firefox-esr webkit2gtk-driver xvfb xauth openbox poppler-utils
)
# npm comes with some builds of Node.js; Debian's own is a package apart.
command -v npm >/dev/null || packages+=(npm)
"$root/scripts/install-packages.sh" "${packages[@]}"

# Smallest code: the page's weight is what a phone downloads.
cd "$root"
cmake --preset web "$@" >/dev/null
cmake --build --preset web

mkdir -p "$root/dist/node"
rm -rf "$root/dist/web"
cp -r "$build/web/site" "$root/dist/web"
cp "$build"/dist/TubaroGAS-*-web.zip "$root/dist/"
cp "$build/cli/tubarogas-calc.js" "$root/dist/node/"
ls -l "$root/dist" "$root/dist/web" "$root/dist/node"
