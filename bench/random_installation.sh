#!/usr/bin/env bash
# Prints one random installation for tubarogas-calc --impianto, the same
# one for the same generator state: trees of up to 60 sections, one in two
# without a fault, the others with names
# repeated, empty, too long or not UTF-8 now and then, starts that name no
# earlier section, lengths, diameters and powers whole and fractional with
# either separator, empty, out of range or words, comments, empty lines, CR
# LF and lines of the wrong shape. For comparing two builds byte for byte
# (bench/compare_installations.sh).
# Usage: bench/random_installation.sh [GENERATOR_STATE [SEPARATOR]]
# (the separator the installations without a fault use; a comma by default)
set -euo pipefail
state=${1:-20261207}
separator=${2:-,}
LC_ALL=C awk -v state="$state" -v separator="$separator" '
function pick(n) { return int(rand() * n) }
function decimal(whole) { return whole (clean ? separator : pick(2) ? "," : ".") (1 + pick(99)) }
function value(low, high,   r) {
  r = clean ? pick(80) : pick(100)
  if (r < 55) return low + pick(high - low)
  if (r < 80) return decimal(low + pick(high - low))
  if (r < 84) return "0,4"
  if (r < 87) return "0"
  if (r < 90) return high * 200
  if (r < 92) return "-" pick(10)
  if (r < 94) return " " (low + pick(high)) " "
  if (r < 96) return "abc"
  return ""
}
function name(i,   r, s, k) {
  r = clean ? 0 : pick(100)
  if (r < 80) return "T" i
  if (r < 85 && i > 0) return "T" pick(i)
  if (r < 88) return "Caldaia \303\250 " i
  if (r < 90) return ""
  if (r < 92) { s = ""; for (k = 0; k < 41; k++) s = s "x"; return s }
  if (r < 94) return "N\377" i
  if (r < 96) return "#" i
  return "Piano cottura " i
}
BEGIN {
  srand(state)
  # One in two has no fault to find: all figures, proposals and verdicts.
  clean = pick(2)
  count = 1 + pick(pick(4) ? 15 : 60)
  for (i = 0; i < count; i++) {
    r = pick(100)
    if (clean && r < 7) r = 7
    if (r < 2) { print "# commento"; continue }
    if (r < 4) { print ""; continue }
    names[i] = name(i)
    from = (i == 0 || pick(5) == 0) ? "" : names[pick(i)]
    if (!clean && pick(30) == 0) from = "X" i
    line = names[i] "\t" from "\t" value(1, 40) "\t" (pick(2) ? "" : value(8, 60)) "\t" (pick(2) ? "" : value(1, 40))
    if (r < 6) line = names[i] "\t" from
    if (r == 6) line = line "\t" value(1, 40)
    printf "%s%s\n", line, (pick(10) == 0 ? "\r" : "")
  }
}'
