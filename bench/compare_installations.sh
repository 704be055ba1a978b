#!/usr/bin/env bash
# Runs two builds of tubarogas-calc --impianto on the same random
# installations (bench/random_installation.sh), each with its own separator
# and allowance, and compares their outputs, what they say on standard error
# and their exit statuses byte for byte.
# Usage: bench/compare_installations.sh OLD/tubarogas-calc NEW/tubarogas-calc [INSTALLATIONS]
set -euo pipefail
old=$1
new=$2
count=${3:-300}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
allowances=(100 60 150,5 150.5 0,4 30 abc 99999)

# shellcheck source=bench/run_build.sh
. "$here/run_build.sh"
for ((i = 1; i <= count; i++)); do
  separator=,
  ((i % 2)) && separator=.
  "$here/random_installation.sh" "$((20261207 + i))" "$separator" >"$work/installation.tsv"
  options=(--impianto "$work/installation.tsv" --separatore "$separator" --ammessa "${allowances[i % ${#allowances[@]}]}")
  status_old=$(run_build "$old" "$work/old.out" "${options[@]}")
  status_new=$(run_build "$new" "$work/new.out" "${options[@]}")
  if [ "$status_old" != "$status_new" ] || ! cmp -s "$work/old.out" "$work/new.out" ||
     ! cmp -s "$work/old.out.err" "$work/new.out.err"; then
    echo "installation $i (${options[*]:2}): the answers differ (status $status_old, $status_new):"
    diff "$work/old.out" "$work/new.out" | head -n 20 || true
    echo "what each said on standard error:"
    diff "$work/old.out.err" "$work/new.out.err" | head -n 5 || true
    exit 1
  fi
  statuses[$status_old]=$((${statuses[$status_old]:-0} + 1))
done
summary=""
for status in "${!statuses[@]}"; do summary+=" status $status: ${statuses[$status]};"; done
echo "$count installations, identical answers;${summary%;}"
