// The meters' figures of the sandbox: this computer's processors, interfaces and memory, laid out
// as Windows lays them out, and the text of the /proc files they come from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/Win32Types.h"
#include "platform/sandbox/HostFigures.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/conformance/PerformanceDataWalk.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

using platform::KeyAccess;
using platform::KeyHandle;
using platform::RootKey;
namespace err = platform::win32error;

std::string procFile(const char* path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Lines of /proc/stat naming one processor ("cpu0 ..."), counted here on their own.
std::size_t processorLines() {
    std::istringstream lines(procFile("/proc/stat"));
    std::size_t n = 0;
    for (std::string line; std::getline(lines, line);)
        n += line.size() > 3 && line.starts_with("cpu") && line[3] >= '0' && line[3] <= '9';
    return n;
}

// The idle and iowait time of processor 0 in 100-ns units, read here on its own.
std::uint64_t idleOfFirstProcessor() {
    std::istringstream lines(procFile("/proc/stat"));
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("cpu0 ")) continue;
        std::istringstream fields(line.substr(5));
        std::uint64_t user, nice, system, idle, iowait;
        fields >> user >> nice >> system >> idle >> iowait;
        return (idle + iowait) * 10'000'000 / static_cast<std::uint64_t>(::sysconf(_SC_CLK_TCK));
    }
    return 0;
}

// FILETIME of a SYSTEMTIME, by counting days from 1601 the long way.
std::uint64_t fileTimeOf(const std::uint16_t (&t)[8]) {
    const auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::uint64_t days = 0;
    for (int y = 1601; y < t[0]; ++y) days += leap(y) ? 366 : 365;
    for (int m = 1; m < t[1]; ++m) days += monthDays[m - 1] + (m == 2 && leap(t[0]) ? 1 : 0);
    days += t[3] - 1;
    const std::uint64_t ms = ((days * 24 + t[4]) * 60 + t[5]) * 60'000 + t[6] * 1000ull + t[7];
    return ms * 10'000;
}

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}

struct Machine {
    explicit Machine(const testing::MiniMachine& m) : sandbox((m.writeTo(temp.path()), temp.path())) {}
    platform::Platform& p() { return sandbox.platform(); }
    testing::TempFolder temp;
    SandboxPlatform sandbox;
};

std::string valueOf(platform::Registry& reg, KeyHandle key, std::string_view name, std::uint32_t* type = nullptr) {
    std::uint32_t size = 0;
    if (reg.queryValue(key, name, type, nullptr, &size) != err::Success) return "(none)";
    std::string data(size, '\0');
    if (reg.queryValue(key, name, type, reinterpret_cast<std::uint8_t*>(data.data()), &size) != err::Success)
        return "(failed)";
    return data;
}

