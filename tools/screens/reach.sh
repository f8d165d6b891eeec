#!/usr/bin/env bash
# Every control of every window reached by the mouse on a screen of a given size: Hastelyn on a
# throw-away machine under a virtual X server of its own (no window manager), with a D-Bus
# session of its own for the accessibility bus, through which reach.py finds the controls.
#   reach.sh HASTELYN HASTELYN_CLI WIDTHxHEIGHT [SCREENSHOT_FOLDER]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
command -v xdotool >/dev/null || { echo "FAIL: xdotool is missing"; exit 1; }
exec "$here/../../tests/accessibility/run.sh" "$1" "$2" "$here/reach.py" "$3" "${4:-}"
