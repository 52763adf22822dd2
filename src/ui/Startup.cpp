// The start-up and shut-down sequences of the main window, the settings file and New/Open/Save.
#include "Hlav.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

#include "Cgauges.h"
#include "Hints.h"

void TFormHlav::FormCreate() {
    CreateEditors();
    dorv::InstallHintLine(this);
    WireEvents();
    qApp->installEventFilter(this);
    PortIndex = 1;
    dorv::SetDefaultParameters(Image);
    CenterWindow();
    LoadSettings();
    dorv::NormalizeRpmPoints(Image);
    ApplyLanguage();
    ResetHistory();
    FillEditors();
    OpenComPort();
    FillEditors();
    LabelHlaseni->hide();
    CGaugeProgram->hide();
    CGaugeProgram->SetMaxValue(7);
    LabelEeDataErr->hide();
    LabelVersion->hide();
    ReadTestMarker();
    for (QLabel* label : LabelTest)
        label->setVisible(TestDisplay);
    Timer1->start();
}

void TFormHlav::FormClose() {
    CloseComPort();
    PackEditors();
    dorv::NormalizeRpmPoints(Image);
    SaveSettings();
}

void TFormHlav::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TFormHlav::LoadSettings() {}
void TFormHlav::SaveSettings() {}
void TFormHlav::ReadTestMarker() {}
void TFormHlav::MenuNewClick() {}
void TFormHlav::MenuOpenClick() {}
void TFormHlav::MenuSaveClick() {}
