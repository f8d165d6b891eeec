#!/usr/bin/env bash
# Builds, from a clean tree, the Windows release handed to users: the 32-bit programs for
# Windows 2000 SP4, XP and Server 2003 onwards (optimised, stripped, checked against what 2000's
# system DLLs export), the help pages, the setup program, a zip of the same files for those who do
# not install, and a SHA-256 list of all of it:
#   tools/windows/build-release.sh   ->  build/windows-release/
#     Hastelyn-<version>-setup.exe   the setup program (NSIS)
#     Hastelyn-<version>.zip         Hastelyn-<version>/ with the programs and help/
#     files/                         what both hold: Hastelyn.exe, hastelyn-cli.exe, help/
#     SHA256SUMS                     sha256sum's list of the three above (files/ file by file)
# The build itself is the 32-bit test build (build/win32-i686).
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build/win32-i686
out=build/windows-release
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MingwI686Toolchain.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHASTELYN_WERROR=ON >/dev/null
# The programs handed out, all of which the check reads.
cmake --build "$build" --target windows_import_checks -j "${JOBS:-$(nproc)}"
"$build/tests/check-program-imports.sh"

rm -rf "$out"
setup=$(tools/windows/make-installer.sh "$build" "$out" | tail -n 1)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
# The setup program's own stub starts on Windows 2000 SP4 too (stripping the programs changed
# nothing the check above reads).
tools/windows/check-imports.sh "$setup" tests/win32/imports i386 5.0 i686-w64-mingw32-objdump

zip_root=$out/Hastelyn-$version
cp -r "$out/files" "$zip_root"
(cd "$out" && cmake -E tar cf "Hastelyn-$version.zip" --format=zip "Hastelyn-$version")
rm -rf "$zip_root"

(cd "$out" && find files -type f | LC_ALL=C sort | xargs sha256sum &&
  sha256sum "${setup##*/}" "Hastelyn-$version.zip") >"$out/SHA256SUMS"
(cd "$out" && sha256sum --quiet -c SHA256SUMS)
for file in "$out/files/Hastelyn.exe" "$out/files/hastelyn-cli.exe" "$setup" "$out/Hastelyn-$version.zip"; do
  echo "$file: $(stat -c %s "$file") bytes"
done