TEST(SandboxMeters, PerformanceDataIsThisComputersProcessorsAtEachQuery) {
    Machine m{testing::MiniMachine{}.hive(
        RootKey::LocalMachine,
        {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName]",
         "\"ComputerName\"=\"YAMADA-PC\""})};
    platform::Registry& reg = m.p().registry;
    KeyHandle perf;
    ASSERT_EQ(reg.openKey(RootKey::PerformanceData, "", KeyAccess::Query, perf), err::Success);

    std::string data;
    ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "238", data, nullptr, 2), err::Success)
        << "a buffer of 4096 bytes takes the block of a small machine";
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const conformance::PerformanceBlock first = conformance::walkPerformanceData(data);
    EXPECT_EQ(first.totalLength, data.size());
    ASSERT_TRUE(first.hasProcessor);

    // One instance per processor, "0", "1", ..., and the total, their average, last.
    const std::size_t cpus = processorLines();
    const auto& instances = first.processor.instances;
    ASSERT_EQ(instances.size(), cpus + 1);
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < cpus; ++i) {
        const std::string digits = std::to_string(i);
        EXPECT_EQ(instances[i].first, std::u16string(digits.begin(), digits.end()));
        sum += instances[i].second;
    }
    EXPECT_EQ(instances.back().first, u"_Total");
    EXPECT_EQ(instances.back().second, sum / cpus);
    EXPECT_NEAR(static_cast<double>(instances[0].second), static_cast<double>(idleOfFirstProcessor()), 1e7)
        << "counter 6 is the idle time, within a second";

    // The sample's time: PerfTime100nSec is the FILETIME of now, SystemTime the same instant.
    const std::uint64_t expected =
        static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) * 10 +
        116'444'736'000'000'000ull;
    EXPECT_NEAR(static_cast<double>(first.time100ns), static_cast<double>(expected), 5e7) << "within 5 s";
    EXPECT_LE(first.time100ns - fileTimeOf(first.systemTime), 10'000u) << "SystemTime is the same instant, to the ms";
    std::string name;
    for (const char c : std::string_view("YAMADA-PC")) name += {c, '\0'};
    EXPECT_EQ(data.substr(88, 20), name + std::string(2, '\0')) << "the computer's name after the header";

    // A later sample: later time, no processor's idle time less than before.
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "238", data), err::Success);
    const conformance::PerformanceBlock second = conformance::walkPerformanceData(data);
    EXPECT_GE(second.time100ns - first.time100ns, 150'000u);
    for (std::size_t i = 0; i < instances.size(); ++i)
        EXPECT_GE(second.processor.instances[i].second, instances[i].second) << i;

    // Other names: "Global" holds the object, other objects come as a block without any; the
    // key has no subkeys and takes no writes.
    ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "Global", data), err::Success);
    EXPECT_TRUE(conformance::walkPerformanceData(data).hasProcessor);
    ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "2 4", data), err::Success);
    EXPECT_EQ(conformance::walkPerformanceData(data).objectCount, 0u);
    KeyHandle sub;
    EXPECT_EQ(reg.openKey(RootKey::PerformanceData, "238", KeyAccess::Query, sub), err::FileNotFound);
    const std::uint8_t one = 1;
    EXPECT_EQ(reg.setValue(perf, "238", platform::regtype::Binary, &one, 1), err::AccessDenied);
    EXPECT_EQ(reg.closeKey(perf), err::Success);
    EXPECT_EQ(m.sandbox.liveRegistry().liveKeyCount(), 0u);
}

TEST(SandboxMeters, The95FamilyCpuUsageRunsFromStartStatToStopStat) {
    testing::MiniMachine desc;
    desc.edition("98").hive(RootKey::DynData, {"[HKEY_DYN_DATA\\PerfStats\\StatData]",
                                               "\"KERNEL\\\\CPUUsage\"=hex:07,00,00,00",
                                               "\"KERNEL\\\\Threads\"=hex:3c,00,00,00"});
    Machine m{desc};
    platform::Registry& reg = m.p().registry;
    KeyHandle start, data, stop;
    ASSERT_EQ(reg.openKey(RootKey::DynData, "\\PerfStats\\StartStat\\", KeyAccess::Full, start), err::Success)
        << "served though the hive lacks it";
    ASSERT_EQ(reg.openKey(RootKey::DynData, "PerfStats\\StatData", KeyAccess::Full, data), err::Success);
    ASSERT_EQ(reg.openKey(RootKey::DynData, "perfstats\\stopstat", KeyAccess::Query, stop), err::Success);

    // Until started, the hive's figure.
    EXPECT_EQ(valueOf(reg, data, "KERNEL\\CPUUsage"), std::string("\x07\0\0\0", 4));
    std::uint32_t type = 0;
    EXPECT_EQ(valueOf(reg, start, "", &type), std::string(1, '\0'));
    EXPECT_EQ(type, platform::regtype::Sz);

    // Started: a live percentage.
    const auto spinUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
    while (std::chrono::steady_clock::now() < spinUntil) {
    }
    const std::string usage = valueOf(reg, data, "kernel\\cpuusage", &type);
    ASSERT_EQ(usage.size(), 4u);
    EXPECT_EQ(type, platform::regtype::Binary);
    EXPECT_LE(u32At(usage, 0), 100u);
    EXPECT_EQ(valueOf(reg, data, "KERNEL\\Threads"), std::string("\x3c\0\0\0", 4)) << "other figures from the hive";

    EXPECT_EQ(valueOf(reg, stop, ""), std::string(1, '\0'));
    EXPECT_EQ(valueOf(reg, data, "KERNEL\\CPUUsage"), std::string("\x07\0\0\0", 4));
    for (const KeyHandle k : {start, data, stop}) EXPECT_EQ(reg.closeKey(k), err::Success);
    EXPECT_EQ(m.sandbox.liveRegistry().liveKeyCount(), 0u);
    EXPECT_EQ(m.sandbox.registry().openKeyCount(), 0u);

    // Neither family has the other's keys.
    KeyHandle perf;
    ASSERT_EQ(reg.openKey(RootKey::PerformanceData, "", KeyAccess::Query, perf), err::Success);
    std::string block;
    EXPECT_EQ(conformance::queryPerformanceData(reg, perf, "238", block), err::FileNotFound);
    reg.closeKey(perf);
    Machine xp{testing::MiniMachine{}};
    EXPECT_EQ(xp.p().registry.openKey(RootKey::DynData, "PerfStats\\StatData", KeyAccess::Query, data),
              err::FileNotFound);
}

