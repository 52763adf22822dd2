// Benchmarks of the main window: FillEditors on a servo page, and a page change with its repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>

#include "EditorValues.h"
#include "Hlav.h"

namespace {

// The window with both servo tables shown in full, as a technician works with it.
void PrepareWindow(TFormHlav& window) {
    for (dorv::ServoIndex s = 0; s < dorv::ServoCount; ++s)
        window.Image.servo(s).TpEnable() = 1;
    dorv::SwitchPercentMode(window.Image, 1, true);
    window.show();
    window.PageControl1->setCurrentIndex(1);
    QApplication::processEvents();
}

void BM_FillEditorsServoPage(benchmark::State& state) {
    TFormHlav window;
    PrepareWindow(window);
    dorv::Byte cell = 0;
    for (auto _ : state) {
        window.Image.servo(0).Cell(5, 5) = ++cell % 250; // a real change to show each time
        window.FillEditors();
    }
}
BENCHMARK(BM_FillEditorsServoPage)->Unit(benchmark::kMicrosecond);

void BM_PageChangeWithRepaint(benchmark::State& state) {
    TFormHlav window;
    PrepareWindow(window);
    int page = 1;
    for (auto _ : state) {
        page = page == 1 ? 2 : 1;
        window.PageControl1->setCurrentIndex(page);
        window.repaint();
    }
}
BENCHMARK(BM_PageChangeWithRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
