// The servo table as its editor shows it: shown values, cells, rectangles, moves between cells.
#pragma once

#include <array>
#include <optional>

#include "EditorValues.h"
#include "ParameterImage.h"

namespace dorv {

// The row of the RPM points above the throttle rows 0..9.
inline constexpr int RpmRow = -1;

// A cell of the table editor: Row is a throttle row 0..9, or RpmRow for the RPM points.
struct TableCell {
    int Row = RpmRow;
    int Column = 0;
    friend bool operator==(const TableCell&, const TableCell&) = default;
};

// A rectangle of throttle cells, corners included.
struct TableRect {
    int Top = 0;
    int Left = 0;
    int Bottom = 0;
    int Right = 0;
    int Rows() const { return Bottom - Top + 1; }
    int Columns() const { return Right - Left + 1; }
    bool Contains(int r, int c) const { return r >= Top && r <= Bottom && c >= Left && c <= Right; }
    friend bool operator==(const TableRect&, const TableRect&) = default;
};

// The rectangle with a and b at opposite corners.
TableRect RectBetween(TableCell a, TableCell b);
// The whole table of throttle cells, or its row 0 alone without tpEnable.
TableRect WholeTable(bool tpEnable);

using CellValues = std::array<std::array<int, RpmColumns>, ThrottleRows>;

// The values the table editor shows: positions of the RPM row and of the cells, their ranges,
// and whether rows 1..9 are shown.
struct ServoTableModel {
    std::array<int, RpmColumns> Rpm{};
    CellValues Cells{};
    EditorRange CellRange = CellRangeMillivolts;
    bool TpEnable = true;

    EditorRange RangeOf(TableCell cell) const { return cell.Row == RpmRow ? RpmRange : CellRange; }
    int Value(TableCell cell) const {
        return cell.Row == RpmRow ? Rpm[cell.Column] : Cells[cell.Row][cell.Column];
    }
    // Kept in the cell's range, as an up-down keeps its position.
    void SetValue(TableCell cell, int v);
    // The RPM row and row 0 always; rows 1..9 with TpEnable.
    bool IsShown(TableCell cell) const;
    // The shown cell rows and columns away, stopped at the edges of what is shown.
    TableCell Moved(TableCell cell, int rows, int columns) const;
    // The next shown cell in the designed order (the RPM row, then row by row); none after the
    // last shown cell.
    std::optional<TableCell> Next(TableCell cell) const;
};

// Where a value lies between the lowest and the highest shown cell, 0..1 (0.5 when all are the
// same): the place of its colour on the heat map's scale.
double HeatLevel(const ServoTableModel& model, int value);

// The servo editors' values of servo s of the image, and the image from them (truncating as the
// editors' binding does).
void FillTableModel(ServoTableModel& model, const ParameterImage& image, ServoIndex s);
void PackTableModel(const ServoTableModel& model, ParameterImage& image, ServoIndex s);

} // namespace dorv