TEST(SandboxMeters, InterfaceTableHasARowPerInterfaceOfProcNetDev) {
    Machine m{testing::MiniMachine{}};
    platform::Meters& meters = m.p().meters;
    platform::ModuleHandle library, again;
    ASSERT_EQ(meters.loadLibrary("iphlpapi", library), err::Success);
    ASSERT_EQ(meters.loadLibrary("C:\\WINDOWS\\system32\\IPHLPAPI.DLL", again), err::Success);
    EXPECT_EQ(again.value, library.value) << "one module, loaded twice";
    platform::ProcHandle function, lower;
    ASSERT_EQ(meters.getProcAddress(library, "GetIfTable", function), err::Success);
    EXPECT_EQ(meters.getProcAddress(library, "getiftable", lower), err::ProcNotFound) << "names are case-sensitive";

    std::uint32_t size = 0;
    ASSERT_EQ(meters.getIfTable(function, nullptr, &size, false), err::InsufficientBuffer);
    std::string table(size, '\0');
    ASSERT_EQ(meters.getIfTable(function, reinterpret_cast<std::uint8_t*>(table.data()), &size, false), err::Success);
    const std::vector<NetDevice> devices = parseNetDev(procFile("/proc/net/dev"));
    ASSERT_EQ(u32At(table, 0), devices.size());
    ASSERT_EQ(table.size(), 4 + 860 * devices.size());
    bool loopback = false;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const std::size_t row = 4 + 860 * i;
        const std::string& name = devices[i].name;
        EXPECT_EQ(u32At(table, row + 512), i + 1) << name;
        EXPECT_EQ(u32At(table, row + 516), name == "lo" ? 24u : 6u) << name;
        EXPECT_EQ(u32At(table, row + 600), name.size() + 1) << "the description with its NUL";
        EXPECT_EQ(table.substr(row + 604, name.size() + 1), name + '\0');
        EXPECT_EQ(table[row], name[0]) << "the name in UTF-16";
        EXPECT_EQ(table[row + 1], '\0');
        loopback = loopback || name == "lo";
    }
    EXPECT_TRUE(loopback);

    // Two loads, two frees; then the module is gone and its function is not called.
    EXPECT_EQ(meters.freeLibrary(library), err::Success);
    EXPECT_EQ(meters.getIfTable(function, nullptr, &size, false), err::InsufficientBuffer) << "still loaded once";
    EXPECT_EQ(meters.freeLibrary(library), err::Success);
    EXPECT_EQ(meters.freeLibrary(library), err::ModNotFound);
    EXPECT_EQ(meters.getIfTable(function, nullptr, &size, false), err::InvalidParameter);
    EXPECT_EQ(meters.getProcAddress(library, "GetIfTable", function), err::ModNotFound);

    // Windows 95 has no IP Helper; machine.ini can take the library or its function away.
    Machine win95{testing::MiniMachine{}.edition("95")};
    EXPECT_EQ(win95.p().meters.loadLibrary("IPHLPAPI.DLL", library), err::ModNotFound);
    testing::MiniMachine lacking;
    lacking.extraIni = "[Libraries]\nMissing=ws2_32.dll, IPHLPAPI.DLL!GetIfTable\n";
    Machine withoutFunction{lacking};
    ASSERT_EQ(withoutFunction.p().meters.loadLibrary("IPHLPAPI.DLL", library), err::Success);
    EXPECT_EQ(withoutFunction.p().meters.getProcAddress(library, "GetIfTable", function), err::ProcNotFound);
}

