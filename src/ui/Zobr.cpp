// ShowServoEditors: places the shared servo editors and keeps visibility, ranges and texts in step;
// the face of "Programming after change".
#include "Hlav.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>

#include "CompareView.h"
#include "Cspin.h"
#include "ServoTable.h"

namespace {

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Window) == colour && palette.color(QPalette::Button) == colour)
        return;
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
}

} // namespace

void TFormHlav::ShowServoEditors() {
    if (ActivePage() != 0)
        FitServoTableFont();
    QWidget* page = ActivePage() == 1 ? TabSheet_Servo1 : TabSheet_Servo2;
    if (GroupBoxServo->parentWidget() != page) {
        const bool hidden = GroupBoxServo->isHidden();
        GroupBoxServo->parentWidget()->layout()->removeWidget(GroupBoxServo);
        page->layout()->addWidget(GroupBoxServo);
        GroupBoxServo->setHidden(hidden);
    }

    // Rows 1..9 of the table and their labels, as the check box says; cell ranges by the mode.
    const bool tpEnable = CheckBoxTpEnable->isChecked();
    dorv::ServoTableModel table = ServoTable->Model();
    table.TpEnable = tpEnable;
    table.CellRange = dorv::CellRange(Image.servo(ActiveServo()).PercentMode() != 0);
    for (int r = 0; r < dorv::ThrottleRows; ++r)
        for (int k = 0; k < dorv::RpmColumns; ++k)
            table.SetValue({r, k}, table.Cells[r][k]);
    if (!(table.TpEnable == ServoTable->Model().TpEnable &&
          table.CellRange == ServoTable->Model().CellRange))
        ServoTable->SetModel(table);
    LabelAxisThrottle->setVisible(tpEnable);
    for (TCSpinButton* spin : CSpinButtonColumn)
        spin->setVisible(tpEnable);

    General.ShowIdentity(Identity);

    ShowProgHnedFace();
    ShowCellVisits(); // the marks of the servo now shown
    Comparison->FollowEditor();
}

void TFormHlav::ShowProgHnedFace() {
    SetBackground(Live.CheckBoxProgHned, Live.CheckBoxProgHned->isChecked()
                                             ? QColor(Qt::red)
                                             : palette().color(QPalette::Button));
}
