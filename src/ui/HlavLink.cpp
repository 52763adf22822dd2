// The window's side of the link: the serial port, the 55 ms tick, transfers and TPS capture.
#include "Hlav.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "Cgauges.h"
#include "ComPort.h"
#include "ConfigFolder.h"
#include "ErrorTexts.h"
#include "Jazyk1.h"
#include "LiveDisplay.h"
#include "Profile.h"
#include "QtSerialPort.h"

namespace {

TFormHlav::SerialPortFactory& PortFactory() {
    static TFormHlav::SerialPortFactory factory;
    return factory;
}

// The device DORV.ini's [PORTS] section gives for the port, if any.
std::optional<std::string> ConfiguredDevice(int portIndex) {
    const dorv::Profile profile(dorv::ConfigFilePath(QString::fromLatin1(dorv::SettingsFileName)));
    const QString key = QString::fromStdString(dorv::ComPortName(portIndex));
    const QString device = profile.ReadString(QStringLiteral("PORTS"), key, QString());
    if (device.isEmpty())
        return std::nullopt;
    return device.toStdString();
}

// A modal box with an OK button over the window. The window may go while the box is open
// (the box is its child), so nothing of the box is touched after exec().
void ExecMessageBox(QWidget* window, const QString& text) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, window->windowTitle(), text, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->exec();
}

} // namespace

void TFormHlav::SetSerialPortFactory(SerialPortFactory factory) {
    PortFactory() = std::move(factory);
}

std::unique_ptr<dorv::SerialPort> TFormHlav::MakeSerialPort() {
    if (PortFactory())
        return PortFactory()();
    return std::make_unique<dorv::QtSerialPort>();
}

void TFormHlav::OpenComPort() {
    const std::string device = dorv::ComDevicePath(PortIndex, ConfiguredDevice(PortIndex));
    const dorv::ComOpenResult result = dorv::OpenComPort(*comPort_, device);
    for (int k = 0; k < ComPortCount; ++k)
        MenuComPort[k]->setChecked(k == PortIndex);
    if (!result.Opened)
        PostMessageBox(dorv::ComOpenErrorText(Messages, result, dorv::CurrentLanguage));
}

void TFormHlav::CloseComPort() {
    dorv::CloseComPort(*comPort_);
}

void TFormHlav::MenuCom1Click() {
    int clicked = -1;
    for (int k = 0; k < ComPortCount; ++k)
        if (sender() == MenuComPort[k])
            clicked = k;
    PortIndex = dorv::PortIndexAfterMenuClick(PortIndex, clicked);
    CloseComPort();
    OpenComPort();
}

// A box opened from a handler that the tick or a constructor runs would stop the caller until it
// is closed: it is posted and opens from the event loop instead.
void TFormHlav::PostMessageBox(const QString& text) {
    QTimer::singleShot(0, this, [this, text] { ExecMessageBox(this, text); });
}

void TFormHlav::PostVersionMismatchBox(const std::string& suffix) {
    if (versionBoxPending_)
        return;
    versionBoxPending_ = true;
    const QString text = Messages.MsgVersionMismatch + QString::fromStdString(suffix);
    QTimer::singleShot(0, this, [this, text] {
        QPointer<TFormHlav> self(this);
        ExecMessageBox(this, text);
        if (!self)
            return;
        versionBoxPending_ = false;
        sequencer_.VersionMismatchBoxClosed();
        ShowTransferDisplay();
    });
}

void TFormHlav::Timer1Timer() {
    HandleTransferEvents(sequencer_.Tick());
    ShowTransferDisplay();
    if (Replaying())
        ReplayTick();
    TrackOperatingCell();
    ShowTableChart();
    if (Recording())
        TickRecordingState();
    // Exit was chosen during a pass, to be done at its end.
    if (closeAfterTransfer_ && !TransferRunning()) {
        closeAfterTransfer_ = false;
        close();
    }
}

void TFormHlav::HandleTransferEvents(const dorv::TransferEvents& events) {
    // While a log is replayed, the replay owns the live labels.
    if (events.Monitor && !Replaying()) {
        ShowMonitorValues(*events.Monitor);
        RecordMonitorValues(*events.Monitor);
        ChartLiveValues(*events.Monitor);
    }
    if (events.Identity) {
        Identity = *events.Identity;
        dorv::SetLabelText(LabelVerze1, QString::fromStdString(Identity.VersionText));
        dorv::SetLabelText(LabelVerze2, QString::fromStdString(Identity.DateText));
        dorv::SetLabelText(LabelVerze3, QString::fromStdString(Identity.TimeText));
    }
    if (events.FillEditors)
        RefillWithBoxHidden([this] { FillEditors(); });
    if (events.ClearLabelFile2)
        LabelFile2->setText(QString());
    if (events.VersionMismatch)
        PostVersionMismatchBox(events.VersionMismatch->Suffix);
}

