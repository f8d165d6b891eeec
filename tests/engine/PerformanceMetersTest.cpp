// The compact window's meters without the window: the lists, and the label texts of several
// refreshes on machines whose meters follow a script (platform/sandbox/MeterScript.h).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/InterfaceTable.h"
#include "engine/MeterFormat.h"
#include "engine/PerformanceMeters.h"
#include "engine/ProcessorCounters.h"
#include "platform/sandbox/PerformanceData.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

using Strings = std::vector<std::string>;

MiniMachine scripted(std::string script, std::string_view edition = "xp") {
    MiniMachine m;
    m.edition(edition).meters = std::move(script);
    return m;
}

struct Meters {
    explicit Meters(const MiniMachine& m) : fx(m), meters(fx.session()) {
        meters.timerEnabled = [this](bool on) { timer.push_back(on); };
        meters.reportError = [this](const std::string& text) { errors.push_back(text); };
    }
    const PanelFigures& f() const { return meters.figures(); }
    Strings cpu() const { return {f().cpuUse, std::to_string(f().cpuBar)}; }
    Strings memory() const {
        return {f().memTotal, f().memFree, f().memUse, std::to_string(f().memBar)};
    }
    Strings virtualMemory() const { return {f().virtualTotal, f().virtualFree, f().virtualUse}; }
    Strings paging() const { return {f().pageTotal, f().pageFree, f().pageUse, std::to_string(f().pageBar)}; }
    Strings disk() const { return {f().hdTotal, f().hdFree, f().hdUse, std::to_string(f().hdBar)}; }
    Strings network() const { return {f().receiveSpeed, f().sendSpeed}; }

    EngineFixture fx;
    PerformanceMeters meters;
    std::vector<bool> timer;
    Strings errors;
};

TEST(MeterFormat, RoundsTiesToEvenAndWritesThousandsWithoutADigitForZero) {
    EXPECT_EQ((std::vector{roundHalfEven(0.5), roundHalfEven(1.5), roundHalfEven(2.5), roundHalfEven(-0.5),
                           roundHalfEven(-1.5), roundHalfEven(2.4999), roundHalfEven(87.5)}),
              (std::vector<std::int64_t>{0, 2, 2, 0, -2, 2, 88}));
    EXPECT_EQ((Strings{thousands(0), thousands(999), thousands(1000), thousands(1234567), thousands(-1234)}),
              (Strings{"", "999", "1,000", "1,234,567", "-1,234"}));
    EXPECT_EQ((Strings{megabytesText(0), megabytesText(524288), megabytesText(1572864), megabytesText(-1),
                       kilobitsText(0), kilobitsText(1234)}),
              (Strings{" MB", " MB", "2 MB", " MB", "0 Kbbs", "1,234 Kbbs"}));
    EXPECT_EQ(usedPercent(0, 0), std::nullopt);
}

