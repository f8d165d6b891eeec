#!/usr/bin/env bash
# Runs the tests of a Windows build under Wine, in a throw-away Wine prefix:
#   tools/wine/test-windows-build.sh build/win32 [ctest options...]
#
# The build's smallest program runs first. Where Wine cannot start it (a 32-bit build needs
# 32-bit Wine, and that a kernel that runs 32-bit programs), the suite is skipped, saying so and
# why, and only the check that reads the program file runs. The build need hold no more than
# that program, hastelyn-cli.exe and Hastelyn.exe: the rest of the suite is built here when it
# can run.
#
# Wine's background processes (wineserver, the services, the desktop) would inherit the output
# pipes of the first program that needs them, and ctest would wait for them to end: they are
# started here first, detached, and ended afterwards. The desktop uses Wine's null display
# driver, so that the tests can make windows without an X server.
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR [ctest options...]}
shift
here=$(cd "$(dirname "$0")" && pwd)
run="$here/wine-run.sh"

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/hastelyn-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# Makes the prefix; the display driver takes effect once this first session has ended.
"$run" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
"$run" cmd /c exit </dev/null >/dev/null 2>&1
# Tests of a Japanese system run with this locale; it is made ready here, once.
LC_ALL=ja_JP.UTF-8 "$run" cmd /c exit </dev/null >/dev/null 2>&1

probe_output="$WINEPREFIX/start-probe.out"
"$run" "$build/tests/start_probe.exe" </dev/null >"$probe_output" 2>&1 || true
if grep -q '^started' "$probe_output"; then
  cmake --build "$build" -j "$(nproc)"
  ctest --test-dir "$build" --output-on-failure "$@"
else
  reason=$(grep -v '^\s*$' "$probe_output" | head -n 3 | tr -d '\r' | tr '\n' ' ' || true)
  echo "SKIPPED: the Wine suite of $build: Wine on this machine does not start its programs."
  echo "  Wine said: ${reason:-nothing}"
  echo "  (32-bit programs need 32-bit Wine, wine32, and a kernel that runs 32-bit programs.)"
  echo "  Only the check of the program file runs:"
  "$build/tests/check-program-imports.sh"
fi
