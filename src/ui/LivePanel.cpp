// The live panel of the main window: live values, gauges, transfer line, connection, stale marking.
#include "LivePanel.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>

#include "Cgauges.h"
#include "LiveDisplay.h"
#include "MakeControls.h"

using dorv::AutoSizeProperty;
using dorv::FontOfHeight;
using dorv::LabelStart;
using dorv::MakeLiveLabel;
using dorv::SetFaceColour;

namespace {

constexpr QRect DesignedProgHned{706, 600, 177, 16}; // "Programming after change"
constexpr int DesignedStatusLeft = 300;              // the transfer line's designed left edge
constexpr int StatusGap = 4;

} // namespace

void TLivePanel::CreateConnectionLabel(QWidget* client) {
    LabelSpojeni = new QLabel(QStringLiteral("No connection with PC"), client);
    LabelSpojeni->setObjectName(QStringLiteral("LabelSpojeni"));
    LabelSpojeni->setGeometry(DesignedConnectionLeft, 9, 174, 29);
    LabelSpojeni->setFont(FontOfHeight(client, 23, true));
    // Sized to its text, as the translations differ in length: when the window fits its texts.
    LabelSpojeni->setProperty(AutoSizeProperty, true);
    SetFaceColour(LabelSpojeni, Qt::red);
}

void TLivePanel::Create(QWidget* client, QLabel* programmingCount) {
    LabelPocetProgramovani = programmingCount;
    LabelRpm = MakeLiveLabel(client, "LabelRpm", QStringLiteral("RPM = ---"), {12, 523}, 23, true);
    CGaugeRpm = new TCGauge(client);
    CGaugeRpm->setObjectName(QStringLiteral("CGaugeRpm"));
    CGaugeRpm->setGeometry(13, 552, 240, 18);
    CGaugeRpm->SetForeColor(Qt::magenta);
    CGaugeRpm->SetShowText(false);
    LabelNapeti =
        MakeLiveLabel(client, "LabelNapeti", QStringLiteral("U = ---[V]"), {292, 553}, 19, false);
    LabelTpsMon =
        MakeLiveLabel(client, "LabelTpsMon", QStringLiteral("TP= --- [%]"), {12, 582}, 23, true);
    CGaugeTps = new TCGauge(client);
    CGaugeTps->setObjectName(QStringLiteral("CGaugeTps"));
    CGaugeTps->setGeometry(13, 612, 240, 18);
    // The desktop colour of the classic scheme: dark teal.
    CGaugeTps->SetForeColor(QColor(0, 128, 128));
    CGaugeTps->SetShowText(false);
    LabelServoPoz1 =
        MakeLiveLabel(client, "LabelServoPoz1", QStringLiteral("Servo 1 Required= ---"), {466, 542},
                      ServoLabelPixelSize, false);
    LabelServoMer1 =
        MakeLiveLabel(client, "LabelServoMer1", QStringLiteral("Servo 1 Measured= ---"), {466, 569},
                      ServoLabelPixelSize, false);
    LabelServoPoz2 =
        MakeLiveLabel(client, "LabelServoPoz2", QStringLiteral("Servo 2 Required= ---"), {706, 542},
                      ServoLabelPixelSize, false);
    LabelServoMer2 =
        MakeLiveLabel(client, "LabelServoMer2", QStringLiteral("Servo 2 Measured= ---"), {706, 569},
                      ServoLabelPixelSize, false);
    CheckBoxProgHned = new QCheckBox(QStringLiteral("Programming after change"), client);
    CheckBoxProgHned->setObjectName(QStringLiteral("CheckBoxProgHned"));
    CheckBoxProgHned->setGeometry(DesignedProgHned);
    CheckBoxProgHned->setAutoFillBackground(true);
    LabelHlaseni = MakeLiveLabel(client, "LabelHlaseni", QStringLiteral("Programming:"),
                                 {DesignedStatusLeft, 612}, 13, true, LabelStart::Hidden);
    CGaugeProgram = new TCGauge(client);
    CGaugeProgram->setObjectName(QStringLiteral("CGaugeProgram"));
    CGaugeProgram->setGeometry(456, 612, 203, 18);
    CGaugeProgram->SetForeColor(Qt::cyan);
    CGaugeProgram->SetShowText(true);
    CGaugeProgram->SetMaxValue(7);
    LabelEeDataErr =
        MakeLiveLabel(client, "LabelEeDataErr", QStringLiteral("Programmed data error"), {13, 640},
                      19, true, LabelStart::Hidden);
    SetFaceColour(LabelEeDataErr, Qt::red);
    LabelVersion =
        MakeLiveLabel(client, "LabelVersion", QString(), {13, 672}, 19, true, LabelStart::Hidden);
    SetFaceColour(LabelVersion, Qt::red);
    constexpr std::array<int, 8> testLefts{24, 138, 252, 366, 481, 595, 709, 824};
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "LabelTest" + QByteArray::number(i + 1);
        LabelTest[i] =
            MakeLiveLabel(client, name.constData(), QStringLiteral("Test%1 = ---").arg(i + 1),
                          {testLefts[i], 752}, 16, false, LabelStart::Hidden);
    }
}

