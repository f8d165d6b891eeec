// The threads library of the static runtime calls GetTickCount64, which KERNEL32 exports only
// from Windows Vista on (SystemFunction.h). Its stand-in calls the system's GetTickCount64 where
// there is one, and otherwise extends GetTickCount to 64 bits. The extension follows every wrap of
// the 32-bit count as long as it is called at least once every 24.8 days; a longer silence loses
// whole turns of 49.7 days, which only a wait as long as that could notice.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "platform/win32/runtime/SystemFunction.h"
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

std::atomic<TickCount64Function> chosen{nullptr};

ULONGLONG WINAPI tickCount64() {
    return hastelyn::win32::kernelFunction(chosen, "GetTickCount64", &extendedTickCount)();
}

}  // namespace

extern "C" {
TickCount64Function hastelynTickCount64Slot __asm__(HASTELYN_IMPORT_SLOT(GetTickCount64, 0)) = &tickCount64;
}
