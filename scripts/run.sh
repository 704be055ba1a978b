#!/usr/bin/env bash
# Sets up, builds and starts Tubaro GAS.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" default
cmake --build "$root/build" --target TubaroGAS
exec "$root/build/qt/TubaroGAS"
