# Cross build for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads variant, whose
# standard library has std::mutex and std::thread), linked statically so that the programs
# need no DLL beside them. Tests run under Wine (tools/wine/wine-run.sh).
#   cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MingwToolchain.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HASTELYN_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HASTELYN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HASTELYN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${HASTELYN_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HASTELYN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine/wine-run.sh)