void TLivePanel::ShowTransferDisplay(const dorv::TransferDisplay& d, bool replaying,
                                     const dorv::LanguageMessages& m) {
    dorv::SetLabelText(LabelHlaseni, dorv::MessageWithSuffix(m, d.Message, d.Suffix));
    dorv::SetRoleColour(LabelHlaseni, QPalette::Window,
                        dorv::StatusColourOf(d.Colour, LabelHlaseni->palette()));
    LabelHlaseni->setVisible(d.MessageVisible);
    CGaugeProgram->SetMaxValue(d.ProgressMaximum);
    CGaugeProgram->SetProgress(d.ProgressPosition);
    CGaugeProgram->setVisible(d.ProgressVisible);
    // A replay pauses the link on purpose: the missing frames are no fault to show.
    LabelSpojeni->setVisible(d.NoConnection && !replaying);
    LabelVersion->setVisible(d.VersionDiffers);
}

void TLivePanel::ShowEngineValues(const dorv::MonitorValues& v, const dorv::LanguageMessages& m) {
    dorv::ShowMonitorLabel(LabelRpm, v.EngineSpeed, m);
    CGaugeRpm->SetProgress(v.RpmScale);
    dorv::ShowMonitorLabel(LabelTpsMon, v.Throttle, m);
    CGaugeTps->SetProgress(v.ThrottleScale);
    dorv::ShowMonitorLabel(LabelNapeti, v.SupplyVoltage, m);
    dorv::ShowMonitorLabel(LabelServoPoz1, v.Servo1Required, m);
    dorv::ShowMonitorLabel(LabelServoMer1, v.Servo1Measured, m);
    dorv::ShowMonitorLabel(LabelServoPoz2, v.Servo2Required, m);
    dorv::ShowMonitorLabel(LabelServoMer2, v.Servo2Measured, m);
}

void TLivePanel::ShowMonitorValues(const dorv::MonitorValues& v, const dorv::LanguageMessages& m) {
    ShowEngineValues(v, m);
    dorv::ShowMonitorLabel(LabelPocetProgramovani, v.ProgrammingCount, m);
    for (int i = 0; i < dorv::TestValueCount; ++i)
        dorv::ShowMonitorLabel(LabelTest[i], v.TestTexts[i], m);
    // LabelVersion keeps its red face; the tick decides whether it shows.
    if (v.VersionDiffers)
        dorv::SetLabelText(LabelVersion, dorv::MessageWithSuffix(m, v.VersionWarning.Message,
                                                                 v.VersionWarning.Text));
    LabelEeDataErr->setVisible(v.StoredDataError);
}

void TLivePanel::SetStale(bool stale) {
    if (stale == stale_)
        return;
    stale_ = stale;
    const std::array<QWidget*, 10> live = {
        LabelRpm,       LabelTpsMon,    LabelNapeti,    LabelServoPoz1,
        LabelServoMer1, LabelServoPoz2, LabelServoMer2, LabelPocetProgramovani,
        CGaugeRpm,      CGaugeTps};
    for (QWidget* w : live)
        w->setEnabled(!stale);
    for (QLabel* label : LabelTest)
        label->setEnabled(!stale);
}

// The servo values stand in two columns; a long text in some languages would run into the next
// column or out of the window.
void TLivePanel::FitServoLabels(const dorv::LanguageMessages& m, int clientWidth) {
    constexpr int ColumnGap = 6;
    const int room =
        std::min(LabelServoPoz2->x() - LabelServoPoz1->x(), clientWidth - LabelServoPoz2->x()) -
        ColumnGap;
    QFont designed = LabelServoPoz1->font();
    designed.setPixelSize(ServoLabelPixelSize);
    // The voltage's label has a font of the same family and weight, measured already.
    const int size =
        dorv::FittedPixelSize(designed, room, dorv::WidestServoTexts(m), LabelNapeti->font());
    for (QLabel* label : {LabelServoPoz1, LabelServoMer1, LabelServoPoz2, LabelServoMer2}) {
        dorv::SetPixelSize(label, size);
        dorv::FitLabel(label);
    }
}

// The transfer line stands left of the progress gauge, or while the gauge is hidden (a print
// heading) left of "Programming after change"; a text too long for its designed place starts
// further left, clear of the throttle gauge.
void TLivePanel::PlaceStatusLabel() {
    const QWidget* next = CGaugeProgram->isHidden() ? static_cast<QWidget*>(CheckBoxProgHned)
                                                    : static_cast<QWidget*>(CGaugeProgram);
    const int room = next->x() - StatusGap;
    const int leftmost = CGaugeTps->geometry().right() + 1 + 2 * StatusGap;
    const int left = std::max(leftmost, std::min(DesignedStatusLeft, room - LabelHlaseni->width()));
    if (left != LabelHlaseni->x())
        LabelHlaseni->move(left, LabelHlaseni->y());
}

void TLivePanel::FitToTexts() {
    CheckBoxProgHned->resize(
        std::max(DesignedProgHned.width(), CheckBoxProgHned->sizeHint().width()),
        DesignedProgHned.height());
    PlaceStatusLabel();
}
