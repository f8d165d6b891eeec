// The main job on the default machine with 300 listed services: the start-up read, the
// accelerate command with every row changed (restore point included), and the restore.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>

#include "bench/BenchMachine.h"
#include "bench/BenchSurfaces.h"
#include "engine/Accelerate.h"
#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "engine/ServiceCommand.h"
#include "engine/Services.h"
#include "engine/Startup.h"

namespace {

using namespace hastelyn;

// The default machine with extra services up to 300 listed ones, their list unlocked.
bench::BenchMachine& machineWith300Services() {
    static bench::BenchMachine& machine = [] () -> bench::BenchMachine& {
        bench::BenchMachine& m = bench::defaultMachine();
        bench::QuietSession quiet(m.platform());
        engine::Session& session = quiet.session;
        const std::size_t listed = engine::listedServiceKeys(session).size();
        for (std::size_t i = listed; i < 300; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "BenchService%03zu", i);
            const std::string key = std::string(engine::kServicesKey) + "\\" + name;
            session.registry.WriteRegValue(platform::RootKey::LocalMachine, key, "DisplayName",
                                           std::string("Bench Service ") + name, foundation::RegType::String);
            session.registry.WriteRegValue(platform::RootKey::LocalMachine, key, "ObjectName", "LocalSystem", foundation::RegType::String);
            session.registry.WriteRegValue(platform::RootKey::LocalMachine, key, "Start", "3", foundation::RegType::DWORD);
        }
        session.settings.write(foundation::kDisabledItemSection, "Service", "false");
        return m;
    }();
    return machine;
}

struct Started : bench::QuietSession {
    Started() : QuietSession(machineWith300Services().platform(), true) { engine::startWithoutWindows(session); }
};

void tickEverything(engine::Session& session, bool ticked) {
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
        for (engine::Row& row : session.model.tweakList(c).rows)
            if (row.enabled) row.ticked = ticked;
    for (engine::Row& row : session.model.services().rows)
        if (row.enabled) row.ticked = ticked;
}

// One "net stop" and one "net start" of one of 300 listed services, by its display name, as the
// accelerate and restore commands start them.
void BM_NetStopStart300Services(benchmark::State& state) {
    Started started;
    const std::string name = "Bench Service BenchService299";
    for (auto _ : state) {
        engine::runServiceCommand(started.session, engine::netCommand(true, name));
        engine::runServiceCommand(started.session, engine::netCommand(false, name));
    }
}
BENCHMARK(BM_NetStopStart300Services)->Unit(benchmark::kMicrosecond);

void BM_StartupRead300Services(benchmark::State& state) {
    for (auto _ : state) {
        Started started;
        benchmark::DoNotOptimize(started.session.model.services().rows.size());
    }
}
BENCHMARK(BM_StartupRead300Services)->Unit(benchmark::kMillisecond);

// Looks of the hive files for other processes' changes in the timed work, per iteration, each
// two file stamps: how much of the system time goes to them.
class HiveLooks {
public:
    void start() { at_ = now(); }
    void stop() { total_ += now() - at_; }
    void report(benchmark::State& state) const {
        state.counters["hiveLooks"] = benchmark::Counter(static_cast<double>(total_), benchmark::Counter::kAvgIterations);
    }

private:
    static std::uint64_t now() { return machineWith300Services().sandbox().registry().diskLooks(); }
    std::uint64_t at_ = 0;
    std::uint64_t total_ = 0;
};

// Every enabled row and service changed, restore point included; alternately ticked and
// unticked so that each run changes everything.
void BM_AccelerateEverythingChanged(benchmark::State& state) {
    Started started;
    HiveLooks looks;
    bool tick = true;
    for (auto _ : state) {
        state.PauseTiming();
        tickEverything(started.session, tick);
        tick = !tick;
        started.dialogs.reset();
        state.ResumeTiming();
        looks.start();
        const engine::AccelerateOutcome outcome = engine::BtnAccelerateClick(started.session);
        looks.stop();
        state.PauseTiming();
        if (!outcome.restorePoint.empty())
            bench::mustWork(started.session.platform.files.deleteFile(outcome.restorePoint), "delete");
        state.ResumeTiming();
    }
    looks.report(state);
}
BENCHMARK(BM_AccelerateEverythingChanged)->Unit(benchmark::kMillisecond)->Iterations(6);

// A restore point taken before everything changed, put back.
void BM_RestoreAfterEverythingChanged(benchmark::State& state) {
    Started started;
    const std::string file = engine::RestorePointFileName(started.session, "");
    engine::WriteRestorePoint(started.session, file);
    HiveLooks looks;
    for (auto _ : state) {
        state.PauseTiming();
        tickEverything(started.session, true);
        engine::applyPass(started.session);
        started.dialogs.reset();
        state.ResumeTiming();
        looks.start();
        engine::ApplyRestorePoint(started.session, file);
        looks.stop();
        state.PauseTiming();
        engine::clearTicks(started.session);
        engine::readPass(started.session);
        state.ResumeTiming();
    }
    looks.report(state);
}
BENCHMARK(BM_RestoreAfterEverythingChanged)->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace
