// Defaults, RPM point normalization and identity-block decoding of the parameter image.
#include "ParameterImage.h"

namespace dorv {

namespace {

constexpr int MaxPointOffset = 236;

char Digit(int value) {
    return static_cast<char>('0' + value);
}

// Tens and units as the unit shows them: the tens digit is not reduced for values above 99.
std::string TwoDigits(int value) {
    return {Digit(value / 10), Digit(value % 10)};
}

std::string MonthText(Byte code) {
    // Each code is the low byte of the sum of the English month abbreviation's characters.
    static constexpr std::array<Byte, 12> Codes{25, 13, 32, 35, 39, 45, 43, 29, 40, 38, 51, 12};
    for (int m = 0; m < 12; ++m) {
        if (Codes[m] == code) {
            const int month = m + 1;
            return month < 10 ? std::string{' ', Digit(month)} : TwoDigits(month);
        }
    }
    return "00";
}

} // namespace

void SetDefaultParameters(ParameterImage& image) {
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        auto servo = image.servo(s);
        const bool percent = servo.PercentMode() == 1;
        for (int k = 0; k < RpmColumns; ++k) {
            servo.RpmPoints(k) = static_cast<Byte>(DefaultRpmPoints[k]);
            const int defaultMv = 2000 + 100 * k;
            for (int r = 0; r < ThrottleRows; ++r)
                servo.Cell(r, k) = static_cast<Byte>(percent ? defaultMv / 50 : defaultMv / 20);
        }
        servo.HysteresisMv() = 40;
        servo.HysteresisRpm() = 20;
        servo.ServoEnable() = 1;
    }
    image.PulsesMode() = 1;
    image.Tps0() = 48;
    image.Tps100() = 197;
}

void NormalizeRpmPoints(ParameterImage& image) {
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        auto servo = image.servo(s);
        for (int i = 0; i < RpmColumns; ++i) {
            Byte& point = servo.RpmPoints(i);
            if (point < i)
                point = static_cast<Byte>(i);
            if (point > i + MaxPointOffset)
                point = static_cast<Byte>(i + MaxPointOffset);
        }
        for (int i = 1; i < RpmColumns; ++i) {
            if (servo.RpmPoints(i) <= servo.RpmPoints(i - 1))
                servo.RpmPoints(i) = static_cast<Byte>(servo.RpmPoints(i - 1) + 1);
        }
    }
}

IdentityTexts DecodeIdentityBlock(const ParameterImage& image) {
    IdentityTexts texts;
    for (int i = 0; i < 3; ++i)
        texts.VersionText += static_cast<char>(image.ProgramNameChar(i));
    texts.VersionText += TwoDigits(image.ProgramNumber());

    const int day = image.BuildDay();
    texts.DateText += day < 10 ? ' ' : Digit(day / 10);
    texts.DateText += Digit(day % 10);
    texts.DateText += '.';
    texts.DateText += MonthText(image.BuildMonthCode());
    texts.DateText += ".20";
    texts.DateText += TwoDigits(image.BuildYear());

    texts.TimeText = TwoDigits(image.BuildHour()) + ":" + TwoDigits(image.BuildMinute());

    if (image.ProgramTextChar(0) != 0) {
        texts.VersionText.clear();
        for (int i = 0; i < ParameterImage::ProgramTextLength && image.ProgramTextChar(i) != 0; ++i)
            texts.VersionText += static_cast<char>(image.ProgramTextChar(i));
    }
    return texts;
}

} // namespace dorv
