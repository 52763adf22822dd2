// Benchmarks of the main window: building it, one table editor, FillEditors on a servo page, and a
// page change with its repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>

#include "EditUpDown.h"
#include "EditorValues.h"
#include "Hlav.h"
#include "ServoTable.h"

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

// The whole window, built and taken down again; the fonts and the style are loaded by then, so
// this is the cost of the controls themselves.
void BM_CreateWindow(benchmark::State& state) {
    for (auto _ : state) {
        TFormHlav window;
        benchmark::DoNotOptimize(window.ServoTable);
    }
}
BENCHMARK(BM_CreateWindow)->Unit(benchmark::kMillisecond);

// One cell editor of a servo table, as the window makes 150 of them.
void BM_CreateEditUpDown(benchmark::State& state) {
    QWidget parent;
    for (auto _ : state) {
        auto* editor = new TEditUpDown(&parent);
        editor->SetRange(dorv::CellRangeMillivolts);
        editor->SetPosition(120);
        benchmark::DoNotOptimize(editor);
        delete editor;
    }
}
BENCHMARK(BM_CreateEditUpDown)->Unit(benchmark::kMicrosecond);

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

// A table operation on the whole table with its refill and record: 2-D interpolation of a table
// whose corners move each time, so that every run changes the image.
void BM_TableOperationWithRefill(benchmark::State& state) {
    TFormHlav window;
    PrepareWindow(window);
    window.ServoTable->SetCurrentCell({0, 0});
    window.ServoTable->SelectAll();
    dorv::Byte corner = 0;
    for (auto _ : state) {
        window.Image.servo(0).Cell(9, 14) = ++corner % 250;
        window.ServoTableOperation(dorv::TableOperation::InterpolateBilinear);
    }
}
BENCHMARK(BM_TableOperationWithRefill)->Unit(benchmark::kMicrosecond);

} // namespace
