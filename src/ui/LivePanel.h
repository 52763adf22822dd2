// The live panel of the main window: live values, gauges, transfer line, connection, stale marking.
#pragma once

#include <array>

#include "Jazyk2.h"
#include "Monitor.h"
#include "TransferSequencer.h"

class QCheckBox;
class QLabel;
class QWidget;
class TCGauge;

// The controls under the pages that show what the unit reports: engine speed and throttle with
// their gauges, supply voltage, the servos' required and measured positions, the test values, the
// transfer message with its progress gauge, the unit's warnings and the "no connection" sign in
// the toolbar row. It maps the link's values (dorv::MonitorValues, dorv::TransferDisplay) to
// these labels and greys them while no valid frame comes. The controls are children of the
// window's client area, at their designed places.
class TLivePanel {
public:
    // The designed height of the servo labels' font; smaller where a language needs it.
    static constexpr int ServoLabelPixelSize = 16;
    static constexpr int DesignedConnectionLeft = 472; // LabelSpojeni's designed left edge

    // The "no connection" sign (made with the toolbar, whose row it shares).
    void CreateConnectionLabel(QWidget* client);
    // The live values on the client area; programmingCount is the count's label on the general
    // page, greyed and filled with the others.
    void Create(QWidget* client, QLabel* programmingCount);

    // The values of a frame the data log also records (a replayed sample shows these).
    void ShowEngineValues(const dorv::MonitorValues& values, const dorv::LanguageMessages& m);
    // Everything an accepted monitor frame shows.
    void ShowMonitorValues(const dorv::MonitorValues& values, const dorv::LanguageMessages& m);
    // The transfer line, its gauge and the signs; a replay hides the "no connection" sign, as
    // it pauses the link on purpose.
    void ShowTransferDisplay(const dorv::TransferDisplay& display, bool replaying,
                             const dorv::LanguageMessages& m);
    // Greys the live values while no valid frame comes (stale), shows them normal again after.
    void SetStale(bool stale);
    // The four servo labels share one font size per language, chosen so that the widest value
    // the unit can report fits their column: the size never changes with the values shown.
    void FitServoLabels(const dorv::LanguageMessages& m, int clientWidth);
    // Grows "Programming after change" to its text and places the transfer line.
    void FitToTexts();
    // Keeps the transfer line (LabelHlaseni) clear of what stands on its row.
    void PlaceStatusLabel();

    QLabel* LabelSpojeni = nullptr; // "No connection with PC"
    QLabel* LabelRpm = nullptr;
    TCGauge* CGaugeRpm = nullptr;
    QLabel* LabelNapeti = nullptr;
    QLabel* LabelTpsMon = nullptr;
    TCGauge* CGaugeTps = nullptr;
    QLabel* LabelServoPoz1 = nullptr;
    QLabel* LabelServoMer1 = nullptr;
    QLabel* LabelServoPoz2 = nullptr;
    QLabel* LabelServoMer2 = nullptr;
    // "Programming after change" stands among the live values (and in their tab order).
    QCheckBox* CheckBoxProgHned = nullptr;
    QLabel* LabelHlaseni = nullptr; // the transfer line
    TCGauge* CGaugeProgram = nullptr;
    QLabel* LabelEeDataErr = nullptr;
    QLabel* LabelVersion = nullptr;
    std::array<QLabel*, dorv::TestValueCount> LabelTest{};
    QLabel* LabelPocetProgramovani = nullptr; // on the general page

private:
    bool stale_ = false;
};
