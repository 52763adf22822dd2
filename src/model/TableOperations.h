// Operations on a rectangle of the servo table and its text for the clipboard, on shown values.
#pragma once

#include <string>
#include <vector>

#include "ServoTableModel.h"

namespace dorv {

enum class TableOperation {
    Set,                   // every cell takes the amount
    Add,                   // the amount is added to every cell
    Scale,                 // every cell times the amount per cent
    InterpolateHorizontal, // each row linear between its first and last cell
    InterpolateVertical,   // each column linear between its first and last cell
    InterpolateBilinear,   // from the four corners
    Smooth,                // each cell the average of itself and its neighbours in the rectangle
};

// A value rounded to the nearest step of the range (half away from zero), not yet kept in it.
long long RoundToStep(double v, const EditorRange& range);

// Applies the operation to the cells of the rectangle (the amount is used by Set, Add and Scale).
// Each result is rounded to the range's step and kept in its range; returns how many results
// had to be kept in the range. A rectangle one cell wide or high interpolates along its length
// (a single cell stays as it is).
int ApplyTableOperation(CellValues& cells, const TableRect& rect, const EditorRange& range,
                        TableOperation operation, double amount = 0);

// The cells of the rectangle as lines of tab-separated values (each line ended by a line break).
// With headers, a first line of the RPM points over the columns after an empty corner, and each
// line led by its throttle row label ("20%").
std::string TableText(const ServoTableModel& model, const TableRect& rect, bool headers);

// A number as a spreadsheet or a user writes it: blanks around it, a thousands separator ("2,000",
// "2.000", "2 000") and a decimal comma ("2,5") are accepted. False when it is no number.
bool ParseShownNumber(const std::string& text, double& value);

enum class PasteError { None, Empty, NotNumber, OutOfRange, PastEdge, NoCell };

// What a text pasted at a cell would do: the values it gives, or why it is refused and where.
struct PastedBlock {
    PasteError Error = PasteError::None;
    TableRect Rect{}; // where the values go
    std::vector<std::vector<int>> Values;
    TableCell BadCell{}; // the first cell refused (NotNumber, OutOfRange)
    std::string BadText; // its text
};

// Reads tab-separated lines to paste with their top left at `at`, inside `bounds` (the shown
// rows). A first row of RPM points and a first column of throttle labels are recognised and
// skipped: a first column is a header when each of its fields is empty or a per-cent label, a
// first row when its first field is empty or no number. Values are rounded to the range's step;
// a field that is no number or lies outside the range refuses the whole block, as does a block
// that would run past the bounds.
PastedBlock ReadPastedText(const std::string& text, TableCell at, const TableRect& bounds,
                           const EditorRange& range);

// Writes a block read without error into the cells.
void ApplyPastedBlock(CellValues& cells, const PastedBlock& block);

} // namespace dorv
