#!/usr/bin/env bash
# Builds the page (scripts/build-web.sh) and prints its figures:
# weight, start against a one-line page, key release to result.
# Usage: bench/web.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build-web.sh" >/dev/null
/usr/bin/python3 "$root/bench/web_bench.py" "$root/dist/web" "${1:-15}"
