// The command line's link: opening, the 55 ms tick loop, passes with progress, stop signals.
#include "CliLink.h"

#include "PortDiagnosis.h"
#include "PortSystem.h"
#include "PortsSection.h"

#include <QEventLoop>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace dorv::cli {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void OnStopSignal(int signal) {
    stopSignal = signal;
}

const char* PassName(MessageId message) {
    switch (message) {
    case MessageId::MsgProgramming:
        return "programming";
    case MessageId::MsgVerifying:
        return "verifying";
    case MessageId::MsgReading:
        return "reading";
    default:
        return nullptr;
    }
}

// A pass (with its verify) ended well: the sequencer is idle and shows Verifying: OK, or, after
// a Program pass, Programming: OK (its idle step shows that in the very tick the verify ends).
bool PassEndedOk(const TransferSequencer& s) {
    const TransferDisplay& d = s.Display();
    const bool okMessage = d.Message == MessageId::MsgVerifying ||
                           (d.Message == MessageId::MsgProgramming && s.State().ProgrammedOk);
    return s.State().Mode == TransferMode::Idle && okMessage && d.Suffix == ": OK" &&
           d.Colour == StatusColour::Normal;
}

} // namespace

int StopSignal() {
    return stopSignal;
}

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int CliTickMs() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("DORV_CLI_TICK_MS", &ok);
    return ok && ms >= 1 && ms <= TickPeriodMs ? ms : TickPeriodMs;
}

std::string ResolvePortArgument(const std::string& port) {
    if (const auto index = PortIndexOfComName(port))
        return ComDevicePath(*index, ConfiguredPortDevice(ComPortName(*index)));
    return port;
}

CliLink::CliLink(std::unique_ptr<SerialPort> port)
    : port_(std::move(port)), Port(*port_), progressOnTerminal_(::isatty(STDERR_FILENO) != 0) {
    SetDefaultParameters(Image);
}

CliLink::~CliLink() {
    CloseComPort(Port);
}

ComOpenResult CliLink::Open(const std::string& device) {
    ComOpenResult result = OpenComPort(Port, device);
    DiagnoseComOpen(result);
    return result;
}

bool CliLink::RunTicks(const std::function<bool(const TransferEvents&)>& onTick, int maxTicks) {
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    bool done = false;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (StopSignal() != 0 || ++ticks > maxTicks) {
            loop.quit();
            return;
        }
        ++TicksRun;
        if (onTick(Sequencer.Tick())) {
            done = true;
            loop.quit();
        }
    });
    if (StopSignal() != 0)
        return false;
    timer.start(CliTickMs());
    loop.exec();
    return done;
}

PassResult CliLink::RunPass(TransferMode mode) {
    if (mode == TransferMode::Program)
        Sequencer.StartProgramming();
    else if (mode == TransferMode::Read)
        Sequencer.StartRead();
    else
        Sequencer.StartVerify();
    bool mismatch = false;
    // Each of 16 frames may be sent five times, each waiting four ticks: a bound with room.
    constexpr int PassTickLimit = 2 * BlockCount * MaxSends * TimeoutTicks + 40;
    const bool ended = RunTicks(
        [&](const TransferEvents& events) {
            if (events.VersionMismatch) {
                mismatch = true;
                VersionSuffix = events.VersionMismatch->Suffix;
            }
            ShowProgress(false);
            return Sequencer.State().Mode == TransferMode::Idle;
        },
        PassTickLimit);
    ShowProgress(true);
    if (!ended) {
        Sequencer.StopTransfer();
        return StopSignal() != 0 ? PassResult::Stopped : PassResult::Failed;
    }
    if (mismatch)
        return PassResult::VersionMismatch;
    if (Port.DeviceLost())
        return PassResult::DeviceLost;
    return PassEndedOk(Sequencer) ? PassResult::Ok : PassResult::Failed;
}

// A bar redrawn in place on a terminal; otherwise a plain line whenever the step changes. The
// last line of a pass says how it ended.
void CliLink::ShowProgress(bool final) {
    const TransferDisplay& d = Sequencer.Display();
    const bool ok = final && PassEndedOk(Sequencer);
    const char* name = ok ? "verifying" : PassName(d.Message);
    std::string line;
    if (name != nullptr) {
        const int width = 20;
        const int position = ok ? d.ProgressMaximum : d.ProgressPosition;
        const int filled = d.ProgressMaximum > 0 ? width * position / d.ProgressMaximum : 0;
        char text[96];
        std::snprintf(text, sizeof text, "%-11s [%-*s] %d/%d", name, width,
                      std::string(static_cast<std::size_t>(filled), '#').c_str(), position,
                      d.ProgressMaximum);
        line = progressOnTerminal_ ? text
                                   : std::string(name) + " " + std::to_string(position) + "/" +
                                         std::to_string(d.ProgressMaximum);
    }
    if (final)
        line += ok ? " OK" : (line.empty() ? "failed" : " failed");
    if (line == lastProgress_)
        return;
    lastProgress_ = line;
    if (progressOnTerminal_)
        std::fprintf(stderr, "\r%s%s", line.c_str(), final ? "\n" : "");
    else
        std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

} // namespace dorv::cli
