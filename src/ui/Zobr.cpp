// ShowServoEditors: places the shared servo editors and keeps visibility, ranges and texts in step;
// the face of "Programming after change".
#include "Hlav.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>

#include "Cspin.h"
#include "EditUpDown.h"

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
    QWidget* page = ActivePage() == 1 ? TabSheet_Servo1 : TabSheet_Servo2;
    if (GroupBoxServo->parentWidget() != page) {
        const bool hidden = GroupBoxServo->isHidden();
        GroupBoxServo->parentWidget()->layout()->removeWidget(GroupBoxServo);
        page->layout()->addWidget(GroupBoxServo);
        GroupBoxServo->setHidden(hidden);
    }

    const bool tpEnable = CheckBoxTpEnable->isChecked();
    for (int r = 1; r < dorv::ThrottleRows; ++r)
        for (TEditUpDown* editor : UpDownServo[r])
            editor->setVisible(tpEnable);
    for (QLabel* label : LabelRowTps)
        label->setVisible(tpEnable);
    LabelAxisThrottle->setVisible(tpEnable);
    for (TCSpinButton* spin : CSpinButtonColumn)
        spin->setVisible(tpEnable);

    const dorv::EditorRange cellRange =
        dorv::CellRange(Image.servo(ActiveServo()).PercentMode() != 0);
    for (const auto& row : UpDownServo)
        for (TEditUpDown* editor : row)
            editor->SetRange(cellRange);

    LabelVerze1->setText(QString::fromStdString(Identity.VersionText));
    LabelVerze2->setText(QString::fromStdString(Identity.DateText));
    LabelVerze3->setText(QString::fromStdString(Identity.TimeText));

    ShowProgHnedFace();
}

void TFormHlav::ShowProgHnedFace() {
    SetBackground(CheckBoxProgHned, CheckBoxProgHned->isChecked()
                                        ? QColor(Qt::red)
                                        : palette().color(QPalette::Button));
}
