#!/usr/bin/env bash
# Hastelyn.exe's start under Wine against a bare Win32 window (bench/win32), in turns on one
# private X server: medians of the wall time from exec to the top-level window mapped and of the
# program's processor time until then, and their ratios.
#   bench/wine-start.sh [RUNS]   (from the source tree, after the x86-64 Windows build)
# BUILD (build/win32) is the build; the bare window is built there when missing. HASTELYN names
# another Hastelyn.exe to time (another version's, say). The Wine prefix is a throw-away one,
# made as tools/wine/japanese-prefix.sh makes it, or the one in PREFIX, kept (made there when
# empty). wineserver runs throughout, so every start finds it warm; each program's first start
# in the prefix is timed apart. Each start is ended (SIGTERM) once its window is mapped.
# Quote the ratios rather than the times: the machines are shared and noisy.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${BUILD:-build/win32}
run="$PWD/tools/wine/wine-run.sh"
program=${HASTELYN:-$build/app/Hastelyn.exe}
bare="$build/bench/win32/bare-win32-window.exe"
[ -f "$program" ] || { echo "no $program: build the Windows build first" >&2; exit 1; }
[ -f "$bare" ] || cmake --build "$build" --target bare-win32-window >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/hastelyn-start.XXXXXX")
export WINEPREFIX=${PREFIX:-$work/prefix} WINEDEBUG=${WINEDEBUG:--all}
. tools/wine/private-display.sh
private_display 1024x768 "$work"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/system.reg" ] || tools/wine/japanese-prefix.sh Hastelyn.exe bare-win32-window.exe
folder="$WINEPREFIX/drive_c/Program Files/Hastelyn"
mkdir -p "$folder"
# Both as a program is handed out: without its debug information, which Wine would otherwise
# read into memory with the rest of the image (tools/windows/build-release.sh strips the same way).
strip=${STRIP:-x86_64-w64-mingw32-strip}
"$strip" --strip-all -o "$folder/Hastelyn.exe" "$program"
"$strip" --strip-all -o "$folder/bare-win32-window.exe" "$bare"
wineserver -p </dev/null >/dev/null 2>&1

one() {  # WINDOW-NAME PROGRAM.exe -> "wall CPU": milliseconds from exec to the window mapped
  # Code page 932: the locale japanese-prefix.sh compiled into the prefix (see wine-run.sh).
  env LC_ALL=ja_JP.UTF-8 LOCPATH="$WINEPREFIX/locales" python3 - "$1" "$run" "$folder/$2" <<'PY'
import ctypes, os, signal, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
display = x.XOpenDisplay(None)
x.XSelectInput(display, x.XDefaultRootWindow(display), 1 << 19)  # SubstructureNotifyMask
x.XSync(display, 0)
event = (ctypes.c_long * 24)()  # an XEvent
start = time.monotonic()
quiet = os.open(os.devnull, os.O_RDWR)
child = os.fork()
if child == 0:
    for stream in (0, 1, 2):
        os.dup2(quiet, stream)
    os.execv(sys.argv[2], sys.argv[2:])
while True:
    x.XNextEvent(display, event)
    if event[0] & 0xffffffff != 19:  # MapNotify; its window is the event's sixth word
        continue
    name = ctypes.c_char_p()
    if x.XFetchName(display, event[5], ctypes.byref(name)) and name.value == sys.argv[1].encode():
        break
mapped = time.monotonic()
# The program's own processor time until then, all its threads (the rest of the wall time is
# waiting: for wineserver, the desktop process, the service manager, and for other programs).
cpu = 0
for task in os.listdir(f"/proc/{child}/task"):
    with open(f"/proc/{child}/task/{task}/schedstat") as stat:
        cpu += int(stat.read().split()[0])
print(round((mapped - start) * 1000, 1), round(cpu / 1e6, 1))
os.kill(child, signal.SIGTERM)
os.waitpid(child, 0)
PY
}
median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }

# The bare window's first start pays for the prefix's first use (the desktop process, the font
# cache); Hastelyn.exe's after it pays for its own (its settings file, the service manager
# started on first use).
first_b=$(one BareWindow bare-win32-window.exe)
first_h=$(one Hastelyn Hastelyn.exe)
: >"$work/h"; : >"$work/b"
for _ in $(seq "$runs"); do
  one Hastelyn Hastelyn.exe >>"$work/h"
  one BareWindow bare-win32-window.exe >>"$work/b"
done
for col in 1 2; do
  h=$(cut -d' ' -f$col "$work/h" | median); b=$(cut -d' ' -f$col "$work/b" | median)
  case $col in 1) what="wall ms";; 2) what="CPU ms";; esac
  awk -v w="$what" -v h="$h" -v b="$b" 'BEGIN {
    printf "%-8s Hastelyn.exe %7.1f  bare %7.1f  ratio %.2f  difference %+.1f\n", w, h, b, h/b, h-b }'
done
echo "first start (wall, CPU ms): Hastelyn.exe $first_h, bare $first_b"
echo "Hastelyn.exe wall: $(cut -d' ' -f1 "$work/h" | sort -n | tr '\n' ' ')"
echo "bare wall:         $(cut -d' ' -f1 "$work/b" | sort -n | tr '\n' ' ')"
echo "runs: $runs, load after: $(cut -d' ' -f1-3 /proc/loadavg)"
