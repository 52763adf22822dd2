// Benchmarks of one link tick: decoding a monitor frame, and handling a block reply.
#include "FakeSerialPort.h"
#include "SimUnit.h"
#include "TransferSequencer.h"

#include <benchmark/benchmark.h>

using namespace dorv;

namespace {

void TickDecodingMonitorFrame(benchmark::State& state) {
    testing::FakeSerialPort port;
    port.RecordWrites = false;
    ParameterImage image;
    TransferSequencer seq(port, image);
    sim::SimUnit unit(ImageFormatVersion, {.Rpm = 4200, .ThrottlePercent = 37});
    const Frame monitor = *unit.Answer(MakeFrame(PollCommand));
    for (auto _ : state) {
        port.Queue(monitor);
        const TransferEvents events = seq.Tick();
        benchmark::DoNotOptimize(events.Monitor);
    }
    if (!seq.Live().MonitorRpm)
        state.SkipWithError("no monitor frame was decoded");
}

// Verify passes over and over: every tick takes in the matching reply to the current block,
// compares it and sends the next block frame.
void TickHandlingBlockReply(benchmark::State& state) {
    testing::FakeSerialPort port;
    port.RecordWrites = false;
    ParameterImage image;
    sim::SimUnit unit;
    image = unit.Image();
    TransferSequencer seq(port, image);
    std::array<Frame, BlockCount> replies;
    for (int k = 1; k < BlockCount; ++k)
        replies[k] = *unit.Answer(MakeFrame(static_cast<Byte>(ReadFlag | k), image.Block(k)));
    std::int64_t passes = 0;
    for (auto _ : state) {
        if (seq.State().Mode == TransferMode::Idle) {
            seq.StartVerify();
            ++passes;
        }
        port.Queue(replies[BlockOfCommand(seq.State().BlockCommand)]);
        benchmark::DoNotOptimize(seq.Tick());
    }
    if (seq.Display().Message != MessageId::MsgVerifying)
        state.SkipWithError("the Verify passes did not run");
    state.counters["passes"] = static_cast<double>(passes);
}

} // namespace

BENCHMARK(TickDecodingMonitorFrame);
BENCHMARK(TickHandlingBlockReply);
BENCHMARK_MAIN();
