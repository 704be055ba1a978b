#!/usr/bin/env bash
# Installs what building and testing Tubaro GAS needs on Debian 12, only
# where it is missing, then configures the build tree given as $1 with any
# further CMake arguments.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config dpkg-dev
  libgtest-dev googletest
  qt6-base-dev qt6-qpa-plugins libgl-dev
  fonts-dejavu-core
  xvfb xauth xdotool x11-utils imagemagick openbox xclip wmctrl
  lintian desktop-file-utils appstream man-db
  dbus-daemon at-spi2-core python3-pyatspi
  weston xwayland qt6-wayland
)

# Scripts that need more (the benchmarks, the Windows build) name it here.
read -r -a extra <<<"${TUBARO_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" "${packages[@]}"

build_dir=${1:?build directory}
shift
cmake -S "$root" -B "$build_dir" -G Ninja "$@" >/dev/null
