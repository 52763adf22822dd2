// The binding of the editors to the image: pack, fill, commit, per-cent switch, undo and redo.
#include "Hlav.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QTabWidget>
#include <QToolButton>

#include "EditUpDown.h"
#include "EditorValues.h"
#include "ServoTable.h"
#include "ServoTableModel.h"

using dorv::Byte;

void TFormHlav::PackEditors() {
    if (ActivePage() == 0)
        General.Pack(Image);
    else
        PackServoPage(ActiveServo());
}

void TFormHlav::PackServoPage(dorv::ServoIndex s) {
    auto servo = Image.servo(s);
    servo.PercentMode() = CheckBoxProcenta->isChecked() ? 1 : 0;
    dorv::PackTableModel(ServoTable->TakeTypedValue(), Image, s);
    servo.HysteresisMv() = dorv::HysteresisStored(UpDownHystMv->Position());
    servo.HysteresisRpm() = dorv::HysteresisStored(UpDownHystRpm->Position());
    servo.ServoEnable() = CheckBoxServoEnable->isChecked() ? 1 : 0;
    servo.TpEnable() = CheckBoxTpEnable->isChecked() ? 1 : 0;
    AllCellsFlag[s] = CheckBoxAll->isChecked() ? 1 : 0;
}

void TFormHlav::FillEditors() {
    ShowServoEditors();
    if (ActivePage() == 0)
        General.Fill(Image);
    else
        FillServoPage(ActiveServo());
    ShowServoEditors();
}

void TFormHlav::FillServoPage(dorv::ServoIndex s) {
    const auto servo = std::as_const(Image).servo(s);
    const bool percent = servo.PercentMode() != 0;
    CheckBoxProcenta->setChecked(percent);
    dorv::ServoTableModel table = ServoTable->Model();
    dorv::FillTableModel(table, Image, s);
    ServoTable->SetModel(table);
    UpDownHystMv->SetPosition(dorv::HysteresisShown(servo.HysteresisMv()));
    UpDownHystRpm->SetPosition(dorv::HysteresisShown(servo.HysteresisRpm()));
    CheckBoxServoEnable->setChecked(servo.ServoEnable() != 0);
    CheckBoxTpEnable->setChecked(servo.TpEnable() != 0);
    CheckBoxAll->setChecked(AllCellsFlag[s] != 0);
}

bool TFormHlav::ProgramAfterChange() const {
    return Live.CheckBoxProgHned->isChecked();
}

void TFormHlav::ShowUndoState(bool canUndo, bool canRedo) {
    Commands.ShowUndoState(canUndo, canRedo);
}

void TFormHlav::ShowRestored(int page) {
    RefillWithBoxHidden([this, page] {
        FillEditors();
        if (page != ActivePage())
            SetActivePage(page);
        FillEditors();
    });
}

void TFormHlav::OnUndo() {
    Session.Undo();
}

void TFormHlav::OnRedo() {
    Session.Redo();
}

// Bulk changes to the some 350 servo editors run while their box is hidden, so they are
// repainted once at the end instead of one by one. Hiding the box moves the keyboard focus out of
// it, to the next control in tab order ("Programming after change"): it is given back.
void TFormHlav::RefillWithBoxHidden(const std::function<void()>& change) {
    QWidget* had = QApplication::focusWidget();
    const bool wasHidden = GroupBoxServo->isHidden();
    GroupBoxServo->hide();
    change();
    GroupBoxServo->setHidden(wasHidden);
    KeepFocus(had);
}

namespace {

bool TakesFocus(const QWidget* widget) {
    return widget != nullptr && widget->isVisible() && widget->isEnabled() &&
           widget->focusPolicy() != Qt::NoFocus;
}

} // namespace

QWidget* TFormHlav::FirstEditorOfPage() const {
    return ActivePage() == 0 ? General.UpDownTps0 : static_cast<QWidget*>(ServoTable->Editor());
}

// A page change has already put the focus on the new page itself when no editor of that page was
// at hand (the servo editors were still on the other servo page): on a servo page the servo
// editor last used takes it then.
void TFormHlav::KeepFocus(QWidget* had) {
    if (had == nullptr || had->window() != this)
        return;
    QWidget* target = had;
    if (!TakesFocus(had)) {
        target = ActivePage() != 0 && TakesFocus(lastServoEditor_) ? lastServoEditor_.data()
                                                                   : FirstEditorOfPage();
    }
    if (!target->hasFocus())
        target->setFocus(Qt::OtherFocusReason);
}

void TFormHlav::OnEditorClick() {
    Session.CommitEditors();
}

void TFormHlav::OnEnterPressed() {
    focusNextChild();
    Session.CommitEditors();
}

void TFormHlav::OnServoTableEnter() {
    Session.CommitEditors();
}

void TFormHlav::OnEditorArrow() {
    Session.CommitEditors();
}

void TFormHlav::OnServoCheckBoxClick() {
    Session.CommitEditors();
}

void TFormHlav::OnThrottleRowsClick() {
    RefillWithBoxHidden([this] {
        PackEditors();
        ShowServoEditors();
        Session.Commit();
    });
}

void TFormHlav::OnPercentModeClick() {
    dorv::SwitchPercentMode(Image, ActiveServo(), CheckBoxProcenta->isChecked());
    Session.Commit();
}

void TFormHlav::OnPulsesChosen(int item) {
    Image.PulsesMode() = static_cast<Byte>(item);
    Session.Record();
}

void TFormHlav::OnPageChanged(int) {
    if (quietPageSelect_)
        return;
    RefillWithBoxHidden([this] { FillEditors(); });
}

void TFormHlav::StepServoTable(dorv::StepDirection direction) {
    if (ActivePage() == 0)
        return;
    dorv::StepServoCells(Image, ActiveServo(), direction, CheckBoxAll->isChecked(),
                         CheckBoxTpEnable->isChecked(), OperatingCell);
    Session.Commit();
}

void TFormHlav::OnMinus() {
    StepServoTable(dorv::StepDirection::Down);
}
void TFormHlav::OnPlus() {
    StepServoTable(dorv::StepDirection::Up);
}

void TFormHlav::StepColumn(int column, dorv::StepDirection direction) {
    dorv::StepServoColumn(Image, ActiveServo(), column, direction);
    Session.Commit();
}

void TFormHlav::OnColumnStepDown(int column) {
    StepColumn(column, dorv::StepDirection::Down);
}
void TFormHlav::OnColumnStepUp(int column) {
    StepColumn(column, dorv::StepDirection::Up);
}
