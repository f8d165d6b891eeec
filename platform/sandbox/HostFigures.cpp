#include "platform/sandbox/HostFigures.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace hastelyn::sandbox {
namespace {

constexpr std::uint64_t kUnitsPerSecond = 10'000'000;  // 100-nanosecond units
// From 1601-01-01 (FILETIME) to 1970-01-01 (the Unix epoch).
constexpr std::uint64_t kEpochDifferenceSeconds = 11'644'473'600;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The next decimal number of text from pos on, blanks before it passed over; nothing when the
// line ends first.
std::optional<std::uint64_t> nextNumber(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return std::nullopt;
    std::uint64_t value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') value = value * 10 + (text[pos++] - '0');
    return value;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Calls take(line) for each line of text until it returns false.
template <typename Take>
void forEachLine(std::string_view text, Take take) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (!take(text.substr(0, end))) return;
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

// The whole of a file that stat() cannot size (/proc), read into buffer; false when it cannot
// be read.
bool readProcFile(const char* path, std::string& buffer) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    if (buffer.capacity() < 4096) buffer.reserve(4096);
    buffer.resize(buffer.capacity());
    std::size_t used = 0;
    bool ok = true;
    for (;;) {
        if (used == buffer.size()) buffer.resize(buffer.size() * 2);
        const ssize_t n = ::read(fd, buffer.data() + used, buffer.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    buffer.resize(used);
    return ok;
}

std::optional<std::uint64_t> readFirstNumber(const char* path) {
    thread_local std::string buffer;
    if (!readProcFile(path, buffer)) return std::nullopt;
    std::size_t pos = 0;
    return nextNumber(buffer, pos);
}

}  // namespace

std::optional<ProcessorTimes> parseProcStat(std::string_view text, std::uint64_t ticksPerSecond) {
    if (ticksPerSecond == 0) return std::nullopt;
    ProcessorTimes times;
    bool sawAll = false;
    forEachLine(text, [&](std::string_view line) {
        if (!line.starts_with("cpu")) return !sawAll;  // the cpu lines come first; the rest is long
        std::size_t pos = 3;
        const bool all = pos < line.size() && isBlank(line[pos]);
        if (!all) {
            while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') ++pos;
            if (pos == 3) return true;
        }
        // user nice system idle iowait irq softirq steal (guest time is inside user already)
        std::uint64_t field[8] = {};
        for (std::uint64_t& f : field) f = nextNumber(line, pos).value_or(0);
        const auto units = [&](std::uint64_t ticks) { return ticks * kUnitsPerSecond / ticksPerSecond; };
        CpuTimes cpu;
        cpu.user = units(field[0] + field[1]);
        cpu.system = units(field[2] + field[5] + field[6]);
        cpu.idle = units(field[3] + field[4]);
        cpu.other = units(field[7]);
        if (all) {
            times.all = cpu;
            sawAll = true;
        } else {
            times.each.push_back(cpu);
        }
        return true;
    });
    if (!sawAll) return std::nullopt;
    return times;
}

std::optional<HostMemory> parseMemInfo(std::string_view text) {
    HostMemory memory;
    std::optional<std::uint64_t> total, available, free, buffers, cached;
    forEachLine(text, [&](std::string_view line) {
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) return true;
        const std::string_view key = line.substr(0, colon);
        std::size_t pos = colon + 1;
        const std::optional<std::uint64_t> kib = nextNumber(line, pos);
        if (!kib) return true;
        const std::uint64_t bytes = *kib * 1024;
        if (key == "MemTotal") total = bytes;
        else if (key == "MemAvailable") available = bytes;
        else if (key == "MemFree") free = bytes;
        else if (key == "Buffers") buffers = bytes;
        else if (key == "Cached") cached = bytes;
        else if (key == "SwapTotal") memory.swapTotal = bytes;
        else if (key == "SwapFree") memory.swapFree = bytes;
        return true;
    });
    if (!total) return std::nullopt;
    memory.total = *total;
    memory.available = available ? *available : free.value_or(0) + buffers.value_or(0) + cached.value_or(0);
    if (memory.available > memory.total) memory.available = memory.total;
    if (memory.swapFree > memory.swapTotal) memory.swapFree = memory.swapTotal;
    return memory;
}

std::vector<NetDevice> parseNetDev(std::string_view text) {
    std::vector<NetDevice> devices;
    forEachLine(text, [&](std::string_view line) {
        // "  eth0: 1234 ..." or, with a long first number, "  eth0:313018914 ..."
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) return true;
        const std::string_view name = trimmed(line.substr(0, colon));
        if (name.empty() || name.find('|') != std::string_view::npos) return true;
        std::uint64_t field[16] = {};
        std::size_t pos = colon + 1;
        for (std::uint64_t& f : field) {
            const std::optional<std::uint64_t> n = nextNumber(line, pos);
            if (!n) return true;  // not a device line
            f = *n;
        }
        NetDevice d;
        d.name = std::string(name);
        d.receivedBytes = field[0];
        d.receivedPackets = field[1];
        d.receivedErrors = field[2];
        d.receivedDropped = field[3];
        d.receivedMulticast = field[7];
        d.sentBytes = field[8];
        d.sentPackets = field[9];
        d.sentErrors = field[10];
        d.sentDropped = field[11];
        devices.push_back(std::move(d));
        return true;
    });
    return devices;
}

