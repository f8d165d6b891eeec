// What the recording layer costs a real run: the accelerate command with every tweak row
// changed (restore point included) on the default machine, straight on the machine and through
// the layer in pass-through mode, which reads each value before it writes it.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchMachine.h"
#include "bench/BenchSurfaces.h"
#include "engine/Accelerate.h"
#include "engine/Startup.h"
#include "platform/recording/RecordingPlatform.h"

namespace {

using namespace hastelyn;

void BM_AccelerateTickAll(benchmark::State& state) {
    const bool recorded = state.range(0) != 0;
    bench::BenchMachine& machine = bench::defaultMachine();
    bench::SilentClipboard clipboard;
    bench::RuleDialogs dialogs{true};
    bool tick = true;
    std::size_t changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A layer of its own for every run, as every hastelyn-cli process has.
        std::unique_ptr<recording::RecordingPlatform> layer;
        if (recorded) layer = std::make_unique<recording::RecordingPlatform>(machine.platform(), recording::RecordingMode::PassThrough);
        engine::Session session(layer ? layer->platform() : machine.platform(), clipboard, dialogs);
        if (layer) session.applyingRow = [&](std::string_view row) { layer->log().beginRow(row); };
        engine::startWithoutWindows(session);
        for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
            for (engine::Row& row : session.model.tweakList(c).rows)
                if (row.enabled) row.ticked = tick;
        tick = !tick;
        dialogs.reset();
        state.ResumeTiming();
        const engine::AccelerateOutcome outcome = engine::BtnAccelerateClick(session);
        if (layer) changes = layer->log().byRow().size();
        state.PauseTiming();
        if (!outcome.restorePoint.empty())
            bench::mustWork(machine.platform().files.deleteFile(outcome.restorePoint), "delete");
        state.ResumeTiming();
    }
    state.counters["rows_reported"] = static_cast<double>(changes);
}
BENCHMARK(BM_AccelerateTickAll)->Arg(0)->Arg(1)->ArgName("recorded")->Unit(benchmark::kMillisecond);

}  // namespace
