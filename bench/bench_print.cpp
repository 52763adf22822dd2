// Benchmark of File > Print: a servo page printed to PDF, with the file's size and the memory the
// print takes beyond the idle window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>

#include <fstream>
#include <optional>
#include <string>

#include "EditorValues.h"
#include "Hlav.h"
#include "ProcessStatus.h"
#include "ScriptedUnit.h"
#include "WindowTestEnv.h"

namespace {

using dorv::bench::StatusKb;

// Sets the peak resident size (VmHWM) back to the resident size now; false when not allowed.
bool ResetPeakMemory() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    return static_cast<bool>(clearRefs.flush());
}

// Servo 1 with its whole table and live values from a unit, printed again and again to one PDF
// file. Counters: the first print's time, the PDF's size, and the highest resident memory during
// all the prints above the idle window's.
void BM_PrintServoPage(benchmark::State& state) {
    const dorv::testing::WindowTestEnv env;
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("servo1.pdf"));
    TFormHlav window;
    window.Image.servo(0).TpEnable() = 1;
    window.PageControl1->setCurrentIndex(1);
    window.FillEditors();
    window.show();
    QApplication::processEvents();
    if (!dorv::testing::ConnectScriptedUnit(window)) {
        state.SkipWithError("the scripted unit did not connect");
        return;
    }
    window.Printer.ChoosePrintTarget = [&]() -> std::optional<QString> { return pdf; };

    // The first print of the run loads what printing needs (the PDF engine, the fonts to embed):
    // timed on its own, and counted in the memory figure.
    const bool peakKnown = ResetPeakMemory();
    const long idleKb = StatusKb("VmRSS");
    QElapsedTimer first;
    first.start();
    window.OnPrint();
    state.counters["first_print_ms"] = static_cast<double>(first.nsecsElapsed()) / 1e6;
    QApplication::processEvents();
    for (auto _ : state)
        window.OnPrint();
    const long peakKb = StatusKb("VmHWM");

    state.counters["pdf_kB"] = static_cast<double>(QFileInfo(pdf).size()) / 1024.0;
    if (peakKnown && idleKb > 0 && peakKb > 0)
        state.counters["peak_MB_over_idle"] = static_cast<double>(peakKb - idleKb) / 1024.0;
}
BENCHMARK(BM_PrintServoPage)->Unit(benchmark::kMillisecond);

} // namespace
