// The unit's live-value (monitor) frame: its fields, its encoding and its decoding for display.
#pragma once

#include "Frame.h"
#include "Messages.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace dorv {

inline constexpr int TestValueCount = 8;
inline constexpr int SaveCountdownFullScale = 800;

// The fields of a monitor frame as the unit sends them (16-bit values little-endian).
struct MonitorReport {
    std::uint16_t Rpm = 0;
    std::uint16_t TpsSteps = 0;    // throttle sensor, 10-bit converter steps (1023 = 5000 mV)
    std::uint16_t SupplySteps = 0; // supply voltage divided by 11, converter steps
    std::array<std::uint16_t, ServoCount> ServoMeasuredMv{};
    std::array<std::uint16_t, ServoCount> ServoRequiredMv{};
    std::uint16_t ProgramCount = 0;
    std::array<std::uint16_t, TestValueCount> TestValues{};
    Byte TpPercent = 0; // above 100 means a sensor error
    std::array<Byte, ServoCount> ServoFlag{};
    std::uint16_t SaveCountdown = 0;
    Byte DataError = 0;
    Byte Version = 0;
    friend bool operator==(const MonitorReport&, const MonitorReport&) = default;
};

// The monitor frame carrying report (reply byte 0xB0, check byte set).
Frame EncodeMonitorFrame(const MonitorReport& report);

// A live value as it is shown: the current language's text of Message (none for values without
// one) followed by Text, in Colour.
struct ShownValue {
    MessageId Message = MessageId::None;
    std::string Text;
    StatusColour Colour = StatusColour::Normal;
    friend bool operator==(const ShownValue&, const ShownValue&) = default;
};

// Everything one accepted monitor frame gives the window.
struct MonitorValues {
    MonitorReport Report;
    // Live values kept for the operating cell and the TPS capture.
    std::uint16_t MonitorRpm = 0;
    std::uint16_t MonitorTpMv = 0;
    Byte MonitorTpPercent = 0;
    std::uint16_t SaveCountdown = 0;
    int SupplyMv = 0;

    int RpmScale = 0;         // engine speed on a scale of 0..100
    int ThrottleScale = 0;    // throttle on a scale of 0..100
    ShownValue EngineSpeed;   // RPM
    ShownValue Throttle;      // throttle per cent and sensor millivolts
    ShownValue SupplyVoltage; // yellow or red outside the good band
    ShownValue Servo1Required;
    ShownValue Servo1Measured;
    ShownValue Servo2Required;
    ShownValue Servo2Measured;
    ShownValue ProgrammingCount;
    ShownValue VersionWarning; // meaningful when VersionDiffers
    bool VersionDiffers = false;
    bool StoredDataError = false; // the unit found its stored parameters damaged
    std::array<ShownValue, TestValueCount> TestTexts;
};

// Decodes a received frame; nothing when its first byte is not 0xBn or its check fails.
std::optional<MonitorValues> DecodeMonitorFrame(std::span<const Byte> frame);

} // namespace dorv
