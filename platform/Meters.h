#pragma once
// What the meters of the compact window ask of Windows besides the registry and the drives:
// GlobalMemoryStatus, and the IP Helper library, loaded at run time (Windows 95 has none), for
// its interface table. The processor figures come through the registry: the performance data
// of HKEY_PERFORMANCE_DATA on the NT family, HKEY_DYN_DATA\PerfStats on the 95 family (the
// layout of the first is below). The drive figures are FileSystem::getDiskFreeSpace.
#include <cstdint>
#include <string_view>

namespace hastelyn::platform {

// MEMORYSTATUS as GlobalMemoryStatus fills it for a 32-bit program: a byte count that does not
// fit 32 bits reads 0xFFFFFFFF (4 GiB - 1).
struct MemoryStatus {
    std::uint32_t memoryLoad = 0;  // percent of the physical memory in use, 0 to 100
    std::uint32_t totalPhys = 0;
    std::uint32_t availPhys = 0;
    std::uint32_t totalPageFile = 0;  // what may be committed: memory and paging files together
    std::uint32_t availPageFile = 0;
    std::uint32_t totalVirtual = 0;  // the user part of the program's address space
    std::uint32_t availVirtual = 0;
};

// A loaded library (HMODULE). Zero is none.
struct ModuleHandle {
    std::uint64_t value = 0;
    explicit operator bool() const { return value != 0; }
};

// A function of a loaded library, as GetProcAddress finds it. Zero is none.
struct ProcHandle {
    std::uint64_t value = 0;
    explicit operator bool() const { return value != 0; }
};

// MIB_IFTABLE as GetIfTable fills it: a 4-byte row count, then the rows (MIB_IFROW), each
// RowSize bytes; offsets are within a row. Numbers are little-endian.
namespace iftable {
constexpr std::uint32_t RowsOffset = 4;
constexpr std::uint32_t RowSize = 860;
constexpr std::uint32_t Name = 0;  // WCHAR[256]
constexpr std::uint32_t Index = 512;
constexpr std::uint32_t Type = 516;
constexpr std::uint32_t Mtu = 520;
constexpr std::uint32_t Speed = 524;
constexpr std::uint32_t PhysAddrLen = 528;
constexpr std::uint32_t PhysAddr = 532;  // BYTE[8]
constexpr std::uint32_t AdminStatus = 540;
constexpr std::uint32_t OperStatus = 544;
constexpr std::uint32_t LastChange = 548;
constexpr std::uint32_t InOctets = 552;
constexpr std::uint32_t InUcastPkts = 556;
constexpr std::uint32_t InNUcastPkts = 560;
constexpr std::uint32_t InDiscards = 564;
constexpr std::uint32_t InErrors = 568;
constexpr std::uint32_t InUnknownProtos = 572;
constexpr std::uint32_t OutOctets = 576;
constexpr std::uint32_t OutUcastPkts = 580;
constexpr std::uint32_t OutNUcastPkts = 584;
constexpr std::uint32_t OutDiscards = 588;
constexpr std::uint32_t OutErrors = 592;
constexpr std::uint32_t OutQLen = 596;
constexpr std::uint32_t DescrLen = 600;
constexpr std::uint32_t Descr = 604;  // BYTE[256]
constexpr std::uint32_t DescrMax = 256;
constexpr std::uint32_t NameChars = 256;

// Interface types (MIB_IF_TYPE_*).
constexpr std::uint32_t TypeEthernet = 6;
constexpr std::uint32_t TypeLoopback = 24;
}  // namespace iftable

// The performance data block that RegQueryValueEx gives for HKEY_PERFORMANCE_DATA (winperf.h):
// PERF_DATA_BLOCK, then each PERF_OBJECT_TYPE with its PERF_COUNTER_DEFINITIONs and, per
// instance, a PERF_INSTANCE_DEFINITION (its UTF-16 name after it) followed by the instance's
// PERF_COUNTER_BLOCK. Offsets are within each structure; numbers are little-endian.
namespace perfdata {
// The "Processor" object and its "% Processor Time" counter: a 64-bit count of the processor's
// idle time in 100-nanosecond units (PERF_100NSEC_TIMER_INV). Its last instance is "_Total".
constexpr std::uint32_t ProcessorObject = 238;
constexpr std::uint32_t ProcessorTimeCounter = 6;
constexpr std::uint32_t Timer100nsInverse = 0x21510500;
constexpr std::uint32_t Timer100ns = 0x20510500;  // PERF_100NSEC_TIMER

namespace block {  // PERF_DATA_BLOCK
constexpr std::uint32_t Signature = 0;  // L"PERF"
constexpr std::uint32_t LittleEndian = 8;
constexpr std::uint32_t Version = 12;
constexpr std::uint32_t Revision = 16;
constexpr std::uint32_t TotalByteLength = 20;
constexpr std::uint32_t HeaderLength = 24;
constexpr std::uint32_t NumObjectTypes = 28;
constexpr std::uint32_t DefaultObject = 32;
constexpr std::uint32_t SystemTime = 36;  // SYSTEMTIME (UTC), eight 16-bit fields
constexpr std::uint32_t PerfTime = 56;
constexpr std::uint32_t PerfFreq = 64;
constexpr std::uint32_t PerfTime100nSec = 72;  // the system time as a FILETIME
constexpr std::uint32_t SystemNameLength = 80;
constexpr std::uint32_t SystemNameOffset = 84;
constexpr std::uint32_t Size = 88;
}  // namespace block

namespace object {  // PERF_OBJECT_TYPE
constexpr std::uint32_t TotalByteLength = 0;
constexpr std::uint32_t DefinitionLength = 4;
constexpr std::uint32_t HeaderLength = 8;
constexpr std::uint32_t NameTitleIndex = 12;
constexpr std::uint32_t HelpTitleIndex = 20;
constexpr std::uint32_t DetailLevel = 28;
constexpr std::uint32_t NumCounters = 32;
constexpr std::uint32_t DefaultCounter = 36;
constexpr std::uint32_t NumInstances = 40;
constexpr std::uint32_t CodePage = 44;
constexpr std::uint32_t PerfTime = 48;
constexpr std::uint32_t PerfFreq = 56;
constexpr std::uint32_t Size = 64;
}  // namespace object

namespace counter {  // PERF_COUNTER_DEFINITION
constexpr std::uint32_t ByteLength = 0;
constexpr std::uint32_t NameTitleIndex = 4;
constexpr std::uint32_t HelpTitleIndex = 12;
constexpr std::uint32_t DefaultScale = 20;
constexpr std::uint32_t DetailLevel = 24;
constexpr std::uint32_t CounterType = 28;
constexpr std::uint32_t CounterSize = 32;
constexpr std::uint32_t CounterOffset = 36;  // within the counter block
constexpr std::uint32_t Size = 40;
}  // namespace counter

namespace instance {  // PERF_INSTANCE_DEFINITION
constexpr std::uint32_t ByteLength = 0;
constexpr std::uint32_t ParentObjectTitleIndex = 4;
constexpr std::uint32_t ParentObjectInstance = 8;
constexpr std::uint32_t UniqueId = 12;
constexpr std::uint32_t NameOffset = 16;
constexpr std::uint32_t NameLength = 20;  // bytes, the terminating NUL included
constexpr std::uint32_t Size = 24;
}  // namespace instance

// PERF_COUNTER_BLOCK: its ByteLength (4 bytes) opens it.
}  // namespace perfdata

class Meters {
public:
    virtual ~Meters() = default;

    // GlobalMemoryStatus.
    virtual MemoryStatus globalMemoryStatus() = 0;

    // LoadLibraryA: Success with the module, or the error (ModNotFound when there is no such
    // library) with a zero handle. Each successful load wants its freeLibrary.
    virtual long loadLibrary(std::string_view fileName, ModuleHandle& out) = 0;
    // GetProcAddress by name (case-sensitive): Success with the function, or the error with a
    // zero handle (ProcNotFound when the library lacks it).
    virtual long getProcAddress(ModuleHandle module, std::string_view name, ProcHandle& out) = 0;
    // FreeLibrary of a module loadLibrary gave: Success, or the error.
    virtual long freeLibrary(ModuleHandle module) = 0;

    // Calls GetIfTable through function, which getProcAddress found under the name
    // "GetIfTable" in a library loaded now; anything else gives InvalidParameter instead of a
    // call. table may be null; *size holds the buffer's size and receives the size the table
    // needs (4 + rows x 860). Success with the table, InsufficientBuffer when the buffer is
    // missing or too small, or the Windows error. order: sorted by interface index.
    virtual long getIfTable(ProcHandle function, std::uint8_t* table, std::uint32_t* size, bool order) = 0;
};

}  // namespace hastelyn::platform