std::optional<ProcessorTimes> readProcessorTimes() {
    thread_local std::string buffer;
    static const long ticks = ::sysconf(_SC_CLK_TCK);
    if (ticks <= 0 || !readProcFile("/proc/stat", buffer)) return std::nullopt;
    return parseProcStat(buffer, static_cast<std::uint64_t>(ticks));
}

std::optional<HostMemory> readHostMemory() {
    thread_local std::string buffer;
    if (!readProcFile("/proc/meminfo", buffer)) return std::nullopt;
    return parseMemInfo(buffer);
}

std::optional<std::vector<NetDevice>> readNetDevices() {
    thread_local std::string buffer;
    if (!readProcFile("/proc/net/dev", buffer)) return std::nullopt;
    return parseNetDev(buffer);
}

std::uint64_t ownAddressSpace() {
    static const long pageSize = ::sysconf(_SC_PAGESIZE);
    const std::optional<std::uint64_t> pages = readFirstNumber("/proc/self/statm");
    return pages && pageSize > 0 ? *pages * static_cast<std::uint64_t>(pageSize) : 0;
}

std::uint64_t fileTimeNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return (static_cast<std::uint64_t>(now.tv_sec) + kEpochDifferenceSeconds) * kUnitsPerSecond +
           static_cast<std::uint64_t>(now.tv_nsec) / 100;
}

std::uint64_t monotonic100ns() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * kUnitsPerSecond + static_cast<std::uint64_t>(now.tv_nsec) / 100;
}

SystemTime systemTimeOf(std::uint64_t fileTime) {
    constexpr std::uint64_t kUnitsPerDay = kUnitsPerSecond * 86400;
    const std::uint64_t days = fileTime / kUnitsPerDay;
    const std::uint64_t inDay = fileTime % kUnitsPerDay;
    SystemTime t;
    t.dayOfWeek = static_cast<std::uint16_t>((days + 1) % 7);  // 1601-01-01 was a Monday
    // The civil date of a day count (proleptic Gregorian), counted from 0000-03-01.
    const std::int64_t z = static_cast<std::int64_t>(days) + 584694;  // days from 0000-03-01 to 1601-01-01
    const std::int64_t era = z / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const std::uint64_t ms = inDay / 10000;
    t.hour = static_cast<std::uint16_t>(ms / 3'600'000);
    t.minute = static_cast<std::uint16_t>(ms / 60'000 % 60);
    t.second = static_cast<std::uint16_t>(ms / 1000 % 60);
    t.milliseconds = static_cast<std::uint16_t>(ms % 1000);
    return t;
}

}  // namespace hastelyn::sandbox
