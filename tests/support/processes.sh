# Sourced by the end-to-end tests, which keep in $pids what they start:
#   wait_until SECONDS COMMAND...
#       runs COMMAND until it succeeds; fails when it has not within SECONDS
#   running PID
#       true while a process this script started runs (a number alone may
#       have gone to another process since)
#   end_process PID
#       ends a process this script started and waits for it; one that has
#       ended already is only waited for, as its number may belong to
#       another process by now
#   end_processes
#       ends each process of $pids, the last started first, each gone before
#       the next is asked: a display, a compositor or a bus ends only when
#       nothing is left to talk to it
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

running() {
  local parent state
  read -r parent state < <(ps -o ppid=,stat= -p "$1" 2>/dev/null) || return 1
  [ "$parent" = "$$" ] && [[ $state != Z* ]]
}

end_process() {
  if running "$1"; then
    kill "$1" 2>/dev/null || true
  fi
  wait "$1" 2>/dev/null || true
}

end_processes() {
  local index
  for ((index = ${#pids[@]} - 1; index >= 0; index--)); do
    end_process "${pids[index]}"
  done
}
