// The window: start-up to a shown window, and a page down in the grid.
#include <QtTest>
#include <benchmark/benchmark.h>

#include "BenchFiles.h"
#include "TData.h"
#include "Tfmain.h"

namespace {

void BM_StartupToShownWindow(benchmark::State& state) {
    const int n = int(state.range(0));
    const QString exe = benchProgramFolder(n) + "/Lieferanten";
    for (auto _ : state) {
        auto window = std::make_unique<Tfmain>();
        auto data = std::make_unique<TData>([](const std::exception&) {}, dataset::defaultEngineFactory(), exe);
        window->bindData(data.get());
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            state.SkipWithError("window not shown");
        window->repaint();
        state.PauseTiming();
        data.reset();
        window.reset();
        state.ResumeTiming();
    }
}

void BM_GridPageDown(benchmark::State& state) {
    const int n = int(state.range(0));
    auto window = std::make_unique<Tfmain>();
    auto data = std::make_unique<TData>([](const std::exception&) {}, dataset::defaultEngineFactory(),
                                        benchProgramFolder(n) + "/Lieferanten");
    window->bindData(data.get());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        state.SkipWithError("window not shown");
    window->DBGrid1->setFocus();
    for (auto _ : state) {
        if (data->Lieferanten->recNo() > n - 100)
            data->Lieferanten->first();
        QTest::keyClick(window->DBGrid1, Qt::Key_PageDown);
        window->DBGrid1->viewport()->repaint();
        window->edbemerkung->repaint();
    }
    window->close();
}

} // namespace

BENCHMARK(BM_StartupToShownWindow)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_GridPageDown)->Arg(1000000)->Unit(benchmark::kMillisecond);
