#!/usr/bin/env bash
# Hastelyn's start against the bare Qt window, side by side in turns on one X display: medians
# of wall time to the window mapped, CPU time (user + system) and peak memory, and their ratios.
#   bench/side-by-side.sh [PAIRS]   (from the source tree, after the release build)
# Needs build/shown and build/bare-window/bare-window (see ../shared/bench/bare-window/README.md)
# and an X display in $DISPLAY (e.g. Xvfb :50 -screen 0 1024x768x24).
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-25}
program=${HASTELYN:-build/release/app/Hastelyn}
bare=${BARE:-build/bare-window/bare-window}
shown=${SHOWN:-build/shown}
machine=$(mktemp -d)
trap 'rm -rf "$machine"' EXIT
export HASTELYN_MACHINE=$machine/pc
build/release/tools/hastelyn-mkmachine xp "$HASTELYN_MACHINE" >/dev/null 2>&1 ||
  { echo "could not make the machine" >&2; exit 1; }
"$shown" Hastelyn "$program" >/dev/null 2>&1  # the first run writes the settings file

one() {  # NAME PROGRAM -> "wall cpu peakKiB"
  python3 -c '
import os, subprocess, sys
p = subprocess.Popen(sys.argv[1:], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
wall = p.stdout.read().decode().strip()
_, _, r = os.wait4(p.pid, 0)
print(wall, round((r.ru_utime + r.ru_stime) * 1000, 1), r.ru_maxrss)' "$shown" "$1" "$2"
}
: >"$machine/h"; : >"$machine/b"
for _ in $(seq "$pairs"); do
  one Hastelyn "$program" >>"$machine/h"
  one BareWindow "$bare" >>"$machine/b"
done
median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
for col in 1 2 3; do
  h=$(cut -d' ' -f$col "$machine/h" | median); b=$(cut -d' ' -f$col "$machine/b" | median)
  case $col in 1) what="wall ms";; 2) what="CPU ms";; 3) what="peak KiB";; esac
  awk -v w="$what" -v h="$h" -v b="$b" 'BEGIN {
    printf "%-9s Hastelyn %8.1f  bare %8.1f  ratio %.2f  difference %+.1f\n", w, h, b, h/b, h-b }'
done
echo "pairs: $pairs, load before: $(cut -d' ' -f1-3 /proc/loadavg)"
