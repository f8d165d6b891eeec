// A program that imports a function Windows 2000's KERNEL32 lacks (GetNativeSystemInfo, from
// Windows XP on): the check of the programs' imports must refuse it. Never run.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0501
#include <windows.h>

int main() {
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    return system.dwNumberOfProcessors == 0 ? 1 : 0;
}
