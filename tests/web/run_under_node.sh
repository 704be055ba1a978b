#!/usr/bin/env bash
# Runs tubarogas-calc.js in Node.js as if it were the Linux program, for the
# tests that run tubarogas-calc. Fetch off: this emscripten's output would
# try to fetch its .wasm with it.
# Usage: run_under_node.sh tubarogas-calc.js [ARGUMENTS...]
set -euo pipefail
program=$1
shift
exec node --no-experimental-fetch "$program" "$@"
