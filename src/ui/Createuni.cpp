// CreateEditors: the servo editors made at run time, their geometry and ranges, and the Com items.
#include "Hlav.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "Cspin.h"
#include "EditUpDown.h"
#include "ServoTable.h"

namespace {

constexpr int ColumnPitch = TServoTable::ColumnPitch;
constexpr int EditWidth = 40;
constexpr int UpDownWidth = 16;
constexpr int EditorHeight = 21;

QLabel* MakeEditorLabel(QWidget* parent, const QString& name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at); // sized to its text when the window fits its texts
    return label;
}

// An edit of 40 x 21 with its up-down of 16 x 21 right of it.
TEditUpDown* MakeEditUpDown(QWidget* parent, const QString& editName, const QString& upDownName,
                            QPoint at, const dorv::EditorRange& range) {
    return TEditUpDown::Create(parent, editName, upDownName,
                               QRect(at, QSize(EditWidth + UpDownWidth, EditorHeight)), range);
}

QCheckBox* MakeRunTimeCheckBox(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setFocusPolicy(Qt::ClickFocus);
    box->move(at); // sized to its text when the window fits its texts
    return box;
}

QPushButton* MakeStepButton(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    QFont font = button->font();
    font.setPointSize(14);
    button->setFont(font);
    button->setFocusPolicy(Qt::ClickFocus);
    button->setGeometry(at.x(), at.y(), 20, 20);
    return button;
}

// The largest font up to the box's own that shows the widest RPM value, with its thousands
// separator, inside the 40 px edit.
QFont EditorFont(const QFont& base, const QLocale& locale) {
    constexpr int TextRoom = EditWidth - 8;
    const QString widest = locale.toString(dorv::RpmRange.Max);
    QFont font = base;
    for (int size = base.pixelSize(); size > 7; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(widest) <= TextRoom)
            break;
    }
    return font;
}

} // namespace

void TFormHlav::CreateEditors() {
    QWidget* page = ActivePage() == 1 ? TabSheet_Servo1 : TabSheet_Servo2;
    for (QWidget* servoPage : {TabSheet_Servo1, TabSheet_Servo2}) {
        auto* fill = new QVBoxLayout(servoPage);
        fill->setContentsMargins(0, 0, 0, 0);
    }
    GroupBoxServo = new QGroupBox(page);
    GroupBoxServo->setObjectName(QStringLiteral("GroupBoxServo"));
    page->layout()->addWidget(GroupBoxServo);
    CreateServoTable();
    CreateServoControls();
    // "Programming after change" comes after the servo editors in tab order, not before them:
    // a servo page opens with the focus in its first editor.
    setTabOrder(CheckBoxAll, Live.CheckBoxProgHned);
    CreateComPortItems();
}

void TFormHlav::CreateServoTable() {
    QWidget* box = GroupBoxServo;
    LabelAxisRpm =
        MakeEditorLabel(box, QStringLiteral("LabelAxisRpm"), QStringLiteral("RPM"), {13, 16});
    LabelAxisThrottle =
        MakeEditorLabel(box, QStringLiteral("LabelAxisThrottle"), QStringLiteral("TPS"), {7, 37});
    ServoTable = new TServoTable(box);
    for (int c = 0; c < dorv::RpmColumns; ++c) {
        CSpinButtonColumn[c] = new TCSpinButton(box);
        CSpinButtonColumn[c]->setObjectName(QStringLiteral("CSpinButtonColumn[%1]").arg(c));
        CSpinButtonColumn[c]->setGeometry(59 + ColumnPitch * c, 350, 17, 23);
    }
}

// Fitting tries one font after another (each loaded for the purpose), so it waits until a servo
// page is first active: a run that starts on the general page shows its first page without them.
void TFormHlav::FitServoTableFont() {
    if (servoTableFontFitted_)
        return;
    servoTableFontFitted_ = true;
    ServoTable->setFont(EditorFont(GroupBoxServo->font(), ServoTable->Editor()->locale()));
}

void TFormHlav::CreateServoControls() {
    QWidget* box = GroupBoxServo;
    CheckBoxServoEnable =
        MakeRunTimeCheckBox(box, "CheckBoxServoEnable", QStringLiteral("Servo Enable"), {60, 390});
    const QPoint tpEnable(CheckBoxServoEnable->x() + 120, 390);
    CheckBoxTpEnable =
        MakeRunTimeCheckBox(box, "CheckBoxTpEnable", QStringLiteral("TP Enable"), tpEnable);
    CheckBoxProcenta = MakeRunTimeCheckBox(box, "CheckBoxProcenta", QStringLiteral("Procenta"),
                                           {tpEnable.x(), CheckBoxServoEnable->y() + 25});

    UpDownHystMv = MakeEditUpDown(box, QStringLiteral("EditHystMv"), QStringLiteral("UpDownHystMv"),
                                  {tpEnable.x() + 120, tpEnable.y() - 2}, dorv::HysteresisRange);
    LabelHystMv =
        MakeEditorLabel(box, QStringLiteral("LabelHystMv"), QStringLiteral("Hysteresis [mV]"),
                        {UpDownHystMv->x() + 70, tpEnable.y() + 1});
    UpDownHystRpm =
        MakeEditUpDown(box, QStringLiteral("EditHystRpm"), QStringLiteral("UpDownHystRpm"),
                       {UpDownHystMv->x(), tpEnable.y() + 28}, dorv::HysteresisRange);
    LabelHystRpm =
        MakeEditorLabel(box, QStringLiteral("LabelHystRpm"), QStringLiteral("Hysteresis [RPM]"),
                        {LabelHystMv->x(), UpDownHystRpm->y() + 3});

    ButtonMinus = MakeStepButton(box, "ButtonMinus", QStringLiteral("-"), {720, tpEnable.y() - 2});
    ButtonPlus = MakeStepButton(box, "ButtonPlus", QStringLiteral("+"),
                                {ButtonMinus->x() + 60, ButtonMinus->y()});
    CheckBoxAll = MakeRunTimeCheckBox(box, "CheckBoxAll", QStringLiteral("All"),
                                      {ButtonMinus->x() + 120, tpEnable.y()});
}
