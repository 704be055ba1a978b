#!/usr/bin/env bash
# Serves the page from dist/web/ on http://127.0.0.1:PORT/ (8080 unless
# given), building it first if it is not there.
# Usage: scripts/serve-web.sh [PORT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8080}
[ -f "$root/dist/web/index.html" ] || "$root/scripts/build-web.sh"
exec python3 "$root/scripts/serve_static.py" "$root/dist/web" "$port"
