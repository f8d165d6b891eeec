# What the 64-bit and the 32-bit cross builds share; each toolchain file names its compiler
# prefix (HASTELYN_MINGW), processor and subsystem version, then includes this file.
#
# Debian's mingw-w64 in its POSIX-threads variant (its standard library has std::mutex and
# std::thread), linked statically, so that the programs need no DLL beside them: only the
# system's own. Tests run under Wine (tools/wine/wine-run.sh). The programs start no threads of
# their own; the few functions its threads library imports that Windows 2000 lacks are served by
# platform/win32/runtime/ instead of changing to the compiler variant without that library.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${HASTELYN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HASTELYN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${HASTELYN_MINGW}-windres)
set(HASTELYN_OBJDUMP ${HASTELYN_MINGW}-objdump)
set(HASTELYN_STRIP ${HASTELYN_MINGW}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${HASTELYN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The headers offer nothing newer than Windows 2000 and the common controls and shell of its
# Internet Explorer 5.01 (comctl32 5.81), in both builds, so that both compile the same calls; what
# the static libraries bring from later editions is served by platform/win32/runtime/.
set(HASTELYN_WINDOWS_VERSION "-D_WIN32_WINNT=0x0500 -DWINVER=0x0500 -D_WIN32_IE=0x0501")
set(CMAKE_C_FLAGS_INIT "${HASTELYN_WINDOWS_VERSION}")
set(CMAKE_CXX_FLAGS_INIT "${HASTELYN_WINDOWS_VERSION}")

# The subsystem version in the PE header is the oldest Windows that starts the program.
string(REPLACE "." ";" subsystem "${HASTELYN_SUBSYSTEM_VERSION}")
list(GET subsystem 0 subsystem_major)
list(GET subsystem 1 subsystem_minor)
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--major-subsystem-version,${subsystem_major},--minor-subsystem-version,${subsystem_minor},--major-os-version,${subsystem_major},--minor-os-version,${subsystem_minor}")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine/wine-run.sh)
