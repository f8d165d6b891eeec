// The read pass and a full apply pass on the default machine.
#include <benchmark/benchmark.h>

#include "bench/BenchMachine.h"
#include "engine/EnvironmentChecks.h"
#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "engine/Session.h"

namespace {

using namespace hastelyn;

class SilentClipboard : public foundation::Clipboard {
public:
    std::string text() override { return {}; }
    void setText(std::string_view) override {}
};

// Every question answered No, so nothing restarts the shell during a measurement.
class NoDialogs : public foundation::DialogProvider {
public:
    bool show(foundation::DialogKind, std::string_view) override { return false; }
};

struct StartedSession {
    SilentClipboard clipboard;
    NoDialogs dialogs;
    engine::Session session{bench::defaultMachine().platform(), clipboard, dialogs};
    StartedSession() {
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

}  // namespace

namespace {

// A restore point of the default machine written, and put back after every row and service was
// changed (the changes are not timed). Each write goes to a new file: rewriting the same values
// into an existing one changes nothing and would not be written at all.
void BM_RestorePoint(benchmark::State& state, bool write) {
    StartedSession started;
    engine::Session& session = started.session;
    engine::readPass(session);
    const std::string folder = "C:\\Program Files\\Hastelyn\\";
    const std::string point = folder + "復元ポイント bench.ini";
    session.platform.files.deleteFile(point);
    engine::WriteRestorePoint(session, point);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string path = folder + "復元ポイント bench " + std::to_string(n++) + ".ini";
        if (!write) {
            for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
                for (engine::Row& row : session.model.tweakList(c).rows)
                    if (row.enabled) row.ticked = true;
            for (engine::Row& row : session.model.services().rows) row.ticked = true;
            engine::applyPass(session);
        }
        state.ResumeTiming();
        if (write) {
            engine::WriteRestorePoint(session, path);
        } else {
            engine::ApplyRestorePoint(session, point);
        }
        state.PauseTiming();
        if (write) session.platform.files.deleteFile(path);
        engine::clearTicks(session);
        engine::readPass(session);
        state.ResumeTiming();
    }
    session.platform.files.deleteFile(point);
}
BENCHMARK_CAPTURE(BM_RestorePoint, Write, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RestorePoint, ApplyAfterEveryRowChanged, false)->Unit(benchmark::kMillisecond);

}  // namespace
