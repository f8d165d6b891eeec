#!/usr/bin/env bash
# Makes the setup program from a Windows build: the build's two programs (stripped) and the
# help pages gathered in OUT_DIR/files, then OUT_DIR/Hastelyn-<version>-setup.exe.
#   tools/windows/make-installer.sh BUILD_DIR OUT_DIR
# A 32-bit build gives the setup program handed out; a 64-bit one gives a setup program for the
# 64-bit programs (its stub is NSIS's 64-bit one), which the tests install under 64-bit Wine.
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR OUT_DIR}
out=${2:?usage: $0 BUILD_DIR OUT_DIR}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)  # makensis reads files relative to the script's folder

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "$0: $build is no configured build" >&2; exit 1; }
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")
case "$strip" in
  *i686-w64-mingw32-strip) target=x86-unicode ;;
  *x86_64-w64-mingw32-strip) target=amd64-unicode ;;
  *) echo "$0: $build is no Windows build" >&2; exit 1 ;;
esac
command -v makensis >/dev/null || { echo "$0: makensis (Debian's nsis) is needed" >&2; exit 1; }

files=$out/files
rm -rf "$files"
mkdir -p "$files/help"
for program in Hastelyn.exe hastelyn-cli.exe; do
  "$strip" --strip-all -o "$files/$program" "$build/app/$program"
done
cp "$source_dir"/resources/help/* "$files/help/"

setup=$out/Hastelyn-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$files" \
  -DICON="$source_dir/resources/pictures-win32/hastelyn.ico" -DOUTFILE="$setup" -DTARGET="$target" \
  "$source_dir/tools/windows/installer/Hastelyn.nsi"
echo "$setup"
