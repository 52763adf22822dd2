// dorv-cli: reads, verifies, programs and monitors a unit from the command line.
#include "CliHistory.h"
#include "CliLink.h"
#include "CliOptions.h"
#include "ImageDiff.h"

#include "ComPort.h"
#include "PortDiagnosis.h"
#include "PortSystem.h"
#include "PortsSection.h"
#include "StorageFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>

using namespace dorv;
using namespace dorv::cli;

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void PrintJson(const QJsonObject& object) {
    std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << std::endl;
}

int Fail(int status, const std::string& message) {
    std::cerr << "dorv-cli: " << message << std::endl;
    return status;
}

int StoppedStatus() {
    std::cerr << "dorv-cli: stopped" << std::endl;
    return 128 + StopSignal();
}

// Why a port could not be opened, and what to do about it.
std::string DiagnosisText(const PortDiagnosis& d) {
    switch (d.Kind) {
    case PortOpenError::NotFound: {
        std::string present;
        for (const auto& path : d.PresentDevices)
            present += (present.empty() ? "" : ", ") + path;
        return "the device does not exist; " + (present.empty()
                                                    ? std::string("no serial device is present")
                                                    : "serial devices present: " + present);
    }
    case PortOpenError::PermissionDenied:
        return "no permission: the device belongs to the group " + d.Group +
               ". Add yourself to it with the command\n  " + d.Command + "\nthen log in again.";
    case PortOpenError::Busy:
        if (d.HolderPid)
            return "the device is in use by another program (process " +
                   std::to_string(*d.HolderPid) + (d.HolderName.empty() ? "" : " " + d.HolderName) +
                   ")";
        return "the device is in use by another program";
    case PortOpenError::None:
    case PortOpenError::Other:
        break;
    }
    return d.SystemReason.empty() ? "the device cannot be opened"
                                  : "the device cannot be opened (" + d.SystemReason + ")";
}

// Opens --port; on failure tells why (exit status 2).
std::optional<int> OpenPort(CliLink& link, const CliOptions& o) {
    const std::string device = ResolvePortArgument(o.Port);
    const ComOpenResult result = link.Open(device);
    if (result.Opened)
        return std::nullopt;
    const std::string reason = result.Diagnosis ? DiagnosisText(*result.Diagnosis) : "cannot open";
    if (o.Json) {
        QJsonObject error{{"error", "port"}, {"device", Q(device)}, {"reason", Q(reason)}};
        if (result.Diagnosis)
            error["kind"] = int(result.Diagnosis->Kind);
        PrintJson(error);
    }
    return Fail(ExitPortTrouble, "cannot open " + device + ": " + reason);
}

// The status of a pass that did not end well.
int PassTrouble(PassResult outcome, const CliLink& link, const char* what) {
    switch (outcome) {
    case PassResult::Stopped:
        return StoppedStatus();
    case PassResult::VersionMismatch:
        return Fail(ExitVersionMismatch,
                    "the unit's parameter format version does not match:" + link.VersionSuffix);
    case PassResult::DeviceLost:
        return Fail(ExitPortTrouble, std::string(what) + " failed: device disconnected");
    case PassResult::Failed:
    case PassResult::Ok:
        break;
    }
    return Fail(ExitPortTrouble, std::string(what) + " failed: the unit does not answer");
}

// A .ign file over base, normalised as the window sends it; nothing (and a message) when the
// file is refused.
std::optional<ParameterImage> LoadFile(const std::string& path, const ParameterImage& base) {
    const ParameterFileResult r = OpenParameterFile(Q(path), base);
    if (!r.Accepted()) {
        Fail(ExitBadInput, path + ": not a usable parameter file" +
                               (r.Detail.empty() ? std::string() : " (" + r.Detail + ")"));
        return std::nullopt;
    }
    ParameterImage image = r.Image;
    NormalizeRpmPoints(image);
    return image;
}

ParameterImage Defaults() {
    ParameterImage image;
    SetDefaultParameters(image);
    return image;
}

QJsonObject IdentityJson(const ParameterImage& image) {
    const IdentityTexts id = DecodeIdentityBlock(image);
    return {{"version", Q(id.VersionText)},
            {"date", Q(id.DateText)},
            {"time", Q(id.TimeText)},
            {"formatVersion", int(image.FormatVersion())}};
}

