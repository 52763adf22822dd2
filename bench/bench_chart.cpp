// Benchmark of the live chart: one frame added and drawn, with the chart full of 15 minutes.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "LiveChart.h"

namespace {

dorv::LogSample SampleAt(std::int64_t i) {
    dorv::LogSample s;
    s.ElapsedMs = 330 * i;
    s.Rpm = static_cast<int>(2000 + (i * 37) % 6000);
    s.TpPercent = static_cast<int>(i % 100);
    s.ServoDesiredMv = {static_cast<int>(1000 + (i * 13) % 3000), 2000};
    s.ServoMeasuredMv = {static_cast<int>(990 + (i * 13) % 3000), 2010};
    return s;
}

// One frame at the tick: the sample added to every plot and the window drawn again, as the
// event loop does after the tick. The span shown is the argument (seconds); the chart already
// holds 15 minutes of frames.
void BM_ChartFrame(benchmark::State& state) {
    TFormChart chart;
    chart.ApplyLanguage(dorv::Language::English);
    chart.SetSpan(static_cast<int>(state.range(0)));
    std::vector<dorv::LogSample> kept;
    std::int64_t i = 0;
    for (; i < 15 * 60 * 1000 / 330; ++i)
        kept.push_back(SampleAt(i));
    chart.ShowSamples(kept);
    chart.show();
    QApplication::processEvents();
    for (auto _ : state) {
        chart.AddSample(SampleAt(i++));
        QApplication::processEvents(); // the scene's update and the paint
    }
    state.counters["points_drawn"] = chart.ShownPoints();
}
BENCHMARK(BM_ChartFrame)->Arg(60)->Arg(300)->Arg(900)->Unit(benchmark::kMillisecond);

} // namespace
