# Cross build for 32-bit Windows (2000 SP4, XP and Server 2003 onwards): the build that is handed
# out.
#   cmake -S . -B build/win32-i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MingwI686Toolchain.cmake
set(HASTELYN_MINGW i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(HASTELYN_PE_MACHINE i386)
set(HASTELYN_SUBSYSTEM_VERSION 5.0)
include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)
