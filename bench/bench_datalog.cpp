// Benchmarks of the data log: the tick's cost with recording on, and a soak of 8 hours of frames.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <string>

#include "Hlav.h"
#include "LogFormat.h"
#include "LogWriter.h"
#include "ProcessStatus.h"
#include "ScriptedUnit.h"
#include "WindowTestEnv.h"

namespace {

using dorv::bench::StatusKb;

// The logs in XDG_DATA_HOME's log folder, read back.
dorv::LogRead ReadOnlyLog() {
    const QStringList logs = QDir(dorv::LogFolderPath()).entryList(QDir::Files);
    if (logs.size() != 1)
        return {{}, dorv::LogReadStatus::NotALog, -1};
    QFile file(QDir(dorv::LogFolderPath()).filePath(logs[0]));
    if (!file.open(QIODevice::ReadOnly))
        return {{}, dorv::LogReadStatus::NotALog, -1};
    std::istringstream in(file.readAll().toStdString());
    return dorv::ReadLog(in);
}

// A window on servo 1 with a scripted unit answering each poll, the log folder private.
struct LoggingWindow {
    dorv::testing::WindowTestEnv env;
    QTemporaryDir dataHome;
    std::int64_t clock = 0;
    std::unique_ptr<TFormHlav> window;

    LoggingWindow() {
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
        window = std::make_unique<TFormHlav>();
        window->Image.servo(0).TpEnable() = 1;
        window->PageControl1->setCurrentIndex(1);
        window->FillEditors();
        window->SetLogClock([this] { return clock; });
    }
    ~LoggingWindow() {
        window.reset();
        qunsetenv("XDG_DATA_HOME");
    }
    void Tick() {
        clock += TFormHlav::TimerInterval;
        window->OnTick();
    }
};

// One poll cycle of the tick (six ticks, one monitor frame answered and shown), without (0) and
// with (1) recording. The figure is per frame; the difference is what recording adds to a tick.
void BM_TickPollCycle(benchmark::State& state) {
    LoggingWindow w;
    w.window->show();
    QApplication::processEvents();
    if (!dorv::testing::ConnectScriptedUnit(*w.window)) {
        state.SkipWithError("the scripted unit did not connect");
        return;
    }
    if (state.range(0) == 1)
        w.window->Commands.MenuRecord->trigger();
    for (auto _ : state) {
        for (int tick = 0; tick < dorv::PollTicks; ++tick)
            w.Tick();
        QApplication::processEvents();
    }
    if (w.window->Recording())
        w.window->StopRecording();
    state.SetLabel(state.range(0) == 1 ? "recording" : "not recording");
}
BENCHMARK(BM_TickPollCycle)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Eight hours of ticks in simulated time with recording on, every poll answered: the resident
// memory the recording adds, and whether the file holds every sample recorded.
void BM_SoakEightHours(benchmark::State& state) {
    constexpr std::int64_t EightHoursMs = 8LL * 3600 * 1000;
    for (auto _ : state) {
        LoggingWindow w;
        if (!dorv::testing::ConnectScriptedUnit(*w.window)) {
            state.SkipWithError("the scripted unit did not connect");
            return;
        }
        w.window->Commands.MenuRecord->trigger();
        // A minute first, so that what every run of the tool allocates once is in place.
        for (int tick = 0; tick < 60'000 / TFormHlav::TimerInterval; ++tick)
            w.Tick();
        const long startKb = StatusKb("VmRSS");
        const std::int64_t end = w.clock + EightHoursMs;
        while (w.clock < end)
            w.Tick();
        const long endKb = StatusKb("VmRSS");
        const QString shown = w.window->LabelRecording->text();
        w.window->StopRecording();
        const dorv::LogRead read = ReadOnlyLog();
        const auto samples = static_cast<double>(read.Samples.size());
        state.counters["samples_in_file"] = samples;
        state.counters["whole_file"] = read.Status == dorv::LogReadStatus::Whole ? 1 : 0;
        state.counters["growth_MB"] = static_cast<double>(endKb - startKb) / 1024.0;
        state.counters["last_ms_s"] =
            read.Samples.empty() ? 0 : static_cast<double>(read.Samples.back().ElapsedMs) / 1000.0;
        // Every frame answered: one sample per poll cycle.
        state.counters["samples_expected"] = static_cast<double>(
            (EightHoursMs + 60'000) / (TFormHlav::TimerInterval * dorv::PollTicks));
        state.SetLabel(shown.toStdString());
    }
}
BENCHMARK(BM_SoakEightHours)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
