#!/usr/bin/env bash
# Hastelyn speaking through a real speech-dispatcher: a virtual X server, a speech-dispatcher
# server of its own with the dummy output module (no sound card needed) and a log at level 5,
# Hastelyn on a fresh machine with "Sound" = "On" and "SpeechOutput" = "Speech", a few keys
# pressed (Tab, Tab, F5, Escape), then what the server received, from its log.
#
#   tools/speech/speech-dispatcher-demo.sh build/release/app/Hastelyn build/release/app/hastelyn-cli
#
# KEEP=1 keeps the work folder (the server's whole log) and says where it is.
#
# Needs xvfb, xdotool and speech-dispatcher (apt-get install xvfb xdotool speech-dispatcher).
set -euo pipefail
program=$(realpath "$1")
cli=$(realpath "$2")
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "${KEEP:-}" ]; then echo "kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# Waits for a condition, polling; the bound is for a broken run only.
await() {
  for _ in $(seq 600); do
    eval "$1" && return 0
    sleep 0.1
  done
  echo "FAIL: $2" >&2
  return 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
await '[ -s "$work/display" ]' "the virtual X server did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

mkdir -p "$work/run" "$work/log"
chmod 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"
cp -r /etc/speech-dispatcher "$work/conf"
# The dummy module, and ALSA's null device as its sound card.
cat >>"$work/conf/speechd.conf" <<CONF
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
AudioOutputMethod "alsa"
AudioALSADevice "null"
CONF
speech-dispatcher -s -t 0 -l 5 -L "$work/log" -C "$work/conf" -c unix_socket -S "$work/speechd.sock" \
  >"$work/log/server.out" 2>&1 &
pids+=($!)
await '[ -S "$work/speechd.sock" ]' "speech-dispatcher did not come up"
export SPEECHD_ADDRESS="unix_socket:$work/speechd.sock"

export HASTELYN_MACHINE="$work/machine"
# Made first: a named machine is never made by the program (the maker is in the build's tools/).
"$(dirname "$cli")/../tools/hastelyn-mkmachine" xp "$HASTELYN_MACHINE" >/dev/null
printf '\r\n[Shell]\r\nOpenOnHost=No\r\n' >>"$HASTELYN_MACHINE/machine.ini"
printf '[環境設定]\r\nSound=On\r\nSpeechOutput=Speech\r\n' \
  >"$HASTELYN_MACHINE/drives/C/Program Files/Hastelyn/Hastelyn.ini"

QT_QPA_PLATFORM=xcb "$program" 2>"$work/program.err" &
program_pid=$!
pids+=("$program_pid")
await 'xdotool search --onlyvisible --name "^Hastelyn$" >/dev/null 2>&1' "the main window did not come up"
window=$(xdotool search --onlyvisible --name "^Hastelyn$" | head -1)
# No window manager runs: the focus is given directly, and the keys typed as on a keyboard.
xdotool windowfocus --sync "$window"
for key in Tab Tab F5 Escape; do
  xdotool key "$key"
  sleep 0.5  # a person's pace between keys, so that each text is cut off by the next one
done
await '! kill -0 "$program_pid" 2>/dev/null' "Hastelyn did not end on Escape"

echo "== what speech-dispatcher received (its log, $work/log) =="
grep -h -a -E 'Queueing message|CANCEL|LANGUAGE|CLIENT_NAME|QUIT|Closing|stop' "$work/log/speech-dispatcher.log" | head -80 || true
echo "== program's stderr =="
cat "$work/program.err"
