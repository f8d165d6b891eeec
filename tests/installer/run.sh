#!/usr/bin/env bash
# The setup program and the uninstaller under 64-bit Wine, silently, as an administrator runs
# them: a setup program made from this build (64-bit programs, NSIS's 64-bit stub: 64-bit Wine
# cannot start the 32-bit one here) puts every file in place and writes its entry in Add/Remove
# Programs; the installed hastelyn-cli.exe runs; the settings file and a restore point made there
# survive an install over it and a silent uninstall, which removes everything else and the entry.
# Run by ctest in the 64-bit Windows build, inside tools/wine/test-windows-build.sh's prefix.
# usage: run.sh WINE_RUN BUILD_DIR   (exit 77: skipped, the reason on stdout)
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 WINE_RUN BUILD_DIR" >&2; exit 2; }
if [ -z "${WINEPREFIX:-}" ]; then
  echo "SKIPPED: no Wine prefix (tools/wine/test-windows-build.sh makes one)"
  exit 77
fi
command -v makensis >/dev/null || { echo "SKIPPED: makensis (Debian's nsis) is not installed"; exit 77; }
run=$1 build=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)

passes=0 failures=0
pass() { echo "ok: $*"; passes=$((passes + 1)); }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check WHAT COMMAND...: passes when the command succeeds
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

"$source_dir/tools/windows/make-installer.sh" "$build" "$work/out" >"$work/make.log" 2>&1 ||
  { cat "$work/make.log"; echo "FAIL: the setup program was not made"; exit 1; }
setup=$(tail -n 1 "$work/make.log")

folder='C:\Program Files\Hastelyn'
unix_folder=$("$run" winepath -u "$folder" 2>/dev/null | tr -d '\r')
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Hastelyn'
entry() { "$run" reg query "$key" /v "$1" /reg:64 </dev/null 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }
has_entry() { "$run" reg query "$key" /reg:64 </dev/null >/dev/null 2>&1; }
# The setup program, silent; /D= comes last and unquoted, as NSIS wants it.
install() { "$run" "$setup" /S "/D=$folder" </dev/null >/dev/null 2>&1; }
installed_files=(Hastelyn.exe hastelyn-cli.exe uninstall.exe help/index.htm help/style.css)
# The folder starts absent, and what the uninstaller keeps on purpose goes with the test's own
# files at the end, so that a run finds the prefix as the one before it did.
rm -rf "$unix_folder"
trap 'rm -rf "$work" "$unix_folder"' EXIT

# On Windows NT 4.0 (as Wine says for this program alone) it refuses, saying why, and installs
# nothing.
defaults="HKCU\\Software\\Wine\\AppDefaults\\${setup##*/}"
"$run" reg add "$defaults" /v Version /d nt40 /f </dev/null >/dev/null 2>&1
status=0
install || status=$?
check "below Windows 2000 SP4 the setup program refuses (status 3)" test "$status" -eq 3
if [ -e "$unix_folder" ]; then fail "... and installs nothing"; ls -lR "$unix_folder"; else pass "... and installs nothing"; fi
"$run" reg delete "$defaults" /f </dev/null >/dev/null 2>&1

# A fresh install.
check "the setup program ends with status 0" install
for file in "${installed_files[@]}"; do
  check "installed: $file" test -f "$unix_folder/$file"
done
check "the entry names the program" test "$(entry DisplayName)" = Hastelyn
check "the entry names the version" test "$(entry DisplayVersion)" = \
  "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
check "the entry names the publisher" test -n "$(entry Publisher)"
check "the entry names the uninstaller" test "$(entry UninstallString)" = "\"$folder\\uninstall.exe\""
check "the entry gives a size" test -n "$(entry EstimatedSize)"
start_menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Hastelyn/Hastelyn.lnk' | head -n 1)
check "a Start-menu entry" test -n "$start_menu"

# The installed command line runs from its folder; a restore point made there, and the settings.
status=0
"$run" "$unix_folder/hastelyn-cli.exe" status </dev/null >"$work/status.out" 2>&1 || status=$?
check "hastelyn-cli.exe status runs from the installed folder" test "$status" -eq 0
check "... and says what it read" test -s "$work/status.out"
status=0
"$run" "$unix_folder/hastelyn-cli.exe" backup "$folder\\復元ポイント 試験.ini" </dev/null >"$work/backup.out" 2>&1 ||
  status=$?
check "a restore point is made in the installed folder" test "$status" -eq 0
restore_point=$(find "$unix_folder" -maxdepth 1 -name '復元ポイント*.ini' | head -n 1)
check "... beside the program" test -n "$restore_point"
printf '[環境設定]\r\nSound=On\r\n' >"$unix_folder/Hastelyn.ini"
cp "$restore_point" "$work/restore-point.before"
kept_files=("$unix_folder/Hastelyn.ini" "$restore_point")

# An install over it keeps the user's files as they were.
check "an install over the first ends with status 0" install
for file in "${kept_files[@]}"; do
  check "kept over an install: ${file##*/}" test -f "$file"
done
check "the restore point is unchanged" cmp -s "$restore_point" "$work/restore-point.before"
check "the settings are unchanged" grep -q 'Sound=On' "$unix_folder/Hastelyn.ini"

# The silent uninstall: it copies itself away and ends at once; the copy does the work, so the
# test waits for its sign of being done (the entry gone and its own file deleted).
status=0
"$run" "$unix_folder/uninstall.exe" /S </dev/null >/dev/null 2>&1 || status=$?
check "the uninstaller starts" test "$status" -eq 0
for _ in $(seq 600); do
  { has_entry || [ -e "$unix_folder/uninstall.exe" ]; } || break
  "$run" cmd /c exit 0 </dev/null >/dev/null 2>&1  # one round trip through Wine, not a fixed wait
done
if has_entry; then fail "the entry is gone"; else pass "the entry is gone"; fi
for file in "${installed_files[@]}"; do
  check "removed: $file" test ! -e "$unix_folder/$file"
done
check "the Start-menu entries are gone" test ! -e "${start_menu%/*}"
for file in "${kept_files[@]}"; do
  check "kept by a silent uninstall: ${file##*/}" test -f "$file"
done
check "the restore point is still the same" cmp -s "$restore_point" "$work/restore-point.before"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
