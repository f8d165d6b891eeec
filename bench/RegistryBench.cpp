// Figures for the registry and profile layer on the default machine.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/ProfileValues.h"
#include "foundation/RegistryValues.h"
#include "bench/BenchMachine.h"

namespace {

using namespace hastelyn;
using bench::BenchMachine;
using bench::defaultMachine;

BenchMachine& machine() { return defaultMachine(); }

// 10,000 reads of a DWORD, each opening and closing its key as the program does.
void BM_ReadRegValue10000(benchmark::State& state) {
    foundation::RegistryValues reg(machine().platform());
    const char* key = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i)
            benchmark::DoNotOptimize(reg.ReadRegValue(platform::RootKey::LocalMachine, key, "LargeSystemCache", foundation::RegType::DWORD));
    }
}
BENCHMARK(BM_ReadRegValue10000)->Unit(benchmark::kMillisecond);

// A restore-point-sized profile file (600 keys in eight sections) written key by key.
void BM_WriteProfile600Keys(benchmark::State& state) {
    foundation::ProfileValues ini(machine().platform());
    const char* sections[] = {"システム", "システム9", "デスクトップ", "エクスプローラ",
                              "起動・終了", "その他", "不要サービス", "不要サービス-s"};
    int run = 0;
    for (auto _ : state) {
        const std::string file = "C:\\Program Files\\Hastelyn\\bench" + std::to_string(run++) + ".ini";
        for (int i = 0; i < 600; ++i)
            ini.WriteProfileValue(file, sections[i % 8], "Key" + std::to_string(i), "停止中");
        state.PauseTiming();
        bench::mustWork(machine().platform().files.deleteFile(file), "delete");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WriteProfile600Keys)->Unit(benchmark::kMillisecond);

// The same 600 keys, the sections taking turns, written in one go (as a restore point is), then
// each read back by its full path (as a restore is).
std::vector<platform::ProfileWrite> interleaved600Keys() {
    const char* sections[] = {"システム", "システム9", "デスクトップ", "エクスプローラ",
                              "起動・終了", "その他", "不要サービス", "不要サービス-s"};
    std::vector<platform::ProfileWrite> writes;
    for (int i = 0; i < 600; ++i) writes.push_back({sections[i % 8], "Key" + std::to_string(i), "停止中"});
    return writes;
}

void BM_WriteProfile600KeysInOneGo(benchmark::State& state) {
    foundation::ProfileValues ini(machine().platform());
    const std::vector<platform::ProfileWrite> writes = interleaved600Keys();
    int run = 0;
    for (auto _ : state) {
        const std::string file = "C:\\Program Files\\Hastelyn\\batch" + std::to_string(run++) + ".ini";
        ini.WriteProfileValues(file, writes);
        state.PauseTiming();
        bench::mustWork(machine().platform().files.deleteFile(file), "delete");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WriteProfile600KeysInOneGo)->Unit(benchmark::kMillisecond);

void BM_ReadProfile600Keys(benchmark::State& state) {
    foundation::ProfileValues ini(machine().platform());
    const std::vector<platform::ProfileWrite> writes = interleaved600Keys();
    const std::string file = "C:\\Program Files\\Hastelyn\\read.ini";
    ini.WriteProfileValues(file, writes);
    for (auto _ : state) {
        for (const platform::ProfileWrite& w : writes) benchmark::DoNotOptimize(ini.ReadProfileValue(file, w.section, w.key));
    }
    bench::mustWork(machine().platform().files.deleteFile(file), "delete");
}
BENCHMARK(BM_ReadProfile600Keys)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
