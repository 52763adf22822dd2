// Benchmarks of the model room: the comparison of two parameter images.
#include "CompareImages.h"
#include "EditorValues.h"

#include <benchmark/benchmark.h>

using namespace dorv;

namespace {

ParameterImage Defaults() {
    ParameterImage image;
    SetDefaultParameters(image);
    return image;
}

// The editor's image against another: the same, every field and cell different, and the other's
// tables in per cent with every cell different (the costliest path: each cell converted).
void CompareImagesCase(benchmark::State& state) {
    const ParameterImage mine = Defaults();
    ParameterImage other = mine;
    const int which = static_cast<int>(state.range(0));
    if (which >= 1) {
        other.Tps0() = 1;
        other.Tps100() = 1;
        other.PulsesMode() = 2;
        for (ServoIndex s = 0; s < ServoCount; ++s) {
            other.servo(s).ServoEnable() = 0;
            other.servo(s).HysteresisMv() = 1;
            other.servo(s).HysteresisRpm() = 1;
            for (int k = 0; k < RpmColumns; ++k)
                other.servo(s).RpmPoints(k) = static_cast<Byte>(200 + k);
            for (int i = 0; i < TableCells; ++i)
                other.servo(s).CellAt(i) = static_cast<Byte>(mine.servo(s).CellAt(i) ^ 0x55);
        }
    }
    if (which == 2)
        for (ServoIndex s = 0; s < ServoCount; ++s)
            other.servo(s).PercentMode() = 1;
    std::size_t differences = 0;
    for (auto _ : state) {
        const ImageComparison result = CompareImages(mine, other);
        differences = result.Differences.size();
        benchmark::DoNotOptimize(result.Differences.data());
    }
    state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(CompareImagesCase)->ArgName("same0_all1_percent2")->DenseRange(0, 2);

} // namespace

BENCHMARK_MAIN();
