#!/usr/bin/env bash
# Prints random tubarogas-calc batch lines, the same ones for the same
# generator state (the second argument): every mode, whole and fractional
# numbers with either separator, signs, spaces, empty fields, words, huge
# numbers, and now and then a line of the wrong shape. For comparing two
# builds byte for byte (bench/compare_batch.sh).
# Usage: bench/random_batch.sh [LINES] [GENERATOR_STATE]
set -euo pipefail
lines=${1:-100000}
state=${2:-20261207}
awk -v lines="$lines" -v state="$state" '
function pick(n) { return int(rand() * n) }
function digits(n,   s, i) { s = ""; for (i = 0; i < n; i++) s = s pick(10); return s }
function number(   r, s) {
  r = pick(100)
  if (r < 45) s = pick(3000)
  else if (r < 60) s = pick(200) (pick(2) ? "," : ".") digits(1 + pick(6))
  else if (r < 65) s = (pick(2) ? "," : ".") digits(1 + pick(3))
  else if (r < 70) s = "-" pick(500)
  else if (r < 73) s = "+" pick(500)
  else if (r < 76) s = " " pick(500) " "
  else if (r < 80) s = ""
  else if (r < 83) s = digits(8 + pick(30))
  else if (r < 85) s = substr("abc-x+ ,.e5inf", 1 + pick(12), 1 + pick(3))
  else if (r < 90) s = "0"
  else s = pick(100000)
  return s
}
BEGIN {
  srand(state)
  split("D P Y L diametro potenza perdita lunghezza X", modes, " ")
  for (i = 0; i < lines; i++) {
    r = pick(1000)
    if (r == 0) { print "# commento " i; continue }
    if (r == 1) { print ""; continue }
    mode = modes[1 + (r < 5 ? 8 : pick(8))]
    line = mode "\t" number() "\t" number() "\t" number() "\t" number()
    if (r == 2) line = line "\t" number()
    if (r == 3) line = mode "\t" number()
    print line
  }
}'