// Prints the differences; the exit status: 0 none, 1 some.
int ReportDifferences(const std::vector<ParameterDifference>& diffs, const std::string& nameA,
                      const std::string& nameB, bool json) {
    if (json) {
        QJsonArray list;
        for (const auto& d : diffs)
            list.append(QJsonObject{{"name", Q(d.Name)}, {"a", Q(d.A)}, {"b", Q(d.B)}});
        PrintJson(
            {{"a", Q(nameA)}, {"b", Q(nameB)}, {"same", diffs.empty()}, {"differences", list}});
    } else if (diffs.empty()) {
        std::cout << "same parameters" << std::endl;
    } else {
        for (const auto& d : diffs)
            std::cout << d.Name << "\n  " << nameA << ": " << d.A << "\n  " << nameB << ": " << d.B
                      << "\n";
        std::cout << diffs.size() << " parameter line(s) differ" << std::endl;
    }
    return diffs.empty() ? ExitOk : ExitDiffer;
}

// Keeps the unit's image in the history, unless --no-history.
void Keep(const CliOptions& o, HistoryKind kind, const ParameterImage& unit,
          const std::string& file) {
    if (!o.NoHistory)
        KeepInHistory(kind, unit, file);
}

// Reads the unit's parameters into link.Image; the failure's status when it does not end well.
std::optional<int> ReadUnit(CliLink& link) {
    const PassResult outcome = link.RunPass(TransferMode::Read);
    if (outcome != PassResult::Ok)
        return PassTrouble(outcome, link, "read");
    return std::nullopt;
}

int Ports(const CliOptions& o) {
    std::map<int, std::string> configured;
    for (int k = 0; k <= PortIndexMax; ++k)
        if (auto device = ConfiguredPortDevice(ComPortName(k)))
            configured[k] = *device;
    QJsonArray list;
    for (const auto& d : PresentSerialDevices()) {
        QJsonArray coms;
        std::string comText;
        for (int k : ComIndexesOf(d, configured)) {
            coms.append(Q(ComPortName(k)));
            comText += (comText.empty() ? "" : ",") + ComPortName(k);
        }
        if (o.Json) {
            list.append(QJsonObject{{"path", Q(d.Path)},
                                    {"stableName", Q(d.StableName)},
                                    {"description", Q(d.Description)},
                                    {"manufacturer", Q(d.Manufacturer)},
                                    {"serialNumber", Q(d.SerialNumber)},
                                    {"usb", d.Usb},
                                    {"com", coms}});
            continue;
        }
        std::cout << d.Path << "\t" << (d.StableName.empty() ? "-" : d.StableName) << "\t"
                  << (d.Description.empty() ? "-" : d.Description) << "\t"
                  << (d.Manufacturer.empty() ? "-" : d.Manufacturer) << "\t"
                  << (d.SerialNumber.empty() ? "-" : d.SerialNumber) << "\t"
                  << (comText.empty() ? "-" : comText) << "\n";
    }
    if (o.Json)
        PrintJson({{"devices", list}});
    std::cout.flush();
    return ExitOk;
}

QJsonObject LiveJson(const MonitorReport& r, int supplyMv) {
    return {{"rpm", r.Rpm},
            {"throttlePercent", r.TpPercent},
            {"supplyMv", supplyMv},
            {"servo1DesiredMv", r.ServoRequiredMv[0]},
            {"servo1MeasuredMv", r.ServoMeasuredMv[0]},
            {"servo2DesiredMv", r.ServoRequiredMv[1]},
            {"servo2MeasuredMv", r.ServoMeasuredMv[1]},
            {"programCount", r.ProgramCount}};
}

std::string LiveText(const MonitorReport& r, int supplyMv) {
    return "rpm=" + std::to_string(r.Rpm) + " throttle=" + std::to_string(r.TpPercent) +
           "% supply=" + std::to_string(supplyMv) +
           "mV servo1=" + std::to_string(r.ServoRequiredMv[0]) + "/" +
           std::to_string(r.ServoMeasuredMv[0]) +
           "mV servo2=" + std::to_string(r.ServoRequiredMv[1]) + "/" +
           std::to_string(r.ServoMeasuredMv[1]) + "mV count=" + std::to_string(r.ProgramCount);
}

