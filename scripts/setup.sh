#!/usr/bin/env bash
# Installs what building and testing Tubaro GAS needs on Debian 12, only
# where it is missing, then configures the build tree of a preset of
# CMakePresets.json, with any further CMake arguments.
# Usage: scripts/setup.sh PRESET [CMAKE ARGUMENTS...]
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
  locales
)

# Scripts that need more (the benchmarks, the Windows build) name it here.
read -r -a extra <<<"${TUBARO_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh" "${packages[@]}"

# Italian, installed for the tests that read numbers in a comma locale.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo sed -i 's/^# *\(it_IT\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^it_IT\.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

preset=${1:?preset}
shift
cd "$root"
cmake --preset "$preset" "$@" >/dev/null
