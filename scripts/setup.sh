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
)

# Scripts that need more (the benchmarks, the Windows build) name it here.
read -r -a extra <<<"${TUBARO_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:?build directory}
shift
cmake -S "$root" -B "$build_dir" -G Ninja "$@" >/dev/null
