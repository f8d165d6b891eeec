# Cross build for 64-bit Windows (XP x64 and Server 2003 x64 onwards), tested under 64-bit Wine.
#   cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MingwToolchain.cmake
set(HASTELYN_MINGW x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(HASTELYN_PE_MACHINE x86-64)
set(HASTELYN_SUBSYSTEM_VERSION 5.2)
include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)
