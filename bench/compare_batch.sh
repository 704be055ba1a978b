#!/usr/bin/env bash
# Runs two builds of tubarogas-calc on the same random batch, with each
# decimal separator, and compares their outputs byte for byte.
# Usage: bench/compare_batch.sh OLD/tubarogas-calc NEW/tubarogas-calc [LINES]
set -euo pipefail
old=$1
new=$2
lines=${3:-100000}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=bench/run_build.sh
. "$here/run_build.sh"
"$here/random_batch.sh" "$lines" >"$work/cases.tsv"
for separator in , .; do
  run_build "$old" "$work/old.out" --tsv "$work/cases.tsv" --separatore "$separator" >/dev/null
  run_build "$new" "$work/new.out" --tsv "$work/cases.tsv" --separatore "$separator" >/dev/null
  if cmp -s "$work/old.out" "$work/new.out"; then
    echo "separator '$separator': $(wc -l <"$work/old.out") lines, identical ($(sha256sum <"$work/new.out" | cut -c1-16))"
  else
    echo "separator '$separator': the outputs differ:"
    diff "$work/old.out" "$work/new.out" | head -n 20 || true
    exit 1
  fi
done
