#!/usr/bin/env bash
# Drives the real TubaroGAS binary on a virtual X display with a window
# manager, as a user would: typing, clicking, selecting a field's text to read it from the
# primary selection. Usage: window_e2e.sh PATH/TO/TubaroGAS [SCREENSHOT.png]
set -euo pipefail
binary=$1
screenshot=${2:-}

source "$(dirname "$0")/../support/virtual_display.sh"

fail() {
  echo "FAIL: $*" >&2
  tail -n 40 "$work/app.log" >&2 || true
  exit 1
}

start_virtual_display

# Italian settings: the decimal separator is the comma.
LANG=it_IT.UTF-8 LC_ALL= "$binary" >"$work/app.log" 2>&1 &
app=$!
pids+=($app)

# The program's shown window (not one it keeps unmapped for itself).
window=""
found_window() {
  window=$(xdotool search --onlyvisible --class TubaroCalcolatore 2>/dev/null | tail -1 || true)
  [ -n "$window" ]
}
wait_until 30 found_window || fail "no window appeared"
# Keys go where the window manager has put the focus.
has_focus() { found_window && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
wait_until 30 has_focus ||
  fail "the window never had the focus, which is on $(xdotool getwindowfocus getwindowname 2>&1)"
above() { [[ $(xprop -id "$window" _NET_WM_STATE) == *_NET_WM_STATE_ABOVE* ]]; }
wait_until 30 above || fail "not above other windows at start"

[ "$(xdotool getwindowname "$window")" = "Tubaro GAS" ] || fail "title"
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "207x161" ] || fail "window size $size"

# Client-area coordinates (pixels) of the controls' centres. The window
# takes keys and clicks in the order they are sent, so none waits for the
# one before.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
# The text of the field with the focus: Ctrl+A selects it and puts it in the
# primary selection. A marker held there first is replaced only when the
# window takes the selection, so the answer comes after the window has
# handled every key and click sent before. xclip claims the selection from
# the process it leaves behind, after it has returned: the marker is read
# back before the window is asked, or that claim could come after the
# window's and take the selection back.
selected_text() {
  local marker="not yet selected $RANDOM"
  printf %s "$marker" | xclip -selection primary -i >/dev/null 2>&1
  marked() { [ "$(xclip -o -selection primary 2>/dev/null)" = "$marker" ]; }
  wait_until 30 marked || fail "the marker never reached the primary selection"
  xdotool key ctrl+a
  selection() { [ "$(xclip -o -selection primary 2>/dev/null)" != "$marker" ]; }
  if ! wait_until 30 selection; then
    running "$app" || fail "the program has ended"
    fail "the window did not select the text of its field"
  fi
  xclip -o -selection primary
}
field_text() {  # clicks into a field and prints its whole text
  click "$1" "$2"
  selected_text
}
TEXT_D="123 25"; TEXT_P="123 73"; CHECK1="193 144"
# Two points of Text1, 50 pixels apart.
TEXT1="60 145"; TEXT1_FURTHER="110 145"

# The focus starts in Text_Y: typing a 0 makes the loss 1000 Pa.
xdotool key End 0
d="$(field_text $TEXT_D)"; [ "$d" = "23" ] || fail "diameter after typing into Text_Y: $d"

# A decimal comma is read (10,4 kW with 1000 Pa over 30 m needs 9 mm; a
# point would be refused and leave 23); a lone minus sign is reported, and typing goes on.
click $TEXT_P
xdotool key ctrl+a minus 5
p="$(field_text $TEXT_P)"; [ "$p" = "-5" ] || fail "typed -5 did not stay: $p"
click $TEXT_P
xdotool key ctrl+a 1 0 comma 4
d="$(field_text $TEXT_D)"; [ "$d" = "9" ] || fail "diameter for 10,4 kW: $d"

# The information line toggles at each click: the web address, then the
# version line at the click that reads it back, made apart from the first
# (a double click is one click).
click $TEXT1
info="$(field_text $TEXT1_FURTHER)"
[ "$info" = "Versione Beta - 2004 11 19" ] || fail "Text1 after two clicks: $info"

# Check1 switches staying on top off and on again.
click $CHECK1
not_above() { ! above; }
wait_until 30 not_above || fail "still above after unchecking"
click $CHECK1
wait_until 30 above || fail "not above after checking again"

if [ -n "$screenshot" ]; then
  import -window root "$screenshot"
fi

# Closing the window ends the process normally.
wmctrl -i -c "$window"
ended() { ! running "$app"; }
wait_until 30 ended || fail "the program did not end when its window closed"
wait "$app" || fail "exit status $?"
echo "window end-to-end: ok"
