#!/usr/bin/env bash
# Cross-builds Tubaro GAS for 64-bit Windows on Debian 12 with mingw-w64 and
# leaves in dist/ both programs, TubaroGAS-<version>-win64.zip and the
# installer TubaroGAS-<version>-setup.exe. Installs what it needs first
# (apt-get, with sudo when not root): mingw-w64, Wine, NSIS, and GoogleTest,
# which it builds from Debian's sources with the same cross toolchain.
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

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
googletest="$build/googletest"
if [ ! -f "$googletest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$googletest/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$googletest/install" >/dev/null
  cmake --build "$googletest/build" --target install >/dev/null
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_PREFIX_PATH="$googletest/install" "$@" >/dev/null
cmake --build "$build"

mkdir -p "$root/dist"
cp "$build"/dist/TubaroGAS-*-win64.zip "$build"/dist/TubaroGAS-*-setup.exe "$root/dist/"
cp "$build/win/staging/TubaroGAS.exe" "$build/win/staging/tubarogas-calc.exe" "$root/dist/"
ls -l "$root/dist"
