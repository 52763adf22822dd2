// Tracking and highlighting of the table cell at which the engine runs.
#include "Hlav.h"

#include <QCheckBox>

#include "LiveDisplay.h"
#include "ServoTable.h"

// Runs on every tick; the table repaints only when the cell changes.
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

// The operating cell, its RPM point and its row label lime green in the table, or no mark.
void TFormHlav::HighlightOperatingCell(dorv::OperatingCell cell, bool highlighted) {
    ServoTable->SetOperatingCell(highlighted ? std::optional(cell) : std::nullopt);
}
