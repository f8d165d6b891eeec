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

// One row of the interface table, its counters cut to 32 bits when written.
struct InterfaceRow {
    std::string description;  // also the name
    std::uint32_t type = 0;
    std::uint64_t inOctets = 0, inUcast = 0, inNUcast = 0, inDiscards = 0, inErrors = 0;
    std::uint64_t outOctets = 0, outUcast = 0, outDiscards = 0, outErrors = 0;
};

// The rows of the next reading, from the script or from /proc/net/dev; nothing when that
// cannot be read.
std::optional<std::vector<InterfaceRow>> interfaceRows(const ScriptReadings& script) {
    std::vector<InterfaceRow> rows;
    if (script.scripted()) {
        for (const ScriptedInterface& i : script.next().interfaces)
            rows.push_back({.description = i.description, .type = i.type, .inOctets = i.receivedOctets,
                            .outOctets = i.sentOctets});
        return rows;
    }
    const std::optional<std::vector<NetDevice>> devices = readNetDevices();
    if (!devices) return std::nullopt;
    for (const NetDevice& d : *devices) {
        rows.push_back({.description = d.name,
                        .type = d.name == "lo" ? iftable::TypeLoopback : iftable::TypeEthernet,
                        .inOctets = d.receivedBytes,
                        .inUcast = d.receivedPackets - std::min(d.receivedPackets, d.receivedMulticast),
                        .inNUcast = d.receivedMulticast,
                        .inDiscards = d.receivedDropped,
                        .inErrors = d.receivedErrors,
                        .outOctets = d.sentBytes,
                        .outUcast = d.sentPackets,
                        .outDiscards = d.sentDropped,
                        .outErrors = d.sentErrors});
    }
    return rows;
}

}  // namespace

SandboxMeters::SandboxMeters(const SandboxMachine& machine)
    : machine_(machine), memoryScript_(MeterScript::load(machine.folder())), interfaceScript_(memoryScript_) {}

platform::MemoryStatus SandboxMeters::globalMemoryStatus() {
    if (memoryScript_.scripted()) {
        const platform::MemoryStatus scripted = memoryScript_.next().memory;
        memoryScript_.handedOver();
        return scripted;
    }
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
    const std::optional<std::vector<InterfaceRow>> rows = interfaceRows(interfaceScript_);
    if (!rows) return win32error::NotSupported;
    const std::uint64_t needed = iftable::RowsOffset + std::uint64_t{iftable::RowSize} * rows->size();
    if (table == nullptr || *size < needed) {
        *size = static_cast<std::uint32_t>(needed);
        return win32error::InsufficientBuffer;
    }
    std::memset(table, 0, needed);
    put32(table, static_cast<std::uint32_t>(rows->size()));
    std::uint8_t* row = table + iftable::RowsOffset;
    for (std::size_t i = 0; i < rows->size(); ++i, row += iftable::RowSize) {
        const InterfaceRow& r = (*rows)[i];
        const std::size_t nameLength = std::min<std::size_t>(r.description.size(), iftable::NameChars - 1);
        for (std::size_t c = 0; c < nameLength; ++c)
            row[iftable::Name + 2 * c] = static_cast<std::uint8_t>(r.description[c]);
        put32(row + iftable::Index, static_cast<std::uint32_t>(i + 1));
        put32(row + iftable::Type, r.type);
        put32(row + iftable::AdminStatus, kAdminStatusUp);
        put32(row + iftable::OperStatus, kOperStatusOperational);
        put32(row + iftable::InOctets, static_cast<std::uint32_t>(r.inOctets));
        put32(row + iftable::InUcastPkts, static_cast<std::uint32_t>(r.inUcast));
        put32(row + iftable::InNUcastPkts, static_cast<std::uint32_t>(r.inNUcast));
        put32(row + iftable::InDiscards, static_cast<std::uint32_t>(r.inDiscards));
        put32(row + iftable::InErrors, static_cast<std::uint32_t>(r.inErrors));
        put32(row + iftable::OutOctets, static_cast<std::uint32_t>(r.outOctets));
        put32(row + iftable::OutUcastPkts, static_cast<std::uint32_t>(r.outUcast));
        put32(row + iftable::OutDiscards, static_cast<std::uint32_t>(r.outDiscards));
        put32(row + iftable::OutErrors, static_cast<std::uint32_t>(r.outErrors));
        // The description with its NUL, as Windows XP counts it.
        const std::size_t descr = std::min<std::size_t>(r.description.size(), iftable::DescrMax - 1);
        std::memcpy(row + iftable::Descr, r.description.data(), descr);
        put32(row + iftable::DescrLen, static_cast<std::uint32_t>(descr + 1));
    }
    interfaceScript_.handedOver();
    *size = static_cast<std::uint32_t>(needed);
    return win32error::Success;
}

}  // namespace hastelyn::sandbox
