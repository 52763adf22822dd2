// Pure arithmetic of the editing commands: Minus/Plus, column steps, TPS capture, operating cell.
#pragma once

#include "ParameterImage.h"

namespace dorv {

enum class StepDirection { Down, Up };

// The table cell selected by the live engine speed and throttle position.
struct OperatingCell {
    int Column = 0;
    int Row = 0;
    int Index() const { return Row * RpmColumns + Column; }
    friend bool operator==(const OperatingCell&, const OperatingCell&) = default;
};

// The highest value Plus and the column up steps raise a cell to: 249 in 20 mV steps (4980 mV),
// 100 in per-cent mode (the per-cent editors cannot show more).
Byte CellStepCeiling(bool percentMode);

// Tools Minus and Plus on servo s: with allCells, the first 150 cells (tpEnable) or the 15 cells
// of row 0; otherwise only the operating cell.
void StepServoCells(ParameterImage& image, ServoIndex s, StepDirection direction, bool allCells,
                    bool tpEnable, OperatingCell cell);

// A column spin button: all ten rows of column k of servo s.
void StepServoColumn(ParameterImage& image, ServoIndex s, int column, StepDirection direction);

// TPS 0 % and 100 % capture from the live throttle voltage. Return false (and change nothing)
// when the voltage is outside the capture window.
bool CaptureTps0(ParameterImage& image, int monitorTpMv);
bool CaptureTps100(ParameterImage& image, int monitorTpMv);

// The column nearest to the live speed among servo s's points and the row nearest to the live
// throttle on ThrottleRowAxis (half-way selects the higher one); row 0 when tpEnable is clear.
OperatingCell FindOperatingCell(const ParameterImage& image, ServoIndex s, int monitorRpm,
                                int monitorTpPercent, bool tpEnable);

} // namespace dorv
