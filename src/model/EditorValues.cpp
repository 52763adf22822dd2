// Per-cent and millivolt conversions of servo table cells.
#include "EditorValues.h"

namespace dorv {

Byte ConvertToPercent(Byte b) {
    return static_cast<Byte>((2 * (b + 1)) / 5);
}

Byte ConvertToMillivolts(Byte p) {
    const int b = (5 * p) / 2;
    return static_cast<Byte>(b > 250 ? 250 : b);
}

bool SwitchPercentMode(ParameterImage& image, ServoIndex s, bool percent) {
    auto servo = image.servo(s);
    if ((servo.PercentMode() != 0) == percent)
        return false;
    servo.PercentMode() = percent ? 1 : 0;
    for (int i = 0; i < TableCells; ++i)
        servo.CellAt(i) =
            percent ? ConvertToPercent(servo.CellAt(i)) : ConvertToMillivolts(servo.CellAt(i));
    return true;
}

} // namespace dorv
