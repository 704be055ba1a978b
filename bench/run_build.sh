# run_build PROGRAM OUT [ARGUMENTS...]: one run of a build of
# tubarogas-calc, its standard output into OUT, its standard error into
# OUT.err and its status echoed, for the scripts that compare two builds
# (sourced). A run that ends with status 1 and writes nothing at all never
# started (Wine, now and then, starts no process; tubarogas-calc always
# writes the lines it calls invalid): it is tried once more, and said.
run_build() {
  local program=$1 out=$2
  shift 2
  for attempt in 1 2; do
    local status=0
    "$program" "$@" >"$out" 2>"$out.err" || status=$?
    if [ "$status" -ne 1 ] || [ -s "$out" ] || [ -s "$out.err" ] || [ "$attempt" -eq 2 ]; then
      echo "$status"
      return
    fi
    echo "$program started no process (status 1, nothing written); once more" >&2
  done
}