// Ticks until the first monitor frame; false when none comes within two seconds.
bool WaitForLiveValues(CliLink& link, std::optional<MonitorValues>& live) {
    constexpr int FirstFrameTicks = 2000 / TickPeriodMs;
    return link.RunTicks(
               [&](const TransferEvents& e) {
                   if (e.Monitor)
                       live = e.Monitor;
                   return live.has_value() || link.Port.DeviceLost();
               },
               FirstFrameTicks) &&
           live.has_value();
}

int Info(const CliOptions& o) {
    CliLink link;
    if (auto status = OpenPort(link, o))
        return *status;
    std::optional<MonitorValues> live;
    if (!WaitForLiveValues(link, live))
        return StopSignal() ? StoppedStatus() : Fail(ExitPortTrouble, "the unit does not answer");
    const PassResult outcome = link.RunPass(TransferMode::Read);
    if (outcome != PassResult::Ok && outcome != PassResult::VersionMismatch)
        return PassTrouble(outcome, link, "reading the identity");
    const IdentityTexts id = DecodeIdentityBlock(link.Image);
    if (o.Json) {
        QJsonObject info = IdentityJson(link.Image);
        info["live"] = LiveJson(live->Report, live->SupplyMv);
        info["programCount"] = live->Report.ProgramCount;
        PrintJson(info);
    } else {
        std::cout << "version: " << id.VersionText << "\ndate: " << id.DateText
                  << "\ntime: " << id.TimeText
                  << "\nformat version: " << int(link.Image.FormatVersion())
                  << "\nprogramming count: " << live->Report.ProgramCount
                  << "\nlive: " << LiveText(live->Report, live->SupplyMv) << std::endl;
    }
    return outcome == PassResult::VersionMismatch ? PassTrouble(outcome, link, "") : ExitOk;
}

int Read(const CliOptions& o) {
    CliLink link;
    if (auto status = OpenPort(link, o))
        return *status;
    if (auto status = ReadUnit(link))
        return *status;
    CloseComPort(link.Port);
    if (StopSignal())
        return StoppedStatus();
    const FileWriteResult written = SaveParameterFile(Q(o.Output), link.Image);
    // The unit's image is kept even when the output file cannot be written: it is not lost.
    Keep(o, HistoryKind::Read, link.Image, o.Output);
    if (!written.Ok)
        return Fail(ExitBadInput,
                    o.Output + ": cannot be written (" + written.Error.toStdString() + ")");
    if (o.Json)
        PrintJson({{"file", Q(o.Output)}, {"identity", IdentityJson(link.Image)}});
    else
        std::cout << "read the unit into " << o.Output << std::endl;
    return ExitOk;
}

int Verify(const CliOptions& o) {
    if (!LoadFile(o.Operands[0], Defaults()))
        return ExitBadInput;
    CliLink link;
    if (auto status = OpenPort(link, o))
        return *status;
    if (auto status = ReadUnit(link))
        return *status;
    const auto file = LoadFile(o.Operands[0], link.Image);
    if (!file)
        return ExitBadInput;
    const auto diffs = DifferingParameters(*file, link.Image);
    if (!diffs.empty())
        Keep(o, HistoryKind::UnitDiffers, link.Image, o.Operands[0]);
    return ReportDifferences(diffs, o.Operands[0], "unit", o.Json);
}

int Program(const CliOptions& o) {
    const auto file = LoadFile(o.Operands[0], Defaults());
    if (!file)
        return ExitBadInput;
    CliLink link;
    if (auto status = OpenPort(link, o))
        return *status;
    link.Image = *file;
    const PassResult outcome = link.RunPass(TransferMode::Program);
    if (outcome == PassResult::Ok && link.Sequencer.State().ProgrammedOk) {
        // The verify passed: the image (with the identity block the unit answered) is the unit's.
        Keep(o, HistoryKind::Programmed, link.Image, o.Operands[0]);
        if (o.Json)
            PrintJson(
                {{"programmed", true}, {"verified", true}, {"identity", IdentityJson(link.Image)}});
        else
            std::cout << "programmed and verified " << o.Operands[0] << std::endl;
        return ExitOk;
    }
    if (outcome != PassResult::Failed)
        return PassTrouble(outcome, link, "programming");
    // The pass failed: what the unit holds now decides between "differs" and "no answer".
    const ParameterImage sent = link.Image;
    std::cerr << "dorv-cli: programming failed; reading the unit back to check" << std::endl;
    if (auto status = ReadUnit(link))
        return *status;
    const auto diffs = DifferingParameters(sent, link.Image);
    if (!diffs.empty())
        std::cerr << "dorv-cli: the unit does not hold " << o.Operands[0] << std::endl;
    // What the unit was read back holding: the file after all, or something else.
    Keep(o, diffs.empty() ? HistoryKind::Programmed : HistoryKind::UnitDiffers, link.Image,
         o.Operands[0]);
    return ReportDifferences(diffs, o.Operands[0], "unit", o.Json);
}

