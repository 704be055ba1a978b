#!/usr/bin/env bash
# Builds the page (scripts/build-web.sh) and prints its figures: weight,
# start against a one-line page (a desktop, and a desktop and a phone with
# the CPU slowed four times) with a traced breakdown of where the page's
# main thread spends its time, key release to result.
# With EARLIER_SITE (an earlier build's dist/web), that page beside it.
# Usage: bench/web.sh [ROUNDS [TRACES [EARLIER_SITE]]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build-web.sh" >/dev/null
/usr/bin/python3 "$root/bench/web_bench.py" "$root/dist/web" "${1:-15}" "${2:-5}" ${3:+"$3"}
