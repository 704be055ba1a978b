#!/usr/bin/env bash
# Cross-builds Tubaro GAS for 64-bit Windows on Debian 12 with mingw-w64
# (preset windows of CMakePresets.json, in build-windows/, GoogleTest built
# there from Debian's sources) and leaves in dist/ both programs,
# TubaroGAS-<version>-win64.zip (CPack) and the installer
# TubaroGAS-<version>-setup.exe. Installs what it needs first (apt-get, with
# sudo when not root): mingw-w64, Wine, NSIS, GoogleTest's sources.
# Further CMake arguments are passed on.
# Usage: scripts/build-windows.sh [CMAKE ARGUMENTS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"

packages=(
  cmake ninja-build g++-mingw-w64-x86-64-posix
  wine wine64 nsis googletest
  xvfb xauth xdotool x11-utils imagemagick openbox wmctrl python3
)
"$root/scripts/install-packages.sh" "${packages[@]}"

cd "$root"
cmake --preset windows "$@" >/dev/null
cmake --build --preset windows
cpack --preset windows >/dev/null

mkdir -p "$root/dist"
cp "$build"/dist/TubaroGAS-*-win64.zip "$build"/dist/TubaroGAS-*-setup.exe "$root/dist/"
cp "$build/packaging/windows/staging/TubaroGAS.exe" "$build/packaging/windows/staging/tubarogas-calc.exe" "$root/dist/"
ls -l "$root/dist"