TEST(SandboxMeters, MemoryStatusIsThisComputersAsA32BitProgramSeesIt) {
    Machine m{testing::MiniMachine{}};
    const platform::MemoryStatus s = m.p().meters.globalMemoryStatus();
    const std::optional<HostMemory> host = parseMemInfo(procFile("/proc/meminfo"));
    ASSERT_TRUE(host);
    const std::uint32_t total = host->total > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(host->total);
    EXPECT_EQ(s.totalPhys, total) << "clamped to 4 GiB - 1";
    EXPECT_LE(s.availPhys, s.totalPhys);
    EXPECT_LE(s.availPageFile, s.totalPageFile);
    EXPECT_GE(s.totalPageFile, s.totalPhys);
    EXPECT_LE(s.memoryLoad, 100u);
    EXPECT_EQ(s.totalVirtual, 0x7FFE0000u);
    EXPECT_LE(s.availVirtual, s.totalVirtual);
}

TEST(SandboxMeters, ProcFilesParseAsTheKernelWritesThem) {
    // A long counter runs into the name; heading lines and blank lines are no interfaces.
    const std::vector<NetDevice> devices = parseNetDev(
        "Inter-|   Receive                                                |  Transmit\n"
        " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs drop fifo colls "
        "carrier compressed\n"
        "    lo:   10614     126    0    0    0     0          0         0    10614     126    0    0    0     0       "
        "0          0\n"
        "  eth0:4294967396 5994 1 2 0 0 0 7 231899 3206 3 4 0 0 0 0\n"
        "\n");
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[1].name, "eth0");
    EXPECT_EQ(devices[1].receivedBytes, 4294967396u);
    EXPECT_EQ(devices[1].receivedPackets, 5994u);
    EXPECT_EQ(devices[1].receivedMulticast, 7u);
    EXPECT_EQ(devices[1].sentBytes, 231899u);
    EXPECT_EQ(devices[1].sentDropped, 4u);

    // Ticks of 1/100 s become 100-ns units; iowait counts as idle; the lines after the
    // processors are not read.
    const std::optional<ProcessorTimes> times = parseProcStat(
        "cpu  10 1 5 100 3 1 1 2 4 0\ncpu0 4 1 2 50 1 0 1 0 0 0\ncpu1 6 0 3 50 2 1 0 2 4 0\nintr 1 2 3\ncpu9 1 1 1 1\n",
        100);
    ASSERT_TRUE(times);
    ASSERT_EQ(times->each.size(), 2u);
    EXPECT_EQ(times->all.idle, 103u * 100'000);
    EXPECT_EQ(times->all.user, 11u * 100'000);
    EXPECT_EQ(times->all.system, 7u * 100'000);
    EXPECT_EQ(times->each[1].idle, 52u * 100'000);
    EXPECT_FALSE(parseProcStat("intr 1 2 3\n", 100));

    // Without MemAvailable (kernels before 3.14): free, buffers and cache.
    const std::optional<HostMemory> memory =
        parseMemInfo("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 20 kB\nCached: 300 kB\nSwapTotal: 50 kB\n");
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->total, 1'024'000u);
    EXPECT_EQ(memory->available, 420u * 1024);
    EXPECT_EQ(memory->swapTotal, 50u * 1024);
    EXPECT_FALSE(parseMemInfo("MemFree: 100 kB\n"));

    // Dates: the FILETIME epoch (a Monday), the Unix one (a Thursday), a leap day.
    SystemTime t = systemTimeOf(0);
    EXPECT_EQ((std::array{t.year, t.month, t.day, t.dayOfWeek}), (std::array<std::uint16_t, 4>{1601, 1, 1, 1}));
    t = systemTimeOf(116'444'736'000'000'000ull);
    EXPECT_EQ((std::array{t.year, t.month, t.day, t.dayOfWeek}), (std::array<std::uint16_t, 4>{1970, 1, 1, 4}));
    const std::uint16_t leapDay[8] = {2000, 2, 2, 29, 23, 59, 58, 999};
    t = systemTimeOf(fileTimeOf(leapDay) + 9'999);
    EXPECT_EQ((std::array{t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds}),
              (std::array<std::uint16_t, 8>{2000, 2, 2, 29, 23, 59, 58, 999}));
}

}  // namespace
}  // namespace hastelyn::sandbox
