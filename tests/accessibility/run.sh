#!/usr/bin/env bash
# The main window's accessibility tree, as a screen reader reads it: Hastelyn on a machine of
# its own under a virtual X server, with a D-Bus session of its own (the accessibility bus is
# started by D-Bus activation when the program asks for it). The system's own Python runs the
# check: python3-pyatspi is installed for it.
#   run.sh HASTELYN HASTELYN_CLI
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (./setup.sh test installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is missing (./setup.sh test installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HASTELYN_MACHINE="$work/machine"
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0 XDG_RUNTIME_DIR="$work"
xvfb-run -a -s "-screen 0 1024x768x24" \
  dbus-run-session -- /usr/bin/python3 "$here/main_window_tree.py" "$1" "$2"
