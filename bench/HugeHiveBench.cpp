// Writes on a machine whose HKEY_LOCAL_MACHINE holds a 50 MB value (about 150 MB of hive file
// text): a change must cost about what it changes, not the whole hive.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchMachine.h"
#include "bench/BenchSurfaces.h"
#include "engine/Accelerate.h"
#include "engine/Passes.h"
#include "engine/Startup.h"
#include "platform/Win32Types.h"

namespace {

using namespace hastelyn;
using platform::RootKey;

constexpr std::size_t kHugeValue = 50u << 20;
constexpr const char* kHugeKey = "SOFTWARE\\Bench\\Huge";

bench::BenchMachine& machineWithHugeValue() {
    static bench::BenchMachine& machine = []() -> bench::BenchMachine& {
        static bench::BenchMachine m;
        platform::Registry& registry = m.platform().registry;
        platform::KeyHandle key;
        bench::mustWork(registry.createKey(RootKey::LocalMachine, kHugeKey, key), "create");
        const std::string blob(kHugeValue, '\x5a');
        bench::mustWork(registry.setValue(key, "Blob", platform::regtype::Binary,
                                          reinterpret_cast<const std::uint8_t*>(blob.data()),
                                          static_cast<std::uint32_t>(blob.size())),
                        "set");
        bench::mustWork(registry.closeKey(key), "close");
        return m;
    }();
    return machine;
}

// 1,000 DWORD writes into the hive, each opening its key as the program does.
void BM_DwordWritesIn50MBHive(benchmark::State& state) {
    platform::Registry& registry = machineWithHugeValue().platform().registry;
    std::uint32_t n = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i, ++n) {
            platform::KeyHandle key;
            bench::mustWork(registry.createKey(RootKey::LocalMachine, "SOFTWARE\\Bench\\Small", key), "create");
            bench::mustWork(
                registry.setValue(key, "Counter", platform::regtype::Dword, reinterpret_cast<const std::uint8_t*>(&n), 4),
                "set");
            bench::mustWork(registry.closeKey(key), "close");
        }
    }
}
BENCHMARK(BM_DwordWritesIn50MBHive)->Unit(benchmark::kMillisecond)->Iterations(3);

// The accelerate command with every row changed, restore point included.
void BM_AccelerateIn50MBHive(benchmark::State& state) {
    bench::QuietSession quiet(machineWithHugeValue().platform(), true);
    engine::Session& session = quiet.session;
    engine::startWithoutWindows(session);
    bool tick = true;
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
            for (engine::Row& row : session.model.tweakList(c).rows)
                if (row.enabled) row.ticked = tick;
        tick = !tick;
        quiet.dialogs.reset();
        state.ResumeTiming();
        const engine::AccelerateOutcome outcome = engine::BtnAccelerateClick(session);
        state.PauseTiming();
        if (!outcome.restorePoint.empty())
            bench::mustWork(session.platform.files.deleteFile(outcome.restorePoint), "delete");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AccelerateIn50MBHive)->Unit(benchmark::kMillisecond)->Iterations(4);

// What a process pays once when it is done: the hive written whole with its journal in it.
void BM_CloseAfterAWriteIn50MBHive(benchmark::State& state) {
    const auto folder = machineWithHugeValue().folder() / "registry";
    std::uint32_t n = 0;
    for (auto _ : state) {
        sandbox::SandboxRegistry registry(folder, false);
        platform::KeyHandle key;
        registry.createKey(RootKey::LocalMachine, "SOFTWARE\\Bench\\Small", key);
        ++n;
        registry.setValue(key, "Counter", platform::regtype::Dword, reinterpret_cast<const std::uint8_t*>(&n), 4);
        registry.closeKey(key);
    }
}
BENCHMARK(BM_CloseAfterAWriteIn50MBHive)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
