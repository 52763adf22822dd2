// Conversions between stored image bytes and the values the editors show, and the per-cent switch.
#pragma once

#include "ParameterImage.h"

namespace dorv {

// Range and step of one editor (its up-down).
struct EditorRange {
    int Min;
    int Max;
    int Step;
    int Clamp(int v) const { return v < Min ? Min : (v > Max ? Max : v); }
    friend bool operator==(const EditorRange&, const EditorRange&) = default;
};

inline constexpr EditorRange Tps0Range{100, 2500, 10};
inline constexpr EditorRange Tps100Range{2500, 4900, 10};
inline constexpr EditorRange RpmRange{0, 25000, 100};
inline constexpr EditorRange HysteresisRange{0, 1250, 5};
inline constexpr EditorRange CellRangeMillivolts{0, 5000, 20};
inline constexpr EditorRange CellRangePercent{0, 100, 1};

inline EditorRange CellRange(bool percentMode) {
    return percentMode ? CellRangePercent : CellRangeMillivolts;
}

// Shown value from the stored byte, and the stored byte from a shown value (truncating).
inline int Tps0Shown(Byte b) {
    return 10 * b;
}
inline Byte Tps0Stored(int v) {
    return static_cast<Byte>(v / 10);
}
inline int Tps100Shown(Byte b) {
    return 2500 + 10 * b;
}
inline Byte Tps100Stored(int v) {
    return static_cast<Byte>((v / 10 + 6) % 256);
}
inline int RpmShown(Byte b) {
    return 100 * b;
}
inline Byte RpmStored(int v) {
    return static_cast<Byte>(v / 100);
}
inline int HysteresisShown(Byte b) {
    return 5 * b;
}
inline Byte HysteresisStored(int v) {
    return static_cast<Byte>(v / 5);
}
inline int CellShown(Byte b, bool percentMode) {
    return percentMode ? b : 20 * b;
}
inline Byte CellStored(int v, bool percentMode) {
    return static_cast<Byte>(percentMode ? v : v / 20);
}

// One cell from 20 mV steps to per cent of 5000 mV.
Byte ConvertToPercent(Byte b);
// One cell from per cent to 20 mV steps; a cell above 100 % saturates at 250 (5000 mV).
Byte ConvertToMillivolts(Byte p);

// The servo selected by a page of PageControl1: page 1 is servo 1, any other page servo 2.
inline ServoIndex ServoOfPage(int page) {
    return page == 1 ? 0 : 1;
}

// The per-cent switch: converts all 150 cells of servo s when the mode changes.
// Returns true when the cells were converted.
bool SwitchPercentMode(ParameterImage& image, ServoIndex s, bool percent);

} // namespace dorv
