// A unit on a window's scripted port that answers with fixed live values, for tests and benchmarks.
#pragma once

#include <QLabel>

#include <span>

#include "FakeSerialPort.h"
#include "Hlav.h"
#include "Monitor.h"

namespace dorv::testing {

// Makes the window's scripted port (WindowTestEnv with Port::Scripted) answer every frame with
// live values: 3000 RPM at 15 % throttle (the operating cell of the default points is row 4,
// column 3), supply and servo values, both servos following, the tool's own format version.
// Runs ticks until the window shows the unit as connected, and one more; true when it does.
inline bool ConnectScriptedUnit(TFormHlav& w) {
    auto& port = dynamic_cast<FakeSerialPort&>(w.ComPort());
    MonitorReport report;
    report.Rpm = 3000;
    report.TpPercent = 15;
    report.TpsSteps = 200;
    report.SupplySteps = 250;
    report.ServoRequiredMv = {2300, 1800};
    report.ServoMeasuredMv = {2290, 1810};
    report.ProgramCount = 12;
    report.ServoFlag = {1, 1};
    report.Version = ImageFormatVersion;
    port.RecordWrites = false;
    port.OnWrite = [&port, frame = EncodeMonitorFrame(report)](std::span<const Byte>) {
        port.Queue(frame);
    };
    for (int tick = 0; tick < 40 && !w.Live.LabelSpojeni->isHidden(); ++tick)
        w.OnTick();
    w.OnTick(); // the operating cell of the values now shown
    return w.Live.LabelSpojeni->isHidden();
}

} // namespace dorv::testing
