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

// A label as the window shows it: the current language's text of Message (none for labels
// without one) followed by Text, in Colour.
struct MonitorLabel {
    MessageId Message = MessageId::None;
    std::string Text;
    StatusColour Colour = StatusColour::ButtonFace;
    friend bool operator==(const MonitorLabel&, const MonitorLabel&) = default;
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

    int RpmGaugePosition = 0; // CGaugeRpm, maximum 100
    int TpsGaugePosition = 0; // CGaugeTps, maximum 100
    MonitorLabel LabelRpm;
    MonitorLabel LabelTpsMon;
    MonitorLabel LabelNapeti;
    MonitorLabel LabelServoPoz1;
    MonitorLabel LabelServoMer1;
    MonitorLabel LabelServoPoz2;
    MonitorLabel LabelServoMer2;
    MonitorLabel LabelPocetProgramovani;
    MonitorLabel LabelVersion; // meaningful when LabelVersionVisible
    bool LabelVersionVisible = false;
    bool LabelEeDataErrVisible = false;
    std::array<MonitorLabel, TestValueCount> LabelTest;
};

// Decodes a received frame; nothing when its first byte is not 0xBn or its check fails.
std::optional<MonitorValues> DecodeMonitorFrame(std::span<const Byte> frame);

} // namespace dorv
