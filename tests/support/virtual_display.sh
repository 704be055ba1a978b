# Sourced by the end-to-end tests: a virtual X display with a window manager,
# both ended with the script, and a scratch folder $work.
#   start_virtual_display    sets DISPLAY; adds to $pids what to end
#   on_exit COMMAND          runs COMMAND first when the script ends
work=$(mktemp -d)
pids=()
exit_first=()

on_exit() { exit_first+=("$*"); }

end_virtual_display() {
  local command
  for command in "${exit_first[@]}"; do eval "$command" || true; done
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap end_virtual_display EXIT

start_virtual_display() {
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/display")"
  openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 0.5
}
