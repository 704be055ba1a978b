# Sourced by the end-to-end tests: a virtual X display with a window manager,
# both ended with the script, and a scratch folder $work.
#   start_virtual_display    sets DISPLAY once the display and its window
#                            manager are up; adds to $pids what to end
#   on_exit COMMAND          runs COMMAND first when the script ends
#   wait_until, end_processes   as processes.sh says
work=$(mktemp -d)
pids=()
exit_first=()
source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

on_exit() { exit_first+=("$*"); }

end_virtual_display() {
  local command
  for command in "${exit_first[@]}"; do eval "$command" || true; done
  end_processes  # the display last
  rm -rf "$work"
}
trap end_virtual_display EXIT

start_virtual_display() {
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  # The display's number is written once it takes connections.
  if ! wait_until 30 test -s "$work/display"; then
    echo "FAIL: Xvfb started no display within 30 s: $(cat "$work/xvfb.log")" >&2
    exit 1
  fi
  export DISPLAY=":$(cat "$work/display")"
  # Openbox runs its start-up command once it is running: before that, a
  # window that appears is managed but not given the focus, and a request
  # such as _NET_WM_STATE_ABOVE may find no window manager to hear it.
  openbox --config-file "$(dirname "${BASH_SOURCE[0]}")/openbox-rc.xml" --startup "touch $work/window-manager-running" \
    >"$work/openbox.log" 2>&1 &
  pids+=($!)
  if ! wait_until 30 test -e "$work/window-manager-running"; then
    echo "FAIL: no window manager on $DISPLAY within 30 s: $(cat "$work/openbox.log")" >&2
    exit 1
  fi
}
