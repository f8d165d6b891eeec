#include "platform/win32/Win32Meters.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/WideText.h"

namespace hastelyn::win32 {
namespace {

// GetIfTable (iphlpapi.h), declared here so that nothing links to the library.
using GetIfTableFunction = DWORD(WINAPI*)(void* table, ULONG* size, BOOL order);

std::uint32_t clamp32(SIZE_T n) {
    return static_cast<std::uint32_t>(std::min<unsigned long long>(n, 0xFFFFFFFFull));  // SIZE_T: 32 or 64 bits
}

HMODULE moduleOf(platform::ModuleHandle module) {
    return reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(module.value));
}

}  // namespace

platform::MemoryStatus Win32Meters::globalMemoryStatus() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    platform::MemoryStatus out;
    out.memoryLoad = status.dwMemoryLoad;
    out.totalPhys = clamp32(status.dwTotalPhys);
    out.availPhys = clamp32(status.dwAvailPhys);
    out.totalPageFile = clamp32(status.dwTotalPageFile);
    out.availPageFile = clamp32(status.dwAvailPageFile);
    out.totalVirtual = clamp32(status.dwTotalVirtual);
    out.availVirtual = clamp32(status.dwAvailVirtual);
    return out;
}

long Win32Meters::loadLibrary(std::string_view fileName, platform::ModuleHandle& out) {
    out = {};
    const HMODULE module = LoadLibraryW(widen(fileName).c_str());
    if (module == nullptr) return static_cast<long>(GetLastError());
    out.value = reinterpret_cast<std::uintptr_t>(module);
    ++loads_[out.value];
    return ERROR_SUCCESS;
}

long Win32Meters::getProcAddress(platform::ModuleHandle module, std::string_view name, platform::ProcHandle& out) {
    out = {};
    const std::string procName(name);
    const FARPROC function = GetProcAddress(moduleOf(module), procName.c_str());
    if (function == nullptr) return static_cast<long>(GetLastError());
    out.value = reinterpret_cast<std::uintptr_t>(function);
    if (procName == "GetIfTable" && loads_.contains(module.value)) ifTables_.push_back({module.value, out.value});
    return ERROR_SUCCESS;
}

long Win32Meters::freeLibrary(platform::ModuleHandle module) {
    if (!FreeLibrary(moduleOf(module))) return static_cast<long>(GetLastError());
    const auto it = loads_.find(module.value);
    if (it != loads_.end() && --it->second == 0) {
        loads_.erase(it);
        std::erase_if(ifTables_, [&](const Found& f) { return f.module == module.value; });
    }
    return ERROR_SUCCESS;
}

long Win32Meters::getIfTable(platform::ProcHandle function, std::uint8_t* table, std::uint32_t* size, bool order) {
    const bool known = std::any_of(ifTables_.begin(), ifTables_.end(),
                                   [&](const Found& f) { return f.function == function.value; });
    if (!known || size == nullptr) return ERROR_INVALID_PARAMETER;
    const auto call = reinterpret_cast<GetIfTableFunction>(static_cast<std::uintptr_t>(function.value));
    ULONG bytes = *size;
    const DWORD result = call(table, &bytes, order ? TRUE : FALSE);
    *size = static_cast<std::uint32_t>(bytes);
    return static_cast<long>(result);
}

}  // namespace hastelyn::win32
