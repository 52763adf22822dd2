// A monitor frame as a data-log sample, and a recorded sample as the monitor values it stands for.
#include "LiveSample.h"

#include "EditingCommands.h"

#include <algorithm>

namespace dorv {

namespace {

constexpr int FullScaleMv = 5000;
constexpr int ConverterMax = 1023;
constexpr int SupplyDivider = 11;

// The fewest converter steps that the monitor reads as mv (steps * 5000 / 1023, truncated).
std::uint16_t StepsFor(int mv) {
    const int steps = (mv * ConverterMax + FullScaleMv - 1) / FullScaleMv;
    return static_cast<std::uint16_t>(std::clamp(steps, 0, 0xFFFF));
}

std::uint16_t Word(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
}

} // namespace

LogSample LogSampleOf(const MonitorValues& v, const ParameterImage& image, std::int64_t elapsedMs,
                      std::string localTime) {
    LogSample s;
    s.LocalTime = std::move(localTime);
    s.ElapsedMs = elapsedMs;
    s.Rpm = v.MonitorRpm;
    s.TpPercent = v.MonitorTpPercent;
    s.TpMv = v.MonitorTpMv;
    s.SupplyMv = v.SupplyMv;
    for (ServoIndex servo = 0; servo < ServoCount; ++servo) {
        s.ServoDesiredMv[servo] = v.Report.ServoRequiredMv[servo];
        s.ServoMeasuredMv[servo] = v.Report.ServoMeasuredMv[servo];
        s.Cell[servo] = FindOperatingCell(image, servo, v.MonitorRpm, v.MonitorTpPercent,
                                          image.servo(servo).TpEnable() != 0);
    }
    return s;
}

MonitorValues MonitorValuesOf(const LogSample& s) {
    MonitorReport r;
    r.Rpm = Word(s.Rpm);
    r.TpsSteps = StepsFor(s.TpMv);
    r.SupplySteps = StepsFor(s.SupplyMv / SupplyDivider);
    for (ServoIndex servo = 0; servo < ServoCount; ++servo) {
        r.ServoRequiredMv[servo] = Word(s.ServoDesiredMv[servo]);
        r.ServoMeasuredMv[servo] = Word(s.ServoMeasuredMv[servo]);
        r.ServoFlag[servo] = 1;
    }
    r.TpPercent = static_cast<Byte>(std::clamp(s.TpPercent, 0, 255));
    r.Version = static_cast<Byte>(ImageFormatVersion);
    const Frame frame = EncodeMonitorFrame(r);
    return *DecodeMonitorFrame(frame);
}

} // namespace dorv
