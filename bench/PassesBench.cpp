// The read pass and a full apply pass on the default machine.
#include <benchmark/benchmark.h>

#include "bench/BenchMachine.h"
#include "bench/BenchSurfaces.h"
#include "engine/EnvironmentChecks.h"
#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "engine/Session.h"

namespace {

using namespace hastelyn;

struct StartedSession : bench::QuietSession {
    StartedSession() : QuietSession(bench::defaultMachine().platform()) {
        session.codes = foundation::detectEdition(session.platform.system.getVersion());
        session.model.disableRows(foundation::disabledControlsFor(session.codes));
        foundation::detectSystemPaths(session.platform, session.codes, session.settings, session.paths);
        engine::runEnvironmentChecks(session);
    }
};

void BM_ReadPass(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        StartedSession started;
        state.ResumeTiming();
        engine::readPass(started.session);
    }
}
BENCHMARK(BM_ReadPass)->Unit(benchmark::kMillisecond);

// Every enabled row changed: ticked all, then unticked all, alternately.
void BM_ApplyPassAllRowsChanged(benchmark::State& state) {
    StartedSession started;
    engine::readPass(started.session);
    bool tick = true;
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
            for (engine::Row& row : started.session.model.tweakList(c).rows)
                if (row.enabled) row.ticked = tick;
        tick = !tick;
        state.ResumeTiming();
        engine::applyPass(started.session);
    }
}
BENCHMARK(BM_ApplyPassAllRowsChanged)->Unit(benchmark::kMillisecond);

// A restore point of the default machine written, each time to a new file (rewriting the same
// values into an existing one changes nothing and would not be written at all). The restore is
// measured with the main job in AccelerateBench.cpp.
void BM_WriteRestorePoint(benchmark::State& state) {
    StartedSession started;
    engine::Session& session = started.session;
    engine::readPass(session);
    const std::string folder = "C:\\Program Files\\Hastelyn\\";
    int n = 0;
    for (auto _ : state) {
        const std::string path = folder + "復元ポイント bench " + std::to_string(n++) + ".ini";
        engine::WriteRestorePoint(session, path);
        state.PauseTiming();
        bench::mustWork(session.platform.files.deleteFile(path), "delete");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WriteRestorePoint)->Unit(benchmark::kMillisecond);

}  // namespace
