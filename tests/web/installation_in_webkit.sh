#!/usr/bin/env bash
# installation_in_webkit.py on a virtual X display of its own, in an Italian
# session (WebKitGTK's navigator.language follows LANG).
# Usage: installation_in_webkit.sh SITE_FOLDER TUBAROGAS_CALC.js README.md SCREENSHOT_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/virtual_display.sh"
start_virtual_display
LANG=it_IT.UTF-8 LC_ALL= /usr/bin/python3 "$here/installation_in_webkit.py" "$@"
