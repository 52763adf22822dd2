// A servo table as curves: the set-point against engine speed along each throttle row.
#pragma once

#include "ParameterImage.h"

#include <array>

namespace dorv {

struct CurvePoint {
    int Rpm = 0;
    int Millivolts = 0;
    friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

using SetPointCurve = std::array<CurvePoint, RpmColumns>;

// Row r of servo s over its RPM points; per-cent cells as their share of 5000 mV.
SetPointCurve SetPointCurveOf(const ParameterImage& image, ServoIndex s, int row);

} // namespace dorv
