#pragma once
// The figures of this computer that the sandbox's meters show: processor times from
// /proc/stat, memory from /proc/meminfo and /proc/self/statm, network counters from
// /proc/net/dev, and the clock as Windows gives it. Each parse function takes the file's text,
// so that odd contents can be tried without the file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hastelyn::sandbox {

// One "cpu" line of /proc/stat, in 100-nanosecond units.
struct CpuTimes {
    std::uint64_t user = 0;    // user and nice
    std::uint64_t system = 0;  // system, irq and softirq
    std::uint64_t idle = 0;    // idle and iowait
    std::uint64_t other = 0;   // steal
    std::uint64_t total() const { return user + system + idle + other; }
};

struct ProcessorTimes {
    CpuTimes all;                // the "cpu" line
    std::vector<CpuTimes> each;  // "cpu0", "cpu1", ... in their order
};

// ticksPerSecond: the unit of /proc/stat (USER_HZ). Nothing when the text has no "cpu" line.
std::optional<ProcessorTimes> parseProcStat(std::string_view text, std::uint64_t ticksPerSecond);

// What /proc/meminfo says, in bytes.
struct HostMemory {
    std::uint64_t total = 0;
    std::uint64_t available = 0;
    std::uint64_t swapTotal = 0;
    std::uint64_t swapFree = 0;
};

// Nothing without MemTotal. MemAvailable missing (old kernels): MemFree + Buffers + Cached.
std::optional<HostMemory> parseMemInfo(std::string_view text);

// One interface of /proc/net/dev, counters as the kernel keeps them (64-bit).
struct NetDevice {
    std::string name;
    std::uint64_t receivedBytes = 0;
    std::uint64_t receivedPackets = 0;
    std::uint64_t receivedErrors = 0;
    std::uint64_t receivedDropped = 0;
    std::uint64_t receivedMulticast = 0;
    std::uint64_t sentBytes = 0;
    std::uint64_t sentPackets = 0;
    std::uint64_t sentErrors = 0;
    std::uint64_t sentDropped = 0;
};

// The interfaces in the file's order; the two heading lines and lines without "name:" are
// passed over.
std::vector<NetDevice> parseNetDev(std::string_view text);

// The readings themselves, each fresh from its file.
std::optional<ProcessorTimes> readProcessorTimes();
std::optional<HostMemory> readHostMemory();
std::optional<std::vector<NetDevice>> readNetDevices();
// The size of this process's address space (VmSize), in bytes; 0 when unknown.
std::uint64_t ownAddressSpace();

// The time now as a Windows FILETIME: 100-nanosecond units since 1601-01-01 UTC.
std::uint64_t fileTimeNow();

// SYSTEMTIME of a FILETIME (UTC), to the millisecond.
struct SystemTime {
    std::uint16_t year = 1601;
    std::uint16_t month = 1;
    std::uint16_t dayOfWeek = 1;  // 0 Sunday
    std::uint16_t day = 1;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};
SystemTime systemTimeOf(std::uint64_t fileTime);

// The monotonic clock in 100-nanosecond units (QueryPerformanceCounter at 10 MHz).
std::uint64_t monotonic100ns();

}  // namespace hastelyn::sandbox
