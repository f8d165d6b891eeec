#!/usr/bin/env bash
# Every control of every window reached by the mouse on a screen of a given size: Hastelyn on a
# throw-away machine under a virtual X server of its own (no window manager), with a D-Bus
# session of its own for the accessibility bus, through which reach.py finds the controls.
#   reach.sh HASTELYN HASTELYN_CLI WIDTHxHEIGHT [SCREENSHOT_FOLDER]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is missing"; exit 1; }
work=$(mktemp -d)
xvfb=""
trap 'if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
# The server takes a free display number itself and writes it once it accepts clients.
Xvfb -displayfd 3 -screen 0 "${3}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 600); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "FAIL: the virtual X server did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"
export HASTELYN_MACHINE="$work/machine"
# The machine is made first, so that it can say that shell opens stay in it (no browser opens).
"$2" status >/dev/null
printf '\r\n[Shell]\r\nOpenOnHost=No\r\n' >>"$HASTELYN_MACHINE/machine.ini"
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0 XDG_RUNTIME_DIR="$work"
dbus-run-session -- /usr/bin/python3 "$here/reach.py" "$1" "$3" "${4:-}"