void TFormHlav::ShowTransferDisplay() {
    const dorv::TransferDisplay& d = sequencer_.Display();
    dorv::SetLabelText(LabelHlaseni, dorv::MessageWithSuffix(Messages, d.Message, d.Suffix));
    dorv::SetRoleColour(LabelHlaseni, QPalette::Window,
                        dorv::StatusColourOf(d.Colour, LabelHlaseni->palette()));
    LabelHlaseni->setVisible(d.LabelHlaseniVisible);
    CGaugeProgram->SetMaxValue(d.GaugeMaximum);
    CGaugeProgram->SetProgress(d.GaugePosition);
    CGaugeProgram->setVisible(d.GaugeVisible);
    // A replay pauses the link on purpose: the missing frames are no fault to show.
    LabelSpojeni->setVisible(d.LabelSpojeniVisible && !Replaying());
    LabelVersion->setVisible(d.LabelVersionVisible);
}

void TFormHlav::ShowEngineValues(const dorv::MonitorValues& v) {
    dorv::ShowMonitorLabel(LabelRpm, v.LabelRpm, Messages);
    CGaugeRpm->SetProgress(v.RpmGaugePosition);
    dorv::ShowMonitorLabel(LabelTpsMon, v.LabelTpsMon, Messages);
    CGaugeTps->SetProgress(v.TpsGaugePosition);
    dorv::ShowMonitorLabel(LabelNapeti, v.LabelNapeti, Messages);
    dorv::ShowMonitorLabel(LabelServoPoz1, v.LabelServoPoz1, Messages);
    dorv::ShowMonitorLabel(LabelServoMer1, v.LabelServoMer1, Messages);
    dorv::ShowMonitorLabel(LabelServoPoz2, v.LabelServoPoz2, Messages);
    dorv::ShowMonitorLabel(LabelServoMer2, v.LabelServoMer2, Messages);
}

void TFormHlav::ShowMonitorValues(const dorv::MonitorValues& v) {
    ShowEngineValues(v);
    dorv::ShowMonitorLabel(LabelPocetProgramovani, v.LabelPocetProgramovani, Messages);
    for (int i = 0; i < dorv::TestValueCount; ++i)
        dorv::ShowMonitorLabel(LabelTest[i], v.LabelTest[i], Messages);
    // LabelVersion keeps its red face; the tick decides whether it shows.
    if (v.LabelVersionVisible)
        dorv::SetLabelText(LabelVersion, dorv::MessageWithSuffix(Messages, v.LabelVersion.Message,
                                                                 v.LabelVersion.Text));
    LabelEeDataErr->setVisible(v.LabelEeDataErrVisible);
}

void TFormHlav::MenuReadClick() {
    HandleTransferEvents(sequencer_.StartRead());
    ShowTransferDisplay();
}

// Program and Verify send what the editors show: packed, normalised and shown again.
void TFormHlav::PackForTransfer() {
    PackEditors();
    dorv::NormalizeRpmPoints(Image);
    FillEditors();
}

void TFormHlav::MenuVerifyClick() {
    PackForTransfer();
    sequencer_.StartVerify();
    ShowTransferDisplay();
}

void TFormHlav::MenuProgramClick() {
    PackForTransfer();
    StartProgramming();
}

// Also the path of programming after change, undo and redo: the image is already up to date.
void TFormHlav::StartProgramming() {
    // Nothing goes to the unit during a replay: programming after change waits for its end.
    if (Replaying()) {
        programAfterReplay_ = true;
        return;
    }
    sequencer_.StartProgramming();
    ShowTransferDisplay();
}

void TFormHlav::ButtonTps0Click() {
    if (dorv::CaptureTps0(Image, sequencer_.Live().MonitorTpMv))
        CommitChange();
}

void TFormHlav::ButtonTps100Click() {
    if (dorv::CaptureTps100(Image, sequencer_.Live().MonitorTpMv))
        CommitChange();
}
