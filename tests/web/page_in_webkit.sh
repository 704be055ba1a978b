#!/usr/bin/env bash
# page_in_webkit.py on a virtual X display of its own, in an Italian
# session: WebKitGTK's navigator.language follows LANG (without it, "C",
# which Intl refuses).
# Usage: page_in_webkit.sh SITE_FOLDER SCREENSHOT_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/virtual_display.sh"
start_virtual_display
LANG=it_IT.UTF-8 LC_ALL= /usr/bin/python3 "$here/page_in_webkit.py" "$@"
