// Tracking and highlighting of the table cell at which the engine runs.
#include "Hlav.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "EditUpDown.h"
#include "LiveDisplay.h"

namespace {

const QColor OperatingCellColour(0, 255, 0); // lime green

} // namespace

// Runs on every tick; repaints only the editors and the row label whose colour changes.
void TFormHlav::TrackOperatingCell() {
    if (ActivePage() == 0)
        return;
    const dorv::MonitorValues& live = LiveValues();
    OperatingCell = dorv::FindOperatingCell(Image, ActiveServo(), live.MonitorRpm,
                                            live.MonitorTpPercent, CheckBoxTpEnable->isChecked());
    if (highlightedCell_ == OperatingCell)
        return;
    if (highlightedCell_)
        HighlightOperatingCell(*highlightedCell_, false);
    HighlightOperatingCell(OperatingCell, true);
    highlightedCell_ = OperatingCell;
}

// Lime green, or back to the window colour (edits) and the button face (row label).
void TFormHlav::HighlightOperatingCell(dorv::OperatingCell cell, bool highlighted) {
    const QPalette normal = QApplication::palette();
    const QColor editColour = highlighted ? OperatingCellColour : normal.color(QPalette::Base);
    const QColor labelColour = highlighted ? OperatingCellColour : normal.color(QPalette::Button);
    dorv::SetRoleColour(UpDownRpm[cell.Column], QPalette::Base, editColour);
    dorv::SetRoleColour(UpDownServo[cell.Row][cell.Column], QPalette::Base, editColour);
    dorv::SetRoleColour(LabelRowTps[cell.Row], QPalette::Window, labelColour);
}
