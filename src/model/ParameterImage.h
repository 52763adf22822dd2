// The 400-byte parameter image of the unit with typed accessors for every field.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace dorv {

using Byte = std::uint8_t;

inline constexpr int ImageSize = 400;
inline constexpr int BlockSize = 50;
inline constexpr int BlockCount = 8;
inline constexpr int ServoCount = 2;
inline constexpr int RpmColumns = 15;
inline constexpr int ThrottleRows = 10;
inline constexpr int TableCells = RpmColumns * ThrottleRows;

// The parameter format version this tool accepts from the unit and writes into files.
inline constexpr int ImageFormatVersion = 56;

// Fixed throttle positions (per cent) of the ten table rows; not stored in the image.
inline constexpr std::array<int, ThrottleRows> ThrottleRowAxis{0,  2,  5,  10, 20,
                                                               30, 40, 60, 80, 100};

// Default engine-speed points in hundreds of RPM.
inline constexpr std::array<int, RpmColumns> DefaultRpmPoints{0,  10, 20, 30, 40,  60,  65, 70,
                                                              75, 80, 85, 90, 100, 110, 120};

// Servo numbers are 0 (servo 1) and 1 (servo 2) throughout the code.
using ServoIndex = int;

// One servo's fields inside the image. A cheap view: it holds a reference to the bytes.
template <typename Bytes> class ServoFieldsT {
public:
    ServoFieldsT(Bytes& bytes, ServoIndex s) : bytes_(bytes), s_(s) {}

    auto& HysteresisMv() const { return bytes_[50 + s_]; }
    auto& HysteresisRpm() const { return bytes_[52 + s_]; }
    auto& ServoEnable() const { return bytes_[54 + s_]; }
    auto& TpEnable() const { return bytes_[56 + s_]; }
    auto& PercentMode() const { return bytes_[65 + s_]; }
    auto& RpmPoints(int k) const { return bytes_[70 + 15 * s_ + k]; }
    auto& Cell(int r, int k) const { return bytes_[100 + 150 * s_ + 15 * r + k]; }
    // Cell by its index in storage order (row * 15 + column).
    auto& CellAt(int index) const { return bytes_[100 + 150 * s_ + index]; }

private:
    Bytes& bytes_;
    ServoIndex s_;
};

class ParameterImage {
public:
    using Bytes = std::array<Byte, ImageSize>;
    using ServoFields = ServoFieldsT<Bytes>;
    using ConstServoFields = ServoFieldsT<const Bytes>;

    ParameterImage() { bytes_.fill(0); }

    // Raw access for block transfer, files and snapshots.
    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }
    std::span<Byte, BlockSize> Block(int b) {
        return std::span<Byte, BlockSize>(&bytes_[BlockSize * b], BlockSize);
    }
    std::span<const Byte, BlockSize> Block(int b) const {
        return std::span<const Byte, BlockSize>(&bytes_[BlockSize * b], BlockSize);
    }

    ServoFields servo(ServoIndex s) { return ServoFields(bytes_, s); }
    ConstServoFields servo(ServoIndex s) const { return ConstServoFields(bytes_, s); }
    Byte& ServoTable(ServoIndex s, int r, int k) { return servo(s).Cell(r, k); }
    Byte ServoTable(ServoIndex s, int r, int k) const { return servo(s).Cell(r, k); }

    // Identity block (block 0): only ever comes from the unit (the simulated unit writes it).
    Byte& ProgramNameChar(int i) { return bytes_[i]; }
    Byte ProgramNameChar(int i) const { return bytes_[i]; }
    Byte& ProgramNumber() { return bytes_[3]; }
    Byte ProgramNumber() const { return bytes_[3]; }
    Byte& BuildDay() { return bytes_[4]; }
    Byte BuildDay() const { return bytes_[4]; }
    Byte& BuildMonthCode() { return bytes_[5]; }
    Byte BuildMonthCode() const { return bytes_[5]; }
    Byte& BuildYear() { return bytes_[6]; }
    Byte BuildYear() const { return bytes_[6]; }
    Byte& BuildHour() { return bytes_[7]; }
    Byte BuildHour() const { return bytes_[7]; }
    Byte& BuildMinute() { return bytes_[8]; }
    Byte BuildMinute() const { return bytes_[8]; }
    Byte& FormatVersion() { return bytes_[10]; }
    Byte FormatVersion() const { return bytes_[10]; }
    Byte& ProgramTextChar(int i) { return bytes_[16 + i]; }
    Byte ProgramTextChar(int i) const { return bytes_[16 + i]; }
    static constexpr int ProgramTextLength = 30;

    // General parameters (block 1).
    Byte& Tps0() { return bytes_[58]; }
    Byte Tps0() const { return bytes_[58]; }
    Byte& Tps100() { return bytes_[59]; }
    Byte Tps100() const { return bytes_[59]; }
    Byte& PulsesMode() { return bytes_[60]; }
    Byte PulsesMode() const { return bytes_[60]; }

    friend bool operator==(const ParameterImage&, const ParameterImage&) = default;

private:
    Bytes bytes_;
};

// Texts produced from the identity block; empty until a block 0 has been decoded.
struct IdentityTexts {
    std::string VersionText;
    std::string DateText;
    std::string TimeText;
    friend bool operator==(const IdentityTexts&, const IdentityTexts&) = default;
};

// Writes the defaults (New and start-up). Block 0, TpEnable, PercentMode and bytes the tool
// does not interpret keep their values.
void SetDefaultParameters(ParameterImage& image);

// Makes both servos' RpmPoints strictly increasing, point i within i .. i + 236.
void NormalizeRpmPoints(ParameterImage& image);

// Version, date and time texts from block 0.
IdentityTexts DecodeIdentityBlock(const ParameterImage& image);

} // namespace dorv
