// One whole refresh of the compact window as its timer runs it every second: the meters sampled,
// the figures worked out and formatted, the labels and bars set. CPU time per tick; the goal is
// at most 1 ms. Offscreen, on the default machine with this computer's figures.
#include <benchmark/benchmark.h>

#include <QMetaObject>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>

#include "bench/BenchMachine.h"
#include "bench/BenchSurfaces.h"
#include "ui/qt/Application.h"
#include "ui/qt/CompactWindow.h"

namespace {

using namespace hastelyn;

void BM_CompactWindowRefresh(benchmark::State& state) {
    bench::QuietSession quiet(bench::defaultMachine().platform());
    engine::Session& session = quiet.session;
    session.codes = foundation::detectEdition(session.platform.system.getVersion());
    ui::TFrmCompact window(session);
    window.show();
    window.BtnPerformance->click();
    for (auto _ : state) QMetaObject::invokeMethod(window.TmrFreq, "timeout");
    window.BtnPerformance->click();
}
BENCHMARK(BM_CompactWindowRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ui::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
