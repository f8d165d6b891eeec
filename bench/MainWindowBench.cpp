// The main window made, its creation sequence run and the window shown, as the program does at
// start, offscreen on the default machine. The fonts and the machine's files are warm after the
// first run, so this measures what the window's own making costs: its controls, their texts,
// the lists' fitting and the start-up read. (Process start to the window mapped, fonts
// included, is bench/side-by-side.sh against the bare window.)
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "bench/BenchMachine.h"
#include "bench/BenchSurfaces.h"
#include "engine/Session.h"
#include "ui/model/MainScreen.h"
#include "ui/qt/MainWindow.h"

namespace {

using namespace hastelyn;

void BM_MainWindowMadeAndShown(benchmark::State& state) {
    bench::QuietSession quiet(bench::defaultMachine().platform());
    engine::Session& session = quiet.session;
    for (auto _ : state) {
        ui::TFrmMain window(session);
        const std::vector<std::string> errors = window.screen().create({1024, 768, 32});
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(errors.size());
    }
}
BENCHMARK(BM_MainWindowMadeAndShown)->Unit(benchmark::kMillisecond);

}  // namespace