TEST(PerformanceMeters, TwoProcessorsMemoryDiskAndNetworkOverFiveTicks) {
    // The lists read a tick when the view opens; every refresh then reads the next. Memory is
    // read by refreshes only, so its ticks run one behind.
    MiniMachine m = scripted(
        "[Tick1]\nIdle=0,0\nInterface1=6,5,7,Intel(R) PRO/100 VE\nInterface2=24,0,0,MS TCP Loopback interface\n"
        "MemoryLoad=42\nPhysical=1073741824,0\nVirtual=2147352576,1610612736\nPagingFile=0,0\n"
        "[Tick2]\nIdle=2500000,5000000\nInterface1=6,10000,20000,Intel(R) PRO/100 VE\n"
        "MemoryLoad=100\nPhysical=1500000000,524288\nPagingFile=3221225472,1610612736\n"
        "[Tick3]\nIdle=3750000,5000000\nInterface1=6,138000,20064,Intel(R) PRO/100 VE\n"
        "[Tick4]\nIdle=16750000,17000000\nInterface1=6,4294967000,20256,Intel(R) PRO/100 VE\n"
        "[Tick5]\nIdle=1000000,1000000\nInterface1=6,1000,20576,Intel(R) PRO/100 VE\n");
    m.driveSpace('C', 40'000'000'000, 25'000'000'000).drive('D', "Fixed", "FAT32").driveSpace('D', 0, 0);
    m.drive('E', "CdRom", "CDFS");
    Meters x(m);
    EXPECT_EQ(x.network(), (Strings{"###,### Kbps", "###,### Kbps"})) << "design captions before the first refresh";

    x.meters.openView();
    EXPECT_EQ(x.meters.cpuList().items, (Strings{"CPU #1", "CPU #2", "CPU Total"}));
    EXPECT_EQ(x.meters.driveList().items, (Strings{"C: ドライブ", "D: ドライブ"}));
    EXPECT_EQ(x.meters.adapterList().items, Strings{"Intel(R) PRO/100 VE"}) << "Ethernet rows only";
    EXPECT_EQ(x.meters.cpuList().selected, 0);
    EXPECT_EQ(x.timer, std::vector{true});
    EXPECT_EQ(x.cpu(), (Strings{"75 %", "75"}));
    EXPECT_EQ(x.memory(), (Strings{"1,024 MB", " MB", "42 %", "42"}));
    EXPECT_EQ(x.virtualMemory(), (Strings{"2,048 MB", "1,536 MB", "25 %"}));
    EXPECT_EQ(x.paging(), (Strings{"#,### MB", "#,### MB", "## %", "0"})) << "no share of a total of 0";
    EXPECT_EQ(x.disk(), (Strings{"38,147 MB", "23,842 MB", "38 %", "38"}));
    EXPECT_EQ(x.network(), (Strings{"0 Kbbs", "0 Kbbs"})) << "the first figure of a run";

    x.meters.refresh();
    EXPECT_EQ(x.cpu(), (Strings{"88 %", "88"})) << "87.5 to the even 88";
    EXPECT_EQ(x.memory(), (Strings{"1,431 MB", " MB", "100 %", "100"})) << "0.5 MB to the even 0";
    EXPECT_EQ(x.virtualMemory(), (Strings{"2,048 MB", "1,536 MB", "25 %"}));
    EXPECT_EQ(x.paging(), (Strings{"3,072 MB", "1,536 MB", "50 %", "50"}));
    EXPECT_EQ(x.network(), (Strings{"1,000 Kbbs", "0 Kbbs"})) << "128000 octets; 64 octets are 0.5 kilobits";

    x.meters.chooseCpu(2);
    x.meters.chooseDrive(1);
    x.meters.refresh();
    EXPECT_EQ(x.cpu(), (Strings{"0 %", "0"})) << "the total, idle longer than the interval: clamped";
    EXPECT_EQ(x.disk(), (Strings{"38,147 MB", "23,842 MB", "38 %", "38"})) << "a drive of no size leaves the labels";
    EXPECT_EQ(x.network(), (Strings{"33,553,352 Kbbs", "2 Kbbs"}));

    x.meters.refresh();
    EXPECT_EQ(x.cpu(), (Strings{"100 %", "100"})) << "counters that stepped back: clamped";
    EXPECT_EQ(x.network(), (Strings{"10 Kbbs", "2 Kbbs"})) << "the received counter wrapped: 1296 octets";
    EXPECT_TRUE(x.errors.empty());

    x.meters.closeView();
    EXPECT_EQ(x.timer, (std::vector{true, false}));
    EXPECT_TRUE(x.meters.cpuList().items.empty());
    EXPECT_TRUE(x.meters.driveList().items.empty());
    EXPECT_TRUE(x.meters.adapterList().items.empty());
}

TEST(PerformanceMeters, OneProcessorAndTheNetworkAcrossAClosedViewAndAnAdapterThatWent) {
    Meters x(scripted("[Tick1]\nIdle=0\nInterface1=6,1000,1000,eth0\nInterface2=6,0,0,eth1\n"
                      "[Tick2]\nIdle=5000000\nInterface1=6,2024,1000,eth0\n"
                      "[Tick3]\nIdle=5000000\nInterface1=6,5000,1000,eth0\n"
                      "[Tick4]\nIdle=7500000\nInterface1=6,130024,1000,eth0\nInterface2=6,0,0,eth1\n"
                      "[Tick5]\nInterface1=6,0,0,eth1\n"
                      "[Tick6]\nInterface1=6,140024,1000,eth0\n"
                      "[Tick7]\nInterface1=6,141048,1000,eth0\n"));
    x.meters.openView();
    EXPECT_EQ(x.meters.cpuList().items, Strings{"CPU #1"}) << "one processor and the total";
    EXPECT_EQ(x.meters.adapterList().items, (Strings{"eth0", "eth1"}));
    EXPECT_EQ(x.cpu(), (Strings{"50 %", "50"}));
    EXPECT_EQ(x.network(), (Strings{"0 Kbbs", "0 Kbbs"}));

    x.meters.closeView();
    EXPECT_FALSE(x.meters.sampling());
    EXPECT_TRUE(x.meters.adapterList().items.empty());
    x.meters.openView();
    EXPECT_EQ(x.meters.cpuList().items, Strings{"CPU #1"});
    EXPECT_EQ(x.meters.adapterList().items, (Strings{"eth0"})) << "filled anew from tick 3";
    EXPECT_EQ(x.cpu(), (Strings{"75 %", "75"}));
    EXPECT_EQ(x.network(), (Strings{"1,000 Kbbs", "0 Kbbs"}))
        << "from the last figure before closing (tick 2) over the whole closed time";

    x.meters.refresh();
    EXPECT_EQ(x.network(), (Strings{"0 Kbbs", "0 Kbbs"})) << "the chosen adapter is gone";
    x.meters.refresh();
    EXPECT_EQ(x.network(), (Strings{"0 Kbbs", "0 Kbbs"})) << "back: counted from 0 again";
    x.meters.refresh();
    EXPECT_EQ(x.network(), (Strings{"8 Kbbs", "0 Kbbs"}));
    EXPECT_EQ(x.timer, (std::vector{true, false, true}));
}

