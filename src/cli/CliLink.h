// The command line's link: the port, the image and the sequencer, ticked every 55 ms.
#pragma once

#include "ComPort.h"
#include "QtSerialPort.h"
#include "TransferSequencer.h"

#include <functional>
#include <memory>
#include <string>

namespace dorv::cli {

// How a transfer pass ended.
enum class PassResult { Ok, Failed, VersionMismatch, Stopped, DeviceLost };

// Set from the SIGINT and SIGTERM handler: the signal that asks the program to stop, or 0.
int StopSignal();
// Installs the handlers of SIGINT and SIGTERM that set StopSignal().
void InstallStopHandlers();

// The period of the tick: TickPeriodMs, the window's. Tests that run many passes may shorten it
// with the environment variable DORV_CLI_TICK_MS (1..TickPeriodMs).
int CliTickMs();

// The device --port names: COMn through DORV.ini [PORTS] (as the window maps it), else the text
// itself.
std::string ResolvePortArgument(const std::string& port);

class CliLink {
public:
    // The program's link is on a QSerialPort; benchmarks give a scripted port.
    explicit CliLink(std::unique_ptr<SerialPort> port = std::make_unique<QtSerialPort>());
    ~CliLink();
    CliLink(const CliLink&) = delete;
    CliLink& operator=(const CliLink&) = delete;

    // Opens the device; on failure the result carries its diagnosis.
    ComOpenResult Open(const std::string& device);

    // Ticks every CliTickMs(), calling onTick after each tick, until it returns true (true), a
    // stop signal comes (false) or maxTicks have passed (false).
    bool RunTicks(const std::function<bool(const TransferEvents&)>& onTick, int maxTicks);

    // Runs a Program (with its verify) or Read (with its verify) pass to its end; progress goes
    // to standard error.
    PassResult RunPass(TransferMode mode);

private:
    std::unique_ptr<SerialPort> port_;

public:
    SerialPort& Port;
    ParameterImage Image;
    std::string VersionSuffix; // after VersionMismatch: "  PC-56, IGN-55"
    TransferSequencer Sequencer{Port, Image};
    int TicksRun = 0; // ticks since the link was made

private:
    void ShowProgress(bool final);
    bool progressOnTerminal_ = false;
    std::string lastProgress_;
};

} // namespace dorv::cli
