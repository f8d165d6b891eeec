#!/usr/bin/env bash
# Installs what is missing, builds, and then either starts Hastelyn or runs every test.
#   ./setup.sh run    start Hastelyn on the default sandbox machine
#   ./setup.sh test   run all tests (normal build, then the sanitizer build with the fuzzers,
#                     then the Windows build, cross-compiled and tested under Wine)
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

# libspeechd-dev: speech-dispatcher's client header (the library itself is loaded at run time).
# nlohmann-json3-dev: the command line's tests read its --json output with it.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          libjpeg-dev libpng-dev clang libclang-rt-14-dev xvfb xauth fonts-noto-cjk fonts-ipafont-gothic libspeechd-dev
          ccache nlohmann-json3-dev)
if [ "$mode" = test ]; then
  # The screen-reader test (ctest's accessibility_main_window) reads the accessibility bus with
  # python3-pyatspi; at-spi2-core starts that bus, dbus gives the test its own session.
  packages+=(python3-pyatspi at-spi2-core dbus)
  # The help pages' check parses them with html5lib, strictly.
  packages+=(python3-html5lib)
  # The clipboard hand-over test: a clipboard manager in python3-xlib, keys typed by xdotool.
  packages+=(python3-xlib xdotool)
  # The Ansible role's test (ctest ansible_role) plays it with Debian's ansible; ctest
  # ansible_lint checks it with ansible-lint and yamllint.
  packages+=(ansible ansible-lint yamllint)
  # The Windows builds: mingw-w64 for 64 and 32 bits with their objdump (the import check),
  # GoogleTest's sources, Wine with its fonts, and the Japanese locale's sources for the tests
  # of a Japanese system.
  packages+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
             binutils-mingw-w64-i686 googletest wine wine64 locales fonts-wine)
  # The Windows setup program: NSIS's makensis (ctest windows_installer installs, installs over
  # and uninstalls one under Wine; windows_program_imports_setup_stub checks its stub).
  packages+=(nsis)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A compiler cache: a second run over the same sources (another clone included) compiles only
# what changed. Its folder is ccache's own (CCACHE_DIR, else ~/.cache/ccache); a launcher chosen
# by the caller is kept.
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=include_file_mtime,include_file_ctime
fi

jobs=$(nproc)
# Each stage says when it starts, counted from the script's start, so a slow stage shows.
stage() { printf '== %s (at %d min %02d s)\n' "$1" $((SECONDS / 60)) $((SECONDS % 60)); }
stage "release build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHASTELYN_WERROR=ON
cmake --build build/release -j "$jobs"

if [ "$mode" = run ]; then
  exec build/release/app/Hastelyn
fi

export QT_QPA_PLATFORM=offscreen
stage "release tests"
ctest --test-dir build/release --output-on-failure -j "$jobs"

# A job run beside the following stages, where they leave a processor idle: its output is kept
# in a file and shown once it has ended, and its failure fails this script.
beside_pids=()
stop_beside() {
  local pid
  for pid in "${beside_pids[@]}"; do
    pkill -P "$pid" 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
  done
}
trap stop_beside EXIT
start_beside() {  # NAME LOG COMMAND...; leaves the job's process id in beside_pid
  local name=$1 log=$2
  shift 2
  echo "$name: started beside the next stage (output in $log, shown when done)"
  "$@" >"$log" 2>&1 &
  beside_pid=$!
  beside_pids+=("$beside_pid")
}
finish_beside() {  # NAME LOG PID
  local name=$1 log=$2 pid=$3 status=0
  wait "$pid" || status=$?
  echo "$name: output"
  cat "$log"
  if [ "$status" -ne 0 ]; then
    echo "$name failed (exit status $status)" >&2
    exit "$status"
  fi
}

# hastelyn-cli killed at random moments of accelerate and restore, a thousand times (minutes).
# One run at a time, so it keeps one processor busy at most: it runs while the sanitizer build
# compiles.
crash_log=build/release/tests/crash_tests.log
start_beside crash_tests "$crash_log" build/release/tests/crash_tests
crash_pid=$beside_pid

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer, with the parsers fuzzed
# for a bounded time.
stage "sanitizer build"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DHASTELYN_WERROR=ON -DHASTELYN_SANITIZE=ON -DHASTELYN_FUZZ=ON -DHASTELYN_BENCH=OFF -DHASTELYN_UI=OFF
cmake --build build/sanitize -j "$jobs"
finish_beside crash_tests "$crash_log" "$crash_pid"

stage "sanitizer tests and fuzzers"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

# The Windows builds, 64-bit and 32-bit: cross-compiled with mingw-w64, their tests run under
# Wine in a throw-away prefix (the 32-bit suite only where Wine starts 32-bit programs; its
# program's header and imports are checked everywhere).
windows_build() {  # BUILD_DIR TOOLCHAIN_FILE
  cmake -S . -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHASTELYN_WERROR=ON
  # The suite is built by the test script only where Wine can run it (no 32-bit Wine here); the
  # programs handed out and what the check of their imports reads are built everywhere.
  cmake --build "$1" -j "$jobs" --target windows_import_checks
  tools/wine/test-windows-build.sh "$1" -j "$jobs"
}
# The 32-bit build compiles the programs and, without 32-bit Wine, runs nothing but the check of
# their program files: it runs beside the 64-bit build and its suite, filling the time their Wine
# programs leave a processor idle.
stage "Windows builds and tests: build/win32, with build/win32-i686 beside it"
mkdir -p build
i686_log=build/win32-i686.log
start_beside "Windows build and tests: build/win32-i686" "$i686_log" \
  windows_build build/win32-i686 cmake/MingwI686Toolchain.cmake
i686_pid=$beside_pid
windows_build build/win32 cmake/MingwToolchain.cmake
finish_beside "Windows build and tests: build/win32-i686" "$i686_log" "$i686_pid"
stage "every test passed"
