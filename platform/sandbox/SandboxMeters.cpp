#include "platform/sandbox/SandboxMeters.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/HostFigures.h"
#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;
namespace iftable = platform::iftable;

constexpr std::string_view kIpHelper = "iphlpapi.dll";
constexpr std::string_view kGetIfTable = "GetIfTable";
// Where Windows XP maps the library and finds the function.
constexpr std::uint64_t kIpHelperModule = 0x76D60000;
constexpr std::uint64_t kGetIfTableAddress = 0x76D6A3E1;
// The user part of a 32-bit program's address space on Windows XP.
constexpr std::uint64_t kAddressSpace = 0x7FFE0000;

constexpr std::uint32_t kAdminStatusUp = 1;
constexpr std::uint32_t kOperStatusOperational = 5;

std::uint32_t clamp32(std::uint64_t n) { return n > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(n); }

// The file LoadLibrary looks for: the name without its folder, ".dll" added when it has no
// extension (a trailing dot means "no extension"), in lower case.
std::string libraryFile(std::string_view name) {
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    std::string file = text::lowerAscii(name);
    if (!file.empty() && file.back() == '.')
        file.pop_back();
    else if (file.find('.') == std::string::npos)
        file += ".dll";
    return file;
}

bool isWindows95(const platform::OsVersion& v) { return v.platformId == 1 && v.major == 4 && v.minor == 0; }

void put32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

SandboxMeters::SandboxMeters(const SandboxMachine& machine) : machine_(machine) {}

platform::MemoryStatus SandboxMeters::globalMemoryStatus() {
    const HostMemory m = readHostMemory().value_or(HostMemory{});
    platform::MemoryStatus s;
    s.memoryLoad = m.total > 0 ? static_cast<std::uint32_t>((m.total - m.available) * 100 / m.total) : 0;
    s.totalPhys = clamp32(m.total);
    s.availPhys = clamp32(m.available);
    s.totalPageFile = clamp32(m.total + m.swapTotal);
    s.availPageFile = clamp32(m.available + m.swapFree);
    s.totalVirtual = clamp32(kAddressSpace);
    s.availVirtual = clamp32(kAddressSpace - std::min(kAddressSpace, ownAddressSpace()));
    return s;
}

bool SandboxMeters::missing(std::string_view library, std::string_view function) const {
    if (library == kIpHelper && isWindows95(machine_.version())) return true;
    for (const std::string& entry : machine_.settingList("Libraries", "Missing")) {
        const std::size_t bang = entry.find('!');
        if (libraryFile(std::string_view(entry).substr(0, bang)) != library) continue;
        if (bang == std::string::npos) return true;
        if (!function.empty() && trimSpaces(std::string_view(entry).substr(bang + 1)) == function) return true;
    }
    return false;
}

long SandboxMeters::loadLibrary(std::string_view fileName, platform::ModuleHandle& out) {
    out = {};
    const std::string file = libraryFile(fileName);
    if (file != kIpHelper || missing(file, {})) return win32error::ModNotFound;
    ++ipHelperLoads_;
    out.value = kIpHelperModule;
    return win32error::Success;
}

long SandboxMeters::getProcAddress(platform::ModuleHandle module, std::string_view name, platform::ProcHandle& out) {
    out = {};
    if (module.value != kIpHelperModule || ipHelperLoads_ == 0) return win32error::ModNotFound;
    if (name != kGetIfTable || missing(kIpHelper, name)) return win32error::ProcNotFound;
    out.value = kGetIfTableAddress;
    return win32error::Success;
}

long SandboxMeters::freeLibrary(platform::ModuleHandle module) {
    if (module.value != kIpHelperModule || ipHelperLoads_ == 0) return win32error::ModNotFound;
    --ipHelperLoads_;
    return win32error::Success;
}

long SandboxMeters::getIfTable(platform::ProcHandle function, std::uint8_t* table, std::uint32_t* size, bool order) {
    (void)order;  // the rows come in index order anyway
    // Windows would call whatever the address holds; the sandbox refuses what is no GetIfTable.
    if (function.value != kGetIfTableAddress || ipHelperLoads_ == 0 || size == nullptr)
        return win32error::InvalidParameter;
    const std::optional<std::vector<NetDevice>> devices = readNetDevices();
    if (!devices) return win32error::NotSupported;
    const std::uint64_t needed = iftable::RowsOffset + std::uint64_t{iftable::RowSize} * devices->size();
    if (table == nullptr || *size < needed) {
        *size = static_cast<std::uint32_t>(needed);
        return win32error::InsufficientBuffer;
    }
    std::memset(table, 0, needed);
    put32(table, static_cast<std::uint32_t>(devices->size()));
    std::uint8_t* row = table + iftable::RowsOffset;
    for (std::size_t i = 0; i < devices->size(); ++i, row += iftable::RowSize) {
        const NetDevice& d = (*devices)[i];
        const std::size_t nameLength = std::min<std::size_t>(d.name.size(), iftable::NameChars - 1);
        for (std::size_t c = 0; c < nameLength; ++c) row[iftable::Name + 2 * c] = static_cast<std::uint8_t>(d.name[c]);
        put32(row + iftable::Index, static_cast<std::uint32_t>(i + 1));
        put32(row + iftable::Type, d.name == "lo" ? iftable::TypeLoopback : iftable::TypeEthernet);
        put32(row + iftable::AdminStatus, kAdminStatusUp);
        put32(row + iftable::OperStatus, kOperStatusOperational);
        put32(row + iftable::InOctets, static_cast<std::uint32_t>(d.receivedBytes));
        put32(row + iftable::InUcastPkts, static_cast<std::uint32_t>(d.receivedPackets - std::min(d.receivedPackets, d.receivedMulticast)));
        put32(row + iftable::InNUcastPkts, static_cast<std::uint32_t>(d.receivedMulticast));
        put32(row + iftable::InDiscards, static_cast<std::uint32_t>(d.receivedDropped));
        put32(row + iftable::InErrors, static_cast<std::uint32_t>(d.receivedErrors));
        put32(row + iftable::OutOctets, static_cast<std::uint32_t>(d.sentBytes));
        put32(row + iftable::OutUcastPkts, static_cast<std::uint32_t>(d.sentPackets));
        put32(row + iftable::OutDiscards, static_cast<std::uint32_t>(d.sentDropped));
        put32(row + iftable::OutErrors, static_cast<std::uint32_t>(d.sentErrors));
        // The description with its NUL, as Windows XP counts it.
        const std::size_t descr = std::min<std::size_t>(d.name.size(), iftable::DescrMax - 1);
        std::memcpy(row + iftable::Descr, d.name.data(), descr);
        put32(row + iftable::DescrLen, static_cast<std::uint32_t>(descr + 1));
    }
    *size = static_cast<std::uint32_t>(needed);
    return win32error::Success;
}

}  // namespace hastelyn::sandbox