int Monitor(const CliOptions& o) {
    CliLink link;
    if (auto status = OpenPort(link, o))
        return *status;
    if (o.Csv)
        std::cout << "time_s,rpm,throttle_percent,supply_mv,servo1_desired_mv,servo1_measured_mv,"
                     "servo2_desired_mv,servo2_measured_mv,program_count"
                  << std::endl;
    QElapsedTimer clock;
    clock.start();
    bool seen = false;
    bool lost = false;
    constexpr int FirstFrameTicks = 2000 / TickPeriodMs;
    int ticks = 0;
    link.RunTicks(
        [&](const TransferEvents& e) {
            ++ticks;
            if (e.Monitor) {
                seen = true;
                const MonitorReport& r = e.Monitor->Report;
                const double t = clock.elapsed() / 1000.0;
                if (o.Json) {
                    QJsonObject line = LiveJson(r, e.Monitor->SupplyMv);
                    line["time"] = t;
                    PrintJson(line);
                } else if (o.Csv) {
                    char row[160];
                    std::snprintf(row, sizeof row, "%.3f,%u,%u,%d,%u,%u,%u,%u,%u", t, r.Rpm,
                                  r.TpPercent, e.Monitor->SupplyMv, r.ServoRequiredMv[0],
                                  r.ServoMeasuredMv[0], r.ServoRequiredMv[1], r.ServoMeasuredMv[1],
                                  r.ProgramCount);
                    std::cout << row << std::endl;
                } else {
                    std::cout << LiveText(r, e.Monitor->SupplyMv) << std::endl;
                }
            }
            lost = link.Port.DeviceLost() || (!seen && ticks >= FirstFrameTicks) ||
                   (seen && link.Sequencer.Display().NoConnection);
            return lost || (o.Duration && clock.elapsed() >= *o.Duration * 1000);
        },
        std::numeric_limits<int>::max());
    if (lost)
        return Fail(ExitPortTrouble,
                    link.Port.DeviceLost() ? "device disconnected" : "the unit does not answer");
    return ExitOk; // the duration has passed, or Ctrl+C ended the watch
}

int Diff(const CliOptions& o) {
    std::optional<CliLink> link;
    std::optional<ParameterImage> images[2];
    for (int i = 0; i < 2; ++i) {
        if (o.Operands[i] != "unit" && !(images[i] = LoadFile(o.Operands[i], Defaults())))
            return ExitBadInput;
    }
    for (int i = 0; i < 2; ++i) {
        if (o.Operands[i] != "unit")
            continue;
        if (!link) {
            link.emplace();
            if (auto status = OpenPort(*link, o))
                return *status;
            if (auto status = ReadUnit(*link))
                return *status;
        }
        images[i] = link->Image;
    }
    return ReportDifferences(DifferingParameters(*images[0], *images[1]), o.Operands[0],
                             o.Operands[1], o.Json);
}

int Run(const CliOptions& o) {
    switch (o.Which) {
    case Command::Ports:
        return Ports(o);
    case Command::Info:
        return Info(o);
    case Command::Read:
        return Read(o);
    case Command::Verify:
        return Verify(o);
    case Command::Program:
        return Program(o);
    case Command::Monitor:
        return Monitor(o);
    case Command::Diff:
        return Diff(o);
    case Command::None:
        break;
    }
    return ExitBadInput;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dorv-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DORV_VERSION));
    InstallStopHandlers();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (parsed.Options.Version) {
        std::cout << "dorv-cli " << DORV_VERSION << std::endl;
        return ExitOk;
    }
    if (parsed.Options.Help) {
        std::cout << UsageText(parsed.Options.Which);
        return ExitOk;
    }
    if (!parsed.Error.empty()) {
        std::cerr << "dorv-cli: " << parsed.Error << "\n" << UsageText(parsed.Options.Which);
        return ExitBadInput;
    }
    return Run(parsed.Options);
}
