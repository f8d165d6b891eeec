// One refresh of the compact window's meters on the sandbox, as the window runs it (the figures
// worked out and formatted, without the labels; CompactRefreshBench.cpp adds them), and its
// platform parts: the processor's performance data (the window keeps its buffer between
// refreshes), the interface table (size, then table, as the window asks), the memory status
// and the drive's free space.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/BenchMachine.h"
#include "bench/BenchSurfaces.h"
#include "engine/PerformanceMeters.h"
#include "platform/Win32Types.h"

namespace {

using namespace hastelyn;
namespace err = platform::win32error;

struct Meters {
    platform::Platform& p = bench::defaultMachine().platform();
    platform::KeyHandle perf;
    platform::ModuleHandle ipHelper;
    platform::ProcHandle getIfTable;
    std::vector<std::uint8_t> perfBuffer;
    std::vector<std::uint8_t> table;

    Meters() {
        bench::mustWork(p.registry.openKey(platform::RootKey::PerformanceData, "", platform::KeyAccess::Query, perf), "open");
        p.meters.loadLibrary("IPHLPAPI.DLL", ipHelper);
        p.meters.getProcAddress(ipHelper, "GetIfTable", getIfTable);
    }
    ~Meters() {
        p.meters.freeLibrary(ipHelper);
        (void)p.registry.closeKey(perf);  // the root of the performance data stays usable
    }

    void processor() {
        for (;;) {
            auto size = static_cast<std::uint32_t>(perfBuffer.size());
            const long result =
                p.registry.queryValue(perf, "238", nullptr, perfBuffer.empty() ? nullptr : perfBuffer.data(), &size);
            if (result != err::MoreData) break;
            perfBuffer.resize(perfBuffer.size() + 4096);
        }
        benchmark::DoNotOptimize(perfBuffer.data());
    }
    void network() {
        std::uint32_t size = 0;
        p.meters.getIfTable(getIfTable, nullptr, &size, false);
        table.resize(size);
        p.meters.getIfTable(getIfTable, table.data(), &size, false);
        benchmark::DoNotOptimize(table.data());
    }
    void memory() { benchmark::DoNotOptimize(p.meters.globalMemoryStatus()); }
    void disk() {
        platform::DiskSpace space;
        benchmark::DoNotOptimize(p.files.getDiskFreeSpace("C:\\", space).ok());
    }
};

void BM_MetersRefresh(benchmark::State& state) {
    bench::QuietSession quiet(bench::defaultMachine().platform());
    engine::Session& session = quiet.session;
    session.codes = foundation::detectEdition(session.platform.system.getVersion());
    engine::PerformanceMeters meters(session);
    meters.openView();
    for (auto _ : state) {
        meters.refresh();
        benchmark::DoNotOptimize(meters.figures());
    }
    meters.closeView();
}
BENCHMARK(BM_MetersRefresh)->Unit(benchmark::kMicrosecond);

void BM_MetersPlatformCalls(benchmark::State& state) {
    Meters meters;
    for (auto _ : state) {
        meters.processor();
        meters.memory();
        meters.disk();
        meters.network();
    }
}
BENCHMARK(BM_MetersPlatformCalls)->Unit(benchmark::kMicrosecond);

void BM_MetersProcessor(benchmark::State& state) {
    Meters meters;
    for (auto _ : state) meters.processor();
}
BENCHMARK(BM_MetersProcessor)->Unit(benchmark::kMicrosecond);

void BM_MetersNetwork(benchmark::State& state) {
    Meters meters;
    for (auto _ : state) meters.network();
}
BENCHMARK(BM_MetersNetwork)->Unit(benchmark::kMicrosecond);

void BM_MetersMemory(benchmark::State& state) {
    Meters meters;
    for (auto _ : state) meters.memory();
}
BENCHMARK(BM_MetersMemory)->Unit(benchmark::kMicrosecond);

}  // namespace
