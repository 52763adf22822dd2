// A servo table as curves: the set-point against engine speed along each throttle row.
#include "TableCurves.h"

#include "EditorValues.h"

namespace dorv {

namespace {

constexpr int MillivoltsPerPercent = 50; // 100 % is 5000 mV

} // namespace

SetPointCurve SetPointCurveOf(const ParameterImage& image, ServoIndex s, int row) {
    const auto servo = image.servo(s);
    const bool percent = servo.PercentMode() != 0;
    SetPointCurve curve;
    for (int k = 0; k < RpmColumns; ++k) {
        const int shown = CellShown(servo.Cell(row, k), percent);
        curve[k] = {RpmShown(servo.RpmPoints(k)), percent ? shown * MillivoltsPerPercent : shown};
    }
    return curve;
}

} // namespace dorv
