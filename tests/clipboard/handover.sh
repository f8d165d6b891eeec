#!/usr/bin/env bash
# The last spoken text outlives the program: Hastelyn ends with "ソフトを終了しました。" on the
# clipboard, and hands it to the clipboard manager that runs (clipboard_manager.py), under a
# virtual X server of its own.
#   handover.sh HASTELYN HASTELYN_CLI
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
# Polls for a condition; the bound is for a broken run only, not a pace.
await() {
  for _ in $(seq 1200); do
    eval "$1" && return 0
    sleep 0.1
  done
  echo "FAIL: $2"
  exit 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
await '[ -s "$work/display" ]' "the virtual X server did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

/usr/bin/python3 "$here/clipboard_manager.py" "$work/saved" "$work/ready" &
pids+=($!)
await '[ -e "$work/ready" ]' "the clipboard manager did not start"

export HASTELYN_MACHINE="$work/machine"
# Made first: a named machine is never made by the program (the maker is in the build's tools/).
"$(dirname "$2")/../tools/hastelyn-mkmachine" xp "$HASTELYN_MACHINE" >/dev/null
printf '\r\n[Shell]\r\nOpenOnHost=No\r\n' >>"$HASTELYN_MACHINE/machine.ini"
printf '[環境設定]\r\nSound=On\r\n' >"$HASTELYN_MACHINE/drives/C/Program Files/Hastelyn/Hastelyn.ini"

QT_QPA_PLATFORM=xcb "$1" 2>"$work/program.err" &
program=$!
pids+=("$program")
await 'xdotool search --onlyvisible --name "^Hastelyn$" >/dev/null 2>&1' "the main window did not come up"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Hastelyn$' | head -1)"
xdotool key Escape
await '! kill -0 "$program" 2>/dev/null' "Hastelyn did not end on Escape"
await '[ -e "$work/saved" ]' "nothing was handed to the clipboard manager"
saved=$(cat "$work/saved")
if [ "$saved" != "ソフトを終了しました。" ]; then
  echo "FAIL: the clipboard manager got \"$saved\""
  exit 1
fi
echo "PASS: the clipboard manager keeps \"$saved\""
