// The meters' figures of the sandbox: this computer's processors, interfaces and memory, laid out
// as Windows lays them out, and the text of the /proc files they come from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "platform/Win32Types.h"
#include "platform/sandbox/HostFigures.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/conformance/PerformanceDataWalk.h"
#include "tests/support/RegistryCalls.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::sandbox {
namespace {

using platform::KeyAccess;
using platform::KeyHandle;
using platform::RootKey;
namespace err = platform::win32error;
using testing::query;
using testing::RegValue;
using testing::u32At;

TEST(SandboxMeters, PerformanceDataIsThisComputersProcessorsAtEachQuery) {
    testing::SandboxFixture m{testing::MiniMachine{}.hive(
        RootKey::LocalMachine,
        {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName]",
         "\"ComputerName\"=\"YAMADA-PC\""})};
    platform::Registry& reg = m.platform().registry;
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
    const std::optional<ProcessorTimes> times =
        parseProcStat(testing::fileText("/proc/stat"), static_cast<std::uint64_t>(::sysconf(_SC_CLK_TCK)));
    ASSERT_TRUE(times);
    const std::size_t cpus = times->each.size();
    const auto& instances = first.processor.instances;
    ASSERT_EQ(instances.size(), cpus + 1);
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < cpus; ++i) {
        const std::string digits = std::to_string(i);
        EXPECT_EQ(instances[i].first, std::u16string(digits.begin(), digits.end()));
        sum += instances[i].second;
    }
    EXPECT_EQ(instances.back().second, sum / cpus);
    EXPECT_NEAR(static_cast<double>(instances[0].second), static_cast<double>(times->each[0].idle), 1e7)
        << "counter 6 is the idle time, within a second";

    // The sample's time: PerfTime100nSec is the FILETIME of now, SystemTime the same instant.
    const std::uint64_t expected =
        static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) * 10 +
        116'444'736'000'000'000ull;
    EXPECT_NEAR(static_cast<double>(first.time100ns), static_cast<double>(expected), 5e7) << "within 5 s";
    const SystemTime t = systemTimeOf(first.time100ns);
    EXPECT_EQ((std::array{t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds}),
              std::to_array(first.systemTime))
        << "SystemTime is the same instant, to the ms";
    std::string name;
    for (const char c : std::string_view("YAMADA-PC")) name += {c, '\0'};
    EXPECT_EQ(data.substr(88, 20), name + std::string(2, '\0')) << "the computer's name after the header";

    // A later sample is taken anew: sampled again until the clock has moved on, its time never
    // goes back.
    std::uint64_t later = first.time100ns;
    while (later == first.time100ns) {
        ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "238", data), err::Success);
        later = conformance::walkPerformanceData(data).time100ns;
    }
    EXPECT_GT(later, first.time100ns);

    // Other objects come as a block without any; the key has no subkeys and takes no writes.
    ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "2 4", data), err::Success);
    EXPECT_EQ(conformance::walkPerformanceData(data).objectCount, 0u);
    KeyHandle sub;
    EXPECT_EQ(reg.openKey(RootKey::PerformanceData, "238", KeyAccess::Query, sub), err::FileNotFound);
    const std::uint8_t one = 1;
    EXPECT_EQ(reg.setValue(perf, "238", platform::regtype::Binary, &one, 1), err::AccessDenied);
    EXPECT_EQ(reg.closeKey(perf), err::Success);
    EXPECT_EQ(m.sandbox().liveRegistry().liveKeyCount(), 0u);
}

