// The servo table as its editor shows it: shown values, cells, rectangles, moves between cells.
#include "ServoTableModel.h"

#include <algorithm>

namespace dorv {

TableRect RectBetween(TableCell a, TableCell b) {
    return {std::max(0, std::min(a.Row, b.Row)), std::min(a.Column, b.Column),
            std::max({0, a.Row, b.Row}), std::max(a.Column, b.Column)};
}

TableRect WholeTable(bool tpEnable) {
    return {0, 0, tpEnable ? ThrottleRows - 1 : 0, RpmColumns - 1};
}

void ServoTableModel::SetValue(TableCell cell, int v) {
    const int kept = RangeOf(cell).Clamp(v);
    if (cell.Row == RpmRow)
        Rpm[cell.Column] = kept;
    else
        Cells[cell.Row][cell.Column] = kept;
}

bool ServoTableModel::IsShown(TableCell cell) const {
    if (cell.Column < 0 || cell.Column >= RpmColumns || cell.Row < RpmRow ||
        cell.Row >= ThrottleRows)
        return false;
    return cell.Row <= 0 || TpEnable;
}

TableCell ServoTableModel::Moved(TableCell cell, int rows, int columns) const {
    const int lastRow = TpEnable ? ThrottleRows - 1 : 0;
    return {std::clamp(cell.Row + rows, RpmRow, lastRow),
            std::clamp(cell.Column + columns, 0, RpmColumns - 1)};
}

std::optional<TableCell> ServoTableModel::Next(TableCell cell) const {
    TableCell next = cell.Column + 1 < RpmColumns ? TableCell{cell.Row, cell.Column + 1}
                                                  : TableCell{cell.Row + 1, 0};
    if (!IsShown(next))
        return std::nullopt;
    return next;
}

double HeatLevel(const ServoTableModel& model, int value) {
    int low = model.Cells[0][0];
    int high = low;
    for (int r = 0; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k)
            if (model.IsShown({r, k})) {
                low = std::min(low, model.Cells[r][k]);
                high = std::max(high, model.Cells[r][k]);
            }
    if (high == low)
        return 0.5;
    return std::clamp(double(value - low) / double(high - low), 0.0, 1.0);
}

void FillTableModel(ServoTableModel& model, const ParameterImage& image, ServoIndex s) {
    const auto servo = image.servo(s);
    const bool percent = servo.PercentMode() != 0;
    model.CellRange = CellRange(percent);
    model.TpEnable = servo.TpEnable() != 0;
    for (int k = 0; k < RpmColumns; ++k) {
        model.SetValue({RpmRow, k}, RpmShown(servo.RpmPoints(k)));
        for (int r = 0; r < ThrottleRows; ++r)
            model.SetValue({r, k}, CellShown(servo.Cell(r, k), percent));
    }
}

void PackTableModel(const ServoTableModel& model, ParameterImage& image, ServoIndex s) {
    auto servo = image.servo(s);
    const bool percent = servo.PercentMode() != 0;
    for (int k = 0; k < RpmColumns; ++k) {
        servo.RpmPoints(k) = RpmStored(model.Rpm[k]);
        for (int r = 0; r < ThrottleRows; ++r)
            servo.Cell(r, k) = CellStored(model.Cells[r][k], percent);
    }
}

} // namespace dorv
