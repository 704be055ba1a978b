#!/usr/bin/env bash
# No program of the build tree carries a run path with an empty entry, which
# would make it look for libraries in whatever folder it is started from.
# Usage: check_run_paths.sh PROGRAM...
set -euo pipefail
status=0
for program in "$@"; do
  path=$(readelf -d "$program" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')
  [ -z "$path" ] && continue
  case ":$path:" in
    *::*) echo "FAIL: $program: run path '$path' has an empty entry" >&2; status=1 ;;
  esac
done
exit $status
