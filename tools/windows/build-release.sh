#!/usr/bin/env bash
# Builds hastelyn-cli.exe to hand out: 32-bit, for Windows 2000 SP4, XP and Server 2003 onwards,
# optimised, without debug information, checked against what 2000's system DLLs export:
#   tools/windows/build-release.sh        ->  build/windows-release/hastelyn-cli.exe
# The build itself is the 32-bit test build (build/win32-i686); the file handed out is its
# program with the debug information and symbols stripped.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build/win32-i686
out=build/windows-release
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MingwI686Toolchain.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHASTELYN_WERROR=ON >/dev/null
# The programs handed out, all of which the check reads.
cmake --build "$build" --target windows_import_checks -j "${JOBS:-$(nproc)}"

mkdir -p "$out"
i686-w64-mingw32-strip --strip-all -o "$out/hastelyn-cli.exe" "$build/app/hastelyn-cli.exe"
"$build/tests/check-program-imports.sh"  # the same imports as the stripped copy
echo "$out/hastelyn-cli.exe: $(stat -c %s "$out/hastelyn-cli.exe") bytes"
