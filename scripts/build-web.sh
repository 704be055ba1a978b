#!/usr/bin/env bash
# Builds Tubaro GAS for the browser and for Node.js on Debian 12 with
# Debian's emscripten, and leaves in dist/ the files of the page (web/), the
# same files as TubaroGAS-<version>-web.zip, and the Node.js command line
# (node/tubarogas-calc.js). Installs what it needs first (apt-get, with sudo
# when not root): emscripten, Node.js, and the browsers the tests drive;
# GoogleTest it builds from Debian's sources with emscripten.
# Further CMake arguments are passed on.
# Usage: scripts/build-web.sh [CMAKE ARGUMENTS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-web"

packages=(
  cmake ninja-build emscripten nodejs googletest python3
  chromium chromium-driver python3-selenium
  firefox-esr webkit2gtk-driver xvfb xauth openbox
)
# npm comes with some builds of Node.js; Debian's own is a package apart.
command -v npm >/dev/null || packages+=(npm)
"$root/scripts/install-packages.sh" "${packages[@]}"
# emscripten's own tools are Node.js programs that need Debian's Node.js
# modules.
export NODE_PATH=/usr/share/nodejs

toolchain="$root/cmake/emscripten.cmake"
googletest="$build/googletest"
if [ ! -f "$googletest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$googletest/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON \
    -DCMAKE_INSTALL_PREFIX="$googletest/install" >/dev/null
  cmake --build "$googletest/build" --target install >/dev/null
fi

# Smallest code: the page's weight is what a phone downloads.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DGTest_DIR="$googletest/install/lib/cmake/GTest" "$@" >/dev/null
cmake --build "$build"

mkdir -p "$root/dist/node"
rm -rf "$root/dist/web"
cp -r "$build/web/site" "$root/dist/web"
cp "$build"/dist/TubaroGAS-*-web.zip "$root/dist/"
cp "$build/cli/tubarogas-calc.js" "$root/dist/node/"
ls -l "$root/dist" "$root/dist/web" "$root/dist/node"
