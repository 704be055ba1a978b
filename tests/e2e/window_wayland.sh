#!/usr/bin/env bash
# TubaroGAS in a Wayland session: Weston's headless compositor with XWayland,
# and an accessibility bus of its own.
#   - by default the window comes up through XWayland, an X11 window that can
#     stay on top;
#   - forced onto Wayland (QT_QPA_PLATFORM=wayland), in a session without
#     XWayland, or where XWayland cannot be reached (a stale DISPLAY), it is a
#     native Wayland window: Check1 unticked, disabled, and saying why
#     (window_wayland.py, through AT-SPI).
# Usage: window_wayland.sh PATH/TO/TubaroGAS
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${TUBARO_INSIDE_SESSION_BUS:-}" ]; then
  TUBARO_INSIDE_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v "Failed to set fd limit" >&2)
fi

source "$here/../support/processes.sh"
source "$here/../support/accessibility_bus.sh"
work=$(mktemp -d)
pids=()
cleanup() {
  end_processes  # the compositor last
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --xwayland --socket=wayland-tubaro --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
# Its socket, and XWayland's display, which it names once it listens there.
weston_up() {
  [ -S "$XDG_RUNTIME_DIR/wayland-tubaro" ] && grep -q "xserver listening on display" "$work/weston.log"
}
if ! wait_until 30 weston_up; then
  echo "FAIL: Weston with XWayland not up within 30 s" >&2
  cat "$work/weston.log" >&2
  exit 1
fi
x_display=$(grep -o "xserver listening on display :[0-9]*" "$work/weston.log" | grep -o ":[0-9]*$")
start_accessibility_bus

unset QT_QPA_PLATFORM DISPLAY
export WAYLAND_DISPLAY=wayland-tubaro XDG_SESSION_TYPE=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
status=0

# A Wayland session with XWayland: an X11 window on XWayland's display.
DISPLAY=$x_display "$binary" >"$work/xwayland.log" 2>&1 &
app=$!
found=""
on_xwayland() {
  found=$(DISPLAY=$x_display xdotool search --name "^Tubaro GAS$" 2>/dev/null || true)
  [ -n "$found" ]
}
# Qt names a new window a moment before it gives it its class: the desktop
# entry's StartupWMClass, by which the dock shows the icon.
has_its_class() {
  local window
  for window in $found; do
    [[ $(DISPLAY=$x_display xprop -id "$window" WM_CLASS 2>/dev/null) == *'"TubaroCalcolatore"'* ]] && return 0
  done
  return 1
}
if ! wait_until 30 on_xwayland; then
  echo "FAIL: with XWayland the window is not on its X display $x_display" >&2
  cat "$work/xwayland.log" >&2
  status=1
elif ! wait_until 30 has_its_class; then
  echo "FAIL: through XWayland the window's class is not TubaroCalcolatore" >&2
  status=1
fi
end_process "$app"

# Forced onto Wayland, a session without XWayland, and one whose XWayland
# is gone (no X server on :97): a native window.
for how in "QT_QPA_PLATFORM=wayland DISPLAY=$x_display" "XDG_SESSION_TYPE=wayland" "DISPLAY=:97"; do
  env $how "$binary" >"$work/wayland.log" 2>&1 &
  app=$!
  if ! /usr/bin/python3 "$here/window_wayland.py" "$how"; then
    cat "$work/wayland.log" >&2
    status=1
  fi
  end_process "$app"
done
exit $status