TEST(SandboxMeters, The95FamilyCpuUsageRunsFromStartStatToStopStat) {
    testing::MiniMachine desc;
    desc.edition("98").hive(RootKey::DynData, {"[HKEY_DYN_DATA\\PerfStats\\StatData]",
                                               "\"KERNEL\\\\CPUUsage\"=hex:07,00,00,00",
                                               "\"KERNEL\\\\Threads\"=hex:3c,00,00,00"});
    testing::SandboxFixture m{desc};
    platform::Registry& reg = m.platform().registry;
    KeyHandle start, data, stop;
    ASSERT_EQ(reg.openKey(RootKey::DynData, "\\PerfStats\\StartStat\\", KeyAccess::Full, start), err::Success)
        << "served though the hive lacks it";
    ASSERT_EQ(reg.openKey(RootKey::DynData, "PerfStats\\StatData", KeyAccess::Full, data), err::Success);
    ASSERT_EQ(reg.openKey(RootKey::DynData, "perfstats\\stopstat", KeyAccess::Query, stop), err::Success);

    // Until started, the hive's figure.
    const RegValue hiveUsage{platform::regtype::Binary, std::string("\x07\0\0\0", 4)};
    EXPECT_EQ(query(reg, data, "KERNEL\\CPUUsage"), hiveUsage);
    EXPECT_EQ(query(reg, start, ""), (RegValue{platform::regtype::Sz, std::string(1, '\0')}));

    // Started: a live percentage.
    const auto spinUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
    while (std::chrono::steady_clock::now() < spinUntil) {
    }
    const std::optional<RegValue> usage = query(reg, data, "kernel\\cpuusage");
    ASSERT_TRUE(usage && usage->second.size() == 4u);
    EXPECT_EQ(usage->first, platform::regtype::Binary);
    EXPECT_LE(u32At(usage->second, 0), 100u);
    EXPECT_EQ(query(reg, data, "KERNEL\\Threads"), (RegValue{platform::regtype::Binary, std::string("\x3c\0\0\0", 4)}))
        << "other figures from the hive";

    EXPECT_EQ(query(reg, stop, ""), (RegValue{platform::regtype::Sz, std::string(1, '\0')}));
    EXPECT_EQ(query(reg, data, "KERNEL\\CPUUsage"), hiveUsage);
    for (const KeyHandle k : {start, data, stop}) EXPECT_EQ(reg.closeKey(k), err::Success);
    EXPECT_EQ(m.sandbox().liveRegistry().liveKeyCount(), 0u);
    EXPECT_EQ(m.sandbox().registry().openKeyCount(), 0u);

    // Neither family has the other's keys.
    KeyHandle perf;
    ASSERT_EQ(reg.openKey(RootKey::PerformanceData, "", KeyAccess::Query, perf), err::Success);
    std::string block;
    EXPECT_EQ(conformance::queryPerformanceData(reg, perf, "238", block), err::FileNotFound);
    EXPECT_EQ(reg.closeKey(perf), err::Success);
    testing::SandboxFixture xp{testing::MiniMachine{}};
    EXPECT_EQ(xp.platform().registry.openKey(RootKey::DynData, "PerfStats\\StatData", KeyAccess::Query, data),
              err::FileNotFound);
}

TEST(SandboxMeters, InterfaceTableAndMemoryStatusAreThisComputers) {
    testing::SandboxFixture m{testing::MiniMachine{}};
    platform::Meters& meters = m.platform().meters;
    // Memory as a 32-bit program sees it.
    const platform::MemoryStatus s = meters.globalMemoryStatus();
    const std::optional<HostMemory> host = parseMemInfo(testing::fileText("/proc/meminfo"));
    ASSERT_TRUE(host);
    const std::uint32_t total = host->total > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(host->total);
    EXPECT_EQ(s.totalPhys, total) << "clamped to 4 GiB - 1";
    EXPECT_GE(s.totalPageFile, s.totalPhys);
    EXPECT_EQ(s.totalVirtual, 0x7FFE0000u);

    // A row per interface of /proc/net/dev.
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
    const std::vector<NetDevice> devices = parseNetDev(testing::fileText("/proc/net/dev"));
    ASSERT_EQ(u32At(table, 0), devices.size());
    ASSERT_EQ(table.size(), 4 + 860 * devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const std::size_t row = 4 + 860 * i;
        const std::string& name = devices[i].name;
        EXPECT_EQ(u32At(table, row + 512), i + 1) << name;
        EXPECT_EQ(u32At(table, row + 516), name == "lo" ? 24u : 6u) << name;
        EXPECT_EQ(u32At(table, row + 600), name.size() + 1) << "the description with its NUL";
        EXPECT_EQ(table.substr(row + 604, name.size() + 1), name + '\0');
        EXPECT_EQ(table[row], name[0]) << "the name in UTF-16";
        EXPECT_EQ(table[row + 1], '\0');
    }

    // Two loads, two frees; then the module is gone.
    EXPECT_EQ(meters.freeLibrary(library), err::Success);
    EXPECT_EQ(meters.getIfTable(function, nullptr, &size, false), err::InsufficientBuffer) << "still loaded once";
    EXPECT_EQ(meters.freeLibrary(library), err::Success);
    EXPECT_EQ(meters.freeLibrary(library), err::ModNotFound);
    EXPECT_EQ(meters.getProcAddress(library, "GetIfTable", function), err::ModNotFound);

    // Windows 95 has no IP Helper.
    testing::SandboxFixture win95{testing::MiniMachine{}.edition("95")};
    EXPECT_EQ(win95.platform().meters.loadLibrary("IPHLPAPI.DLL", library), err::ModNotFound);
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
    t = systemTimeOf(125'963'423'989'990'000ull + 9'999);  // 2000-02-29 23:59:58.999, and 999.9 µs
    EXPECT_EQ((std::array{t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds}),
              (std::array<std::uint16_t, 8>{2000, 2, 2, 29, 23, 59, 58, 999}));
}

