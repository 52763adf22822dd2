// Ticks of a whole-image program: dorv-cli's program against the window's Program and its Verify.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

#include "CliLink.h"
#include "FakeSerialPort.h"
#include "Hlav.h"
#include "SimUnit.h"
#include "WindowTestEnv.h"

namespace {

using dorv::testing::FakeSerialPort;

// A parameter set unlike the defaults in every block.
dorv::ParameterImage WholeImage() {
    dorv::ParameterImage image;
    dorv::SetDefaultParameters(image);
    for (int s = 0; s < dorv::ServoCount; ++s)
        for (int r = 0; r < dorv::ThrottleRows; ++r)
            for (int k = 0; k < dorv::RpmColumns; ++k)
                image.ServoTable(s, r, k) = static_cast<dorv::Byte>(30 + 3 * r + k + s);
    dorv::NormalizeRpmPoints(image);
    return image;
}

// A prompt unit on a scripted port: each frame's answer is there by the next tick.
void AnswerFrom(FakeSerialPort& port, dorv::sim::SimUnit& unit) {
    port.RecordWrites = false;
    port.OnWrite = [&port, &unit](std::span<const dorv::Byte> frame) {
        if (auto reply = unit.Answer(frame))
            port.Queue(*reply);
    };
}

// dorv-cli's program: one Program pass with its verify, as the command runs it.
int CliProgramTicks() {
    dorv::sim::SimUnit unit{dorv::ImageFormatVersion, {}};
    auto port = std::make_unique<FakeSerialPort>();
    AnswerFrom(*port, unit);
    port->Open("unit");
    dorv::cli::CliLink link(std::move(port));
    link.Image = WholeImage();
    const auto outcome = link.RunPass(dorv::TransferMode::Program);
    if (outcome != dorv::cli::PassResult::Ok || !link.Sequencer.State().ProgrammedOk)
        return -1;
    return link.TicksRun;
}

// The window's Program click and its ticks until Program and Verify have ended well.
int WindowProgramTicks() {
    const dorv::testing::WindowTestEnv env;
    TFormHlav window;
    dorv::sim::SimUnit unit{dorv::ImageFormatVersion, {}};
    AnswerFrom(dynamic_cast<FakeSerialPort&>(window.ComPort()), unit);
    window.Image = WholeImage();
    window.FillEditors();
    window.OnProgram();
    for (int ticks = 1; ticks < 1000; ++ticks) {
        window.OnTick();
        const auto& s = window.Sequencer();
        if (s.State().Mode == dorv::TransferMode::Idle)
            return s.State().ProgrammedOk && s.Display().Suffix == ": OK" ? ticks : -1;
    }
    return -1;
}

// Counters: the ticks each takes (at 55 ms a tick); the run fails when the command line takes
// more than the window.
void BM_ProgramTicks(benchmark::State& state) {
    qputenv("DORV_CLI_TICK_MS", "1"); // the count is what is measured, not the wait
    int cli = 0;
    int window = 0;
    for (auto _ : state) {
        cli = CliProgramTicks();
        window = WindowProgramTicks();
    }
    if (cli < 0 || window < 0) {
        state.SkipWithError("a pass did not end well");
        return;
    }
    state.counters["cli_ticks"] = cli;
    state.counters["window_ticks"] = window;
    state.counters["cli_ms_at_55ms"] = cli * dorv::TickPeriodMs;
    if (cli > window)
        state.SkipWithError("dorv-cli program takes more ticks than the window");
}
BENCHMARK(BM_ProgramTicks)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
