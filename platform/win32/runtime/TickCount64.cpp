// The threads library of the static runtime calls GetTickCount64, which KERNEL32 exports only
// from Windows Vista on: imported, it keeps the program from starting on XP and Server 2003
// ("entry point not found"). Its import slot is defined here, so that the linker takes it instead
// of KERNEL32's: it points to a function that calls the system's GetTickCount64 where there is
// one, and otherwise extends GetTickCount to 64 bits. The extension follows every wrap of the
// 32-bit count as long as it is called at least once every 24.8 days; a longer silence loses whole
// turns of 49.7 days, which only a wait as long as that could notice.
//
// This file is compiled into every program of the Windows build (not taken from a library, where
// the linker would look only after KERNEL32 had already served the slot).
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "platform/win32/runtime/TickCountExtension.h"

namespace {

using TickCount64Function = ULONGLONG(WINAPI*)();

static_assert(std::atomic<std::uint64_t>::is_always_lock_free, "the count is shared without a lock");
std::atomic<std::uint64_t> lastCount{0};

ULONGLONG WINAPI extendedTickCount() {
    const std::uint32_t reading = GetTickCount();
    std::uint64_t last = lastCount.load();
    for (;;) {
        const std::uint64_t count = hastelyn::win32::extendTickCount(last, reading);  // never below last
        if (count == last || lastCount.compare_exchange_weak(last, count)) return count;
    }
}

// Chosen on the first call; constant before then, so that it works while the runtime starts.
std::atomic<TickCount64Function> chosen{nullptr};

ULONGLONG WINAPI tickCount64() {
    TickCount64Function function = chosen.load(std::memory_order_acquire);
    if (function == nullptr) {
        const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        const FARPROC system = kernel != nullptr ? GetProcAddress(kernel, "GetTickCount64") : nullptr;
        function = system != nullptr ? reinterpret_cast<TickCount64Function>(reinterpret_cast<void*>(system))
                                     : &extendedTickCount;
        chosen.store(function, std::memory_order_release);
    }
    return function();
}

}  // namespace

// The import slot's name: 32-bit names carry the call's argument bytes.
#if defined(__i386__)
#define HASTELYN_TICK_COUNT_64_SLOT "__imp__GetTickCount64@0"
#else
#define HASTELYN_TICK_COUNT_64_SLOT "__imp_GetTickCount64"
#endif
extern "C" {
TickCount64Function hastelynTickCount64Slot __asm__(HASTELYN_TICK_COUNT_64_SLOT) = &tickCount64;
}
