#!/usr/bin/env bash
# The main window's accessibility tree, as a screen reader reads it: Hastelyn on a machine of
# its own under a virtual X server of its own, with a D-Bus session of its own (the
# accessibility bus is started by D-Bus activation when the program asks for it). The system's
# own Python runs the check: python3-pyatspi is installed for it. Another check on the same
# desktop (tools/screens/reach.py) is named with its own screen size and arguments.
#   run.sh HASTELYN HASTELYN_CLI [CHECK.py WIDTHxHEIGHT [ARGUMENTS...]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=${3:-$here/main_window_tree.py}
screen=${4:-1024x768}
for tool in Xvfb dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (./setup.sh test installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is missing (./setup.sh test installs it)"; exit 1; }
work=$(mktemp -d)
xvfb=""
# The server is awaited on the way out: one that is still going away would take the socket of
# the next server given the same number with it.
trap 'if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
# The X server takes a free display number itself and writes it once it accepts clients (other
# tests may start servers at the same moment, so no number is guessed). It does not reset when
# its last client leaves: the accessibility bus launcher comes and goes before the program.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 600); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "FAIL: the virtual X server did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"
export HASTELYN_MACHINE="$work/machine"
# The machine is made first (a named machine is never made by the program), so that it can say
# that shell opens stay in it (no browser opens). The machine maker sits in the build's tools/.
"$(dirname "$2")/../tools/hastelyn-mkmachine" xp "$HASTELYN_MACHINE" >/dev/null
printf '\r\n[Shell]\r\nOpenOnHost=No\r\n' >>"$HASTELYN_MACHINE/machine.ini"
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0 XDG_RUNTIME_DIR="$work"
if [ $# -gt 2 ]; then
  dbus-run-session -- /usr/bin/python3 "$check" "$1" "${@:4}"
else
  dbus-run-session -- /usr/bin/python3 "$check" "$1" "$2"
fi
