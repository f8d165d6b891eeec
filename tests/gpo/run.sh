#!/usr/bin/env bash
# contrib/gpo/hastelyn.cmd under Wine's cmd, against a folder standing in for the share: the
# startup run (machine rows) and the logon run (user rows) leave their JSON logs on the share
# under the computer's (and the user's) name, a second run changes nothing, and the script ends
# with the tool's exit status, also when the preset names a row the tool refuses; a share
# without the tool gives status 1 and a log that says so. Run by ctest in the Windows build,
# inside tools/wine/test-windows-build.sh's prefix.
# usage: run.sh WINE_RUN HASTELYN_CLI_EXE HASTELYN_CMD   (exit 77: skipped, the reason on stdout)
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 WINE_RUN HASTELYN_CLI_EXE HASTELYN_CMD" >&2; exit 2; }
if [ -z "${WINEPREFIX:-}" ]; then
  echo "SKIPPED: no Wine prefix (tools/wine/test-windows-build.sh makes one)"
  exit 77
fi
run=$1 exe=$2 script=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passes=0 failures=0
pass() { echo "ok: $*"; passes=$((passes + 1)); }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() {  # expect WHAT ACTUAL EXPECTED
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1"; printf '  expected: %s\n  got: %s\n' "$3" "$2"; fi
}
has() {  # has WHAT FILE TEXT...: the file holds every text
  local what=$1 file=$2 text
  shift 2
  for text in "$@"; do
    grep -qF -- "$text" "$file" 2>/dev/null || { fail "$what: $file lacks $text"; cat "$file" 2>/dev/null; return; }
  done
  pass "$what"
}
windows() { printf 'Z:%s' "${1//\//\\}"; }
# cmd SCRIPT ARGS...: the script under Wine's cmd, its exit status in $status.
cmd() {
  status=0
  "$run" cmd /c "$(windows "$1")" "${@:2}" </dev/null >"$work/cmd.out" 2>&1 || status=$?
}

share=$work/share
mkdir -p "$share"
cp "$exe" "$share/hastelyn-cli.exe"
cp "$script" "$share/hastelyn.cmd"
# Desktop2 writes HKEY_CURRENT_USER, Desktop4 HKEY_LOCAL_MACHINE.
printf '; the fleet\r\n[Preset]\r\nDesktop2=tick\r\nDesktop4=tick\r\n' >"$share/hastelyn-preset.ini"
names=$("$run" cmd /c 'echo %COMPUTERNAME%-%USERNAME%' </dev/null | tr -d '\r')
computer=${names%%-*}

# At startup, with the share given: the machine's rows, logged under the computer's name.
cmd "$share/hastelyn.cmd" machine "$(windows "$share")"
expect "startup: exit status" "$status" 0
has "startup: the JSON log" "$share/logs/$computer.json" '"command": "accelerate"' '"result": "changed"' '"row": "Desktop4"'
grep -qF '"row": "Desktop2"' "$share/logs/$computer.json" && fail "startup: a user row was changed"
[ -e "$share/logs/$computer.txt" ] && pass "startup: the messages" || fail "startup: the messages"
cmd "$share/hastelyn.cmd" machine "$(windows "$share")"
has "startup again: nothing to change" "$share/logs/$computer.json" '"result": "unchanged"'
expect "startup again: exit status" "$status" 0

# At logon, the share being the script's own folder: the user's rows, logged under both names.
cmd "$share/hastelyn.cmd" user
expect "logon: exit status" "$status" 0
has "logon: the JSON log" "$share/logs/$names.json" '"result": "changed"' '"row": "Desktop2"'

# A preset the tool refuses: its exit status and its error are kept.
printf '[Preset]\r\nDesktop99=tick\r\n' >"$share/hastelyn-preset.ini"
cmd "$share/hastelyn.cmd" machine "$(windows "$share")"
expect "refused preset: exit status" "$status" 1
has "refused preset: the tool's error" "$share/logs/$computer.json" '"error": ' 'Desktop99'

# A share without the tool.
rm "$share/hastelyn-cli.exe"
cmd "$share/hastelyn.cmd" machine "$(windows "$share")"
expect "no tool: exit status" "$status" 1
has "no tool: the log says so" "$share/logs/$computer.json" '"error": "hastelyn-cli.exe could not be copied from the share"'
cmd "$share/hastelyn.cmd" sometimes
expect "usage: exit status" "$status" 2

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
