#pragma once
// The meters' facilities on Windows: GlobalMemoryStatus, and LoadLibraryW / GetProcAddress /
// FreeLibrary for the IP Helper library, which the program never links to (Windows 95 has none).
//
// GetIfTable is called only through a function this backend found under that name in a
// library it loaded and has not freed since; any other ProcHandle gives InvalidParameter
// rather than a call through an address nobody can vouch for. Byte counts of the memory status
// above 4 GiB - 1 read 0xFFFFFFFF, as a 32-bit program would see them (a 64-bit program's
// address space is always that large).
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/Meters.h"

namespace hastelyn::win32 {

class Win32Meters final : public platform::Meters {
public:
    platform::MemoryStatus globalMemoryStatus() override;
    long loadLibrary(std::string_view fileName, platform::ModuleHandle& out) override;
    long getProcAddress(platform::ModuleHandle module, std::string_view name, platform::ProcHandle& out) override;
    long freeLibrary(platform::ModuleHandle module) override;
    long getIfTable(platform::ProcHandle function, std::uint8_t* table, std::uint32_t* size, bool order) override;

private:
    struct Found {
        std::uint64_t module;
        std::uint64_t function;
    };
    // Loads of each module through this backend that are not freed yet.
    std::unordered_map<std::uint64_t, std::uint32_t> loads_;
    // The GetIfTable functions found in those modules.
    std::vector<Found> ifTables_;
};

}  // namespace hastelyn::win32
