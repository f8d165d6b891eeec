#!/usr/bin/env bash
# Checks that a Windows program starts on the oldest edition it is made for, from its PE header
# and import table alone (read with the cross toolchain's objdump -p):
#   tools/windows/check-imports.sh PROGRAM.exe LISTS_DIR MACHINE SUBSYSTEM [OBJDUMP]
# MACHINE is the PE machine the program must be built for (i386 or x86-64); SUBSYSTEM the highest
# subsystem version its header may ask for (5.0: Windows 2000); LISTS_DIR holds one list per
# system DLL the program may import from (kernel32.dll.txt: one exported function a line, "#"
# comments), and beside it what the DLL exports on that machine alone (kernel32.dll.x86-64.txt).
# Fails, naming each, on another machine, a higher subsystem version, a DLL without a list, a
# function missing from its DLL's lists, or an import by ordinal.
set -euo pipefail
program=${1:?usage: $0 PROGRAM.exe LISTS_DIR MACHINE SUBSYSTEM [OBJDUMP]}
lists=${2:?}
machine=${3:?}
subsystem=${4:?}
objdump=${5:-objdump}

headers=$("$objdump" -p "$program")

awk -v lists="$lists" -v machine="$machine" -v subsystem="$subsystem" -v program="$program" '
function fail(text) { problems = problems "\n  " text; failures++ }
function loadFile(dll, file,    line) {
    if ((getline line < file) < 0) return 0
    do {
        sub(/#.*/, "", line); gsub(/[ \t\r]/, "", line)
        if (line != "") allowed[tolower(dll), line] = 1
    } while ((getline line < file) > 0)
    close(file)
    return 1
}
function loadList(dll,    base) {
    base = lists "/" tolower(dll)
    if (!loadFile(dll, base ".txt")) return 0
    loadFile(dll, base "." machine ".txt")
    return 1
}
/file format pei-/ { format = $NF; sub(/^pei-/, "", format) }
/^MajorSubsystemVersion/ { major = $2 }
/^MinorSubsystemVersion/ { minor = $2 }
/DLL Name:/ {
    dll = $3; dlls++
    known = loadList(dll)
    if (!known) fail(dll ": no list of its exports in " lists " (not a system DLL of the oldest edition?)")
    next
}
# Rows of an import table: address, hint and name; an import by ordinal has no name.
dll != "" && /^\t[0-9a-f]+\t/ {
    if (NF < 3 || $3 == "<none>") { fail(dll ": import by ordinal " $2); next }
    functions++
    if (known && !((tolower(dll), $3) in allowed)) fail(dll ": " $3 " is not in the list")
    next
}
/^$/ { dll = "" }
END {
    # A program with no imports read is the output of objdump misread, never a pass.
    if (functions == 0) fail("no imported function found in the output of objdump")
    if (format != machine) fail("machine " format ", wanted " machine)
    split(subsystem, wanted, ".")
    if (major == "" || major > wanted[1] || (major == wanted[1] && minor > wanted[2]))
        fail("subsystem version " major "." minor ", wanted at most " subsystem)
    if (failures) { print program ": " failures " import or header problem(s):" problems; exit 1 }
    print program ": " machine ", subsystem " major "." minor ", " functions " functions from " dlls " DLLs, all listed"
}' <<<"$headers"