TEST(PerformanceMeters, Windows95HasNoAdaptersAndAMachineWithoutFixedDrivesNoDisk) {
    MiniMachine m = scripted("[Tick1]\nCpuUsage=37\nMemoryLoad=5\n[Tick2]\nCpuUsage=250\n[Tick3]\nCpuUsage=0\n", "95");
    m.drive('C', "CdRom", "CDFS");
    Meters x(m);
    x.meters.openView();
    EXPECT_EQ(x.meters.cpuList().items, Strings{"CPU #1"});
    EXPECT_TRUE(x.meters.adapterList().unsupported);
    EXPECT_EQ(x.meters.adapterList().text(), "未対応");
    EXPECT_EQ(x.meters.driveList().text(), "未対応");
    EXPECT_EQ(x.cpu(), (Strings{"37 %", "37"})) << "the statistic was started by reading StartStat";
    x.meters.refresh();
    EXPECT_EQ(x.cpu(), (Strings{"100 %", "100"}));
    x.meters.refresh();
    EXPECT_EQ(x.cpu(), (Strings{"0 %", "0"}));
    EXPECT_EQ(x.network(), (Strings{"###,### Kbps", "###,### Kbps"}));
    EXPECT_EQ(x.disk(), (Strings{"###,### MB", "###,### MB", "## %", "0"}));
    EXPECT_EQ(x.memory(), (Strings{" MB", " MB", "5 %", "5"}));
    x.meters.closeView();
    EXPECT_EQ(x.timer, (std::vector{true, false}));
}

TEST(PerformanceMeters, AMissingProcessorObjectIsReportedOnceAndTheOtherMetersGoOn) {
    Meters x(scripted("[Tick1]\nMemoryLoad=10\n[Tick2]\nMemoryLoad=20\n[Tick3]\nMemoryLoad=30\n"));
    x.meters.openView();
    x.meters.refresh();
    x.meters.refresh();
    EXPECT_EQ(x.errors, Strings{kNoProcessorObject});
    EXPECT_TRUE(x.meters.cpuList().items.empty());
    EXPECT_EQ(x.cpu(), (Strings{"## %", "0"}));
    EXPECT_EQ(x.memory()[2], "30 %");
    EXPECT_TRUE(x.meters.sampling());

    // A block whose object lacks the counter, and blocks cut short anywhere.
    const std::string built = sandbox::buildPerformanceData({{.idle = 7}, {.idle = 9}}, 126'227'808'000'000'000ull, 0, u"PC");
    std::vector<std::uint8_t> block(built.begin(), built.end());
    const auto read = readProcessorBlock(block);
    ASSERT_TRUE(std::holds_alternative<ProcessorBlock>(read));
    EXPECT_EQ(std::get<ProcessorBlock>(read).idle, (std::vector<std::uint64_t>{7, 9, 8}));
    EXPECT_EQ(std::get<ProcessorBlock>(read).time, 126'227'808'000'000'000ull);
    for (std::size_t cut = 0; cut < block.size(); ++cut) {  // read past the end: the sanitizers see it
        const auto shorter = readProcessorBlock(std::span(block.data(), cut));
        if (const auto* b = std::get_if<ProcessorBlock>(&shorter)) {
            EXPECT_LE(b->idle.size(), 3u) << cut;
        }
    }
    const std::size_t counter = 88 + 8 + 64;  // header with "PC", then the object's header
    ASSERT_EQ(block[counter + 4], 6);
    block[counter + 4] = 7;
    EXPECT_EQ(std::get<std::string>(readProcessorBlock(block)), kNoProcessorCounter);
}

TEST(PerformanceMeters, InterfaceTablesAreReadToTheirEighthRowAndWithoutGetIfTableNotAtAll) {
    std::string rows = "[Tick1]\n";
    for (int i = 1; i <= 10; ++i) rows += "Interface" + std::to_string(i) + "=6,0,0,nic" + std::to_string(i) + "\n";
    Meters x(scripted(rows));
    x.meters.openView();
    EXPECT_EQ(x.meters.adapterList().items.size(), kMaxInterfaceRows);
    EXPECT_EQ(x.meters.adapterList().items.back(), "nic8");

    // Counts beyond the bytes and descriptions without their NUL stay inside the table.
    std::vector<std::uint8_t> table(4 + 860, 'x');
    table[0] = 12;
    table[1] = table[2] = table[3] = 0;
    for (int i = 0; i < 4; ++i) table[4 + 600 + i] = i == 1 ? 0x10 : 0;  // a length of 4096
    const std::vector<InterfaceRow> parsed = interfaceRows(table);
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0].description, std::string(256, 'x'));

    MiniMachine lacking = scripted("[Tick1]\nInterface1=6,1,1,eth0\nMemoryLoad=9\n");
    lacking.extraIni = "[Libraries]\nMissing=IPHLPAPI.DLL!GetIfTable\n";
    Meters without(lacking);
    without.meters.openView();
    without.meters.refresh();
    EXPECT_TRUE(without.meters.adapterList().items.empty());
    EXPECT_FALSE(without.meters.adapterList().unsupported);
    EXPECT_EQ(without.network(), (Strings{"###,### Kbps", "###,### Kbps"}));
    EXPECT_EQ(without.memory()[2], "9 %");
}

}  // namespace
}  // namespace hastelyn::engine
