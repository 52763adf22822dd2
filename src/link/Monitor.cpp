// Encoding and decoding of the monitor frame, with the label texts and colours of each value.
#include "Monitor.h"

#include <algorithm>
#include <cstdio>

namespace dorv {

namespace {

// Offsets of the monitor frame's fields.
constexpr int RpmAt = 1;
constexpr int TpsAt = 3;
constexpr int SupplyAt = 5;
constexpr int Servo1MeasuredAt = 7; // servo 2 at +4; required values at +2
constexpr int ProgramCountAt = 15;
constexpr int TestValuesAt = 23;
constexpr int TpPercentAt = 41;
constexpr int ServoFlagAt = 42;
constexpr int SaveCountdownAt = 47;
constexpr int DataErrorAt = 49;
constexpr int VersionAt = 50;

// Engine speed and throttle on a scale of 0..100; engine speed is at its top from 10000 RPM.
constexpr int ScaleTop = 100;

int MeasuredAt(ServoIndex s) {
    return Servo1MeasuredAt + 4 * s;
}
int RequiredAt(ServoIndex s) {
    return Servo1MeasuredAt + 4 * s + 2;
}

std::uint16_t Word(std::span<const Byte> frame, int at) {
    return static_cast<std::uint16_t>(frame[at] | (frame[at + 1] << 8));
}

void PutWord(Frame& frame, int at, std::uint16_t value) {
    frame[at] = static_cast<Byte>(value & 0xFF);
    frame[at + 1] = static_cast<Byte>(value >> 8);
}

template <typename... Args> std::string Format(const char* format, Args... args) {
    char text[128];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

MonitorReport ParseMonitorFrame(std::span<const Byte> frame) {
    MonitorReport r;
    r.Rpm = Word(frame, RpmAt);
    r.TpsSteps = Word(frame, TpsAt);
    r.SupplySteps = Word(frame, SupplyAt);
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        r.ServoMeasuredMv[s] = Word(frame, MeasuredAt(s));
        r.ServoRequiredMv[s] = Word(frame, RequiredAt(s));
        r.ServoFlag[s] = frame[ServoFlagAt + s];
    }
    r.ProgramCount = Word(frame, ProgramCountAt);
    for (int i = 0; i < TestValueCount; ++i)
        r.TestValues[i] = Word(frame, TestValuesAt + 2 * i);
    r.TpPercent = frame[TpPercentAt];
    r.SaveCountdown = Word(frame, SaveCountdownAt);
    r.DataError = frame[DataErrorAt];
    r.Version = frame[VersionAt];
    return r;
}

int StepsToMv(int steps) {
    return steps * 5000 / 1023;
}

StatusColour SupplyColour(int mv) {
    if (mv >= 17999 || mv <= 7000)
        return StatusColour::Red;
    if (mv >= 14999 || mv <= 11000)
        return StatusColour::Yellow;
    return StatusColour::Normal;
}

void DecodeThrottle(const MonitorReport& r, MonitorValues& v) {
    v.MonitorTpMv = static_cast<std::uint16_t>(StepsToMv(r.TpsSteps));
    if (r.TpPercent <= 100) {
        v.Throttle = {MessageId::None, Format("TP= %d %%=%d mV", r.TpPercent, v.MonitorTpMv),
                      StatusColour::Normal};
        v.ThrottleScale = r.TpPercent;
    } else {
        v.Throttle = {MessageId::None, Format("TP=error=%d mV", v.MonitorTpMv), StatusColour::Red};
        v.ThrottleScale = 0;
    }
}

void DecodeSupply(const MonitorReport& r, MonitorValues& v) {
    v.SupplyMv = StepsToMv(r.SupplySteps) * 11;
    const float volts = static_cast<float>(v.SupplyMv * 0.001);
    v.SupplyVoltage = {MessageId::None, Format("U= %4.1f V", static_cast<double>(volts)),
                       SupplyColour(v.SupplyMv)};
}

void DecodeServos(const MonitorReport& r, MonitorValues& v) {
    const char* formats[ServoCount] = {"%s 1 = %d mV", "%s 2 = %d mV"};
    ShownValue* desired[ServoCount] = {&v.Servo1Required, &v.Servo2Required};
    ShownValue* measured[ServoCount] = {&v.Servo1Measured, &v.Servo2Measured};
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        const StatusColour colour = r.ServoFlag[s] != 0 ? StatusColour::Normal : StatusColour::Red;
        *desired[s] = {MessageId::MsgServoDesired, Format(formats[s], "", r.ServoRequiredMv[s]),
                       colour};
        *measured[s] = {MessageId::MsgServoMeasured, Format(formats[s], "", r.ServoMeasuredMv[s]),
                        colour};
    }
}

void DecodeTestValues(const MonitorReport& r, MonitorValues& v) {
    static constexpr const char* Formats[TestValueCount] = {"Test1= %d", "Test2= %d", "Test3= %d ",
                                                            "Test4=%d",  "Test5= %d", "Test6= %d",
                                                            "Test7= %d", "Test8= %d"};
    for (int i = 0; i < TestValueCount; ++i)
        v.TestTexts[i] = {MessageId::None, Format(Formats[i], r.TestValues[i])};
}

} // namespace

Frame EncodeMonitorFrame(const MonitorReport& r) {
    Frame frame{};
    frame[0] = MonitorReply;
    PutWord(frame, RpmAt, r.Rpm);
    PutWord(frame, TpsAt, r.TpsSteps);
    PutWord(frame, SupplyAt, r.SupplySteps);
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        PutWord(frame, MeasuredAt(s), r.ServoMeasuredMv[s]);
        PutWord(frame, RequiredAt(s), r.ServoRequiredMv[s]);
        frame[ServoFlagAt + s] = r.ServoFlag[s];
    }
    PutWord(frame, ProgramCountAt, r.ProgramCount);
    for (int i = 0; i < TestValueCount; ++i)
        PutWord(frame, TestValuesAt + 2 * i, r.TestValues[i]);
    frame[TpPercentAt] = r.TpPercent;
    PutWord(frame, SaveCountdownAt, r.SaveCountdown);
    frame[DataErrorAt] = r.DataError;
    frame[VersionAt] = r.Version;
    frame[FrameSize - 1] = FrameCheck(std::span<const Byte>(frame).first(FrameSize - 1));
    return frame;
}

std::optional<MonitorValues> DecodeMonitorFrame(std::span<const Byte> frame) {
    if (!IsFrameValid(frame) || (frame[0] & 0xF0) != (MonitorReply & 0xF0))
        return std::nullopt;
    MonitorValues v;
    const MonitorReport& r = v.Report = ParseMonitorFrame(frame);
    v.MonitorTpPercent = r.TpPercent;
    v.MonitorRpm = r.Rpm;
    v.EngineSpeed = {MessageId::None, Format("RPM = %d ", r.Rpm)};
    v.RpmScale = std::min(r.Rpm / 100, ScaleTop);
    DecodeThrottle(r, v);
    DecodeSupply(r, v);
    DecodeServos(r, v);
    v.VersionDiffers = r.Version != ImageFormatVersion;
    v.VersionWarning = {MessageId::MsgVersionMismatch,
                        Format("  PC-%d, IGN-%d", ImageFormatVersion, r.Version)};
    v.SaveCountdown = r.SaveCountdown;
    v.StoredDataError = r.DataError != 0;
    v.ProgrammingCount = {MessageId::MsgProgramCount, Format("%s %d", "", r.ProgramCount)};
    DecodeTestValues(r, v);
    return v;
}

} // namespace dorv
