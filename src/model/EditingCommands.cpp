// Editing commands on the parameter image.
#include "EditingCommands.h"

namespace dorv {

namespace {

void StepCell(Byte& cell, StepDirection direction, Byte ceiling) {
    if (direction == StepDirection::Down) {
        if (cell > 0)
            --cell;
    } else if (cell < ceiling) {
        ++cell;
    }
}

} // namespace

Byte CellStepCeiling(bool percentMode) {
    return percentMode ? 100 : 249;
}

void StepServoCells(ParameterImage& image, ServoIndex s, StepDirection direction, bool allCells,
                    bool tpEnable, OperatingCell cell) {
    auto servo = image.servo(s);
    const Byte ceiling = CellStepCeiling(servo.PercentMode() != 0);
    if (!allCells) {
        StepCell(servo.CellAt(cell.Index()), direction, ceiling);
        return;
    }
    const int count = tpEnable ? TableCells : RpmColumns;
    for (int i = 0; i < count; ++i)
        StepCell(servo.CellAt(i), direction, ceiling);
}

void StepServoColumn(ParameterImage& image, ServoIndex s, int column, StepDirection direction) {
    auto servo = image.servo(s);
    const Byte ceiling = CellStepCeiling(servo.PercentMode() != 0);
    for (int r = 0; r < ThrottleRows; ++r)
        StepCell(servo.Cell(r, column), direction, ceiling);
}

bool CaptureTps0(ParameterImage& image, int monitorTpMv) {
    if (monitorTpMv < 300 || monitorTpMv > 2500)
        return false;
    image.Tps0() = static_cast<Byte>(monitorTpMv / 10);
    return true;
}

bool CaptureTps100(ParameterImage& image, int monitorTpMv) {
    if (monitorTpMv < 2500 || monitorTpMv > 4900)
        return false;
    image.Tps100() = static_cast<Byte>((monitorTpMv / 10 + 6) % 256);
    return true;
}

OperatingCell FindOperatingCell(const ParameterImage& image, ServoIndex s, int monitorRpm,
                                int monitorTpPercent, bool tpEnable) {
    const auto servo = image.servo(s);
    OperatingCell cell{RpmColumns - 1, ThrottleRows - 1};
    const int doubledSpeed = (2 * monitorRpm) / 100;
    for (int k = 0; k < RpmColumns - 1; ++k) {
        if (doubledSpeed < servo.RpmPoints(k) + servo.RpmPoints(k + 1)) {
            cell.Column = k;
            break;
        }
    }
    for (int j = 0; j < ThrottleRows - 1; ++j) {
        if (ThrottleRowAxis[j] + ThrottleRowAxis[j + 1] > 2 * monitorTpPercent) {
            cell.Row = j;
            break;
        }
    }
    if (!tpEnable)
        cell.Row = 0;
    return cell;
}

} // namespace dorv
