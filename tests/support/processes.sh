# Sourced by the end-to-end tests, which keep in $pids what they start:
#   wait_until SECONDS COMMAND...
#       runs COMMAND until it succeeds; fails when it has not within SECONDS
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

end_processes() {
  local index
  for ((index = ${#pids[@]} - 1; index >= 0; index--)); do
    kill "${pids[index]}" 2>/dev/null || true
    wait "${pids[index]}" 2>/dev/null || true
  done
}