TEST(SandboxMeters, AMeterScriptServesItsTicksReadingByReading) {
    testing::MiniMachine d;
    d.meters = "[Tick1]\nIdle=1000,3000\nMemoryLoad=42\nPhysical=1048576,524288\n"
               "Virtual=5000000000,7\nInterface1=6,100,200,Intel(R) PRO/100, rev 2\nInterface2=24,1,2,lo\n"
               "[Tick2]\nTime=1500\nIdle=4000,9000\nInterface1=6,4294967295,300,Intel(R) PRO/100, rev 2\n"
               "Interface2=x,1,2,garbled\n"
               "[Tick3]\nIdle=oops\nMemoryLoad=43\nInterface1=-\n";
    testing::SandboxFixture xp{d};
    platform::Registry& reg = xp.platform().registry;
    KeyHandle perf;
    ASSERT_EQ(reg.openKey(RootKey::PerformanceData, "", KeyAccess::Query, perf), err::Success);
    std::string data;
    // A query too small for the block hands nothing over: the growth loop still gets tick 1.
    ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "238", data), err::Success);
    conformance::PerformanceBlock block = conformance::walkPerformanceData(data);
    ASSERT_EQ(block.processor.instances.size(), 3u);
    EXPECT_EQ(block.processor.instances[0].second, 1000u);
    EXPECT_EQ(block.processor.instances[1].second, 3000u);
    EXPECT_EQ(block.processor.instances[2].second, 2000u) << "the total is the average";
    const std::uint64_t tick1 = block.time100ns;
    EXPECT_EQ(block.systemTime[0], 2001);
    EXPECT_EQ(block.systemTime[6], 1) << "1000 ms after the base";
    ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "2", data), err::Success);
    EXPECT_FALSE(conformance::walkPerformanceData(data).hasProcessor) << "another object is no reading";
    ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "238", data), err::Success);
    block = conformance::walkPerformanceData(data);
    EXPECT_EQ(block.processor.instances[1].second, 9000u);
    EXPECT_EQ(block.time100ns - tick1, 500u * 10'000) << "Time=1500";
    for (int reading = 3; reading <= 4; ++reading) {
        ASSERT_EQ(conformance::queryPerformanceData(reg, perf, "Global", data), err::Success);
        block = conformance::walkPerformanceData(data);
        EXPECT_EQ(block.processor.instances[1].second, 9000u) << "a garbled figure and the end keep the last";
        EXPECT_EQ(block.time100ns - tick1, 2000u * 10'000) << "tick 3's default time";
    }

    // Memory: each call a reading; figures carried forward, byte counts clamped.
    platform::Meters& meters = xp.platform().meters;
    platform::MemoryStatus s = meters.globalMemoryStatus();
    EXPECT_EQ((std::array{s.memoryLoad, s.totalPhys, s.availPhys, s.totalVirtual, s.availVirtual, s.totalPageFile}),
              (std::array<std::uint32_t, 6>{42, 1048576, 524288, 0xFFFFFFFF, 7, 0}));
    s = meters.globalMemoryStatus();
    EXPECT_EQ(s.memoryLoad, 42u);
    EXPECT_EQ(s.totalPhys, 1048576u);
    EXPECT_EQ(meters.globalMemoryStatus().memoryLoad, 43u);

    // Interfaces: a reading is a table handed over; a garbled row is left out; "-" empties.
    platform::ModuleHandle library;
    platform::ProcHandle function;
    ASSERT_EQ(meters.loadLibrary("IPHLPAPI.DLL", library), err::Success);
    ASSERT_EQ(meters.getProcAddress(library, "GetIfTable", function), err::Success);
    const auto table = [&] {
        std::uint32_t size = 0;
        EXPECT_EQ(meters.getIfTable(function, nullptr, &size, false), err::InsufficientBuffer);
        std::string t(size, '\0');
        EXPECT_EQ(meters.getIfTable(function, reinterpret_cast<std::uint8_t*>(t.data()), &size, false), err::Success);
        return t;
    };
    std::string t = table();
    ASSERT_EQ(u32At(t, 0), 2u);
    EXPECT_EQ(u32At(t, 4 + 516), 6u);
    EXPECT_EQ(u32At(t, 4 + 552), 100u);
    EXPECT_EQ(u32At(t, 4 + 576), 200u);
    EXPECT_EQ(t.substr(4 + 604, 24), std::string("Intel(R) PRO/100, rev 2") + '\0');
    EXPECT_EQ(u32At(t, 4 + 860 + 516), 24u);
    t = table();
    ASSERT_EQ(u32At(t, 0), 1u);
    EXPECT_EQ(u32At(t, 4 + 552), 4294967295u);
    EXPECT_EQ(u32At(table(), 0), 0u);
    EXPECT_EQ(meters.freeLibrary(library), err::Success);
}

}  // namespace
}  // namespace hastelyn::sandbox
