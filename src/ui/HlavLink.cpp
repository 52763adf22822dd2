// The window's side of the link: the serial port, the 55 ms tick, transfers and TPS capture.
#include "Hlav.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Cgauges.h"
#include "ComPort.h"
#include "CompareView.h"
#include "ConfigFolder.h"
#include "ErrorTexts.h"
#include "HistoryKeeper.h"
#include "Jazyk1.h"
#include "LiveDisplay.h"
#include "PortSystem.h"
#include "PortTexts.h"
#include "PortsSection.h"
#include "QtSerialPort.h"

namespace {

TFormHlav::SerialPortFactory& PortFactory() {
    static TFormHlav::SerialPortFactory factory;
    return factory;
}

// The device DORV.ini's [PORTS] section gives for the port, if any.
std::optional<std::string> ConfiguredDevice(int portIndex) {
    return dorv::ConfiguredPortDevice(dorv::ComPortName(portIndex));
}

// Stores the device's name as [PORTS] COMn of DORV.ini; false when the file could not be written.
bool StoreConfiguredDevice(int portIndex, const std::string& name) {
    return dorv::StorePortDevice(dorv::ComPortName(portIndex), name);
}

// Fills the device list's rows; the row of selected stays selected.
void FillDeviceRows(QTreeWidget* list, const std::vector<dorv::SerialDevice>& devices) {
    const QString selected = list->currentItem() ? list->currentItem()->text(0) : QString();
    list->clear();
    for (const auto& d : devices) {
        auto* row = new QTreeWidgetItem(
            list, {QString::fromStdString(d.Path), QString::fromStdString(d.StableName),
                   QString::fromStdString(d.Description), QString::fromStdString(d.Manufacturer),
                   QString::fromStdString(d.SerialNumber)});
        if (row->text(0) == selected)
            list->setCurrentItem(row);
    }
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

void TFormHlav::OpenComPortAtStart() {
    if (!ConfiguredDevice(PortIndex)) {
        // No device chosen yet for this COM number: the one USB adapter is taken, several are
        // left to the user's choice.
        const auto decision = dorv::DecideAutoMap(std::nullopt, dorv::PresentSerialDevices());
        if (decision.What == dorv::AutoMapDecision::Action::Map &&
            StoreConfiguredDevice(PortIndex, dorv::StoredNameOf(decision.Device)))
            ShowPortNote(
                dorv::AutoMappedText(PortIndex, decision.Device.Path, dorv::CurrentLanguage));
        else if (decision.What == dorv::AutoMapDecision::Action::Several)
            ShowPortNote(dorv::SeveralDevicesText(dorv::CurrentLanguage));
    }
    OpenComPort();
}

void TFormHlav::OpenComPort() {
    PortWatch->stop();
    const std::optional<std::string> configured = ConfiguredDevice(PortIndex);
    comDevice_ = dorv::ComDevicePath(PortIndex, configured);
    dorv::ComOpenResult result = dorv::OpenComPort(*comPort_, comDevice_);
    for (int k = 0; k < ComPortCount; ++k)
        Commands.MenuComPort[k]->setChecked(k == PortIndex);
    if (!result.Opened) {
        dorv::DiagnoseComOpen(result);
        PostMessageBox(dorv::ComOpenErrorText(Messages, result, dorv::CurrentLanguage));
    }
}

void TFormHlav::RefreshComItems() {
    const auto devices = dorv::PresentSerialDevices();
    for (int k = 0; k < ComPortCount; ++k) {
        const auto configured = ConfiguredDevice(k);
        const std::string device = dorv::ComDevicePath(k, configured);
        const bool openNow = k == PortIndex && comPort_->IsOpen();
        const auto state =
            dorv::ComItemStateOf(k, configured, dorv::ResolvedDevicePath(device), devices, openNow);
        Commands.MenuComPort[k]->setText(dorv::ComItemText(k, state, dorv::CurrentLanguage));
    }
    Commands.MenuSerialDevices->setText(dorv::SerialDevicesText(dorv::CurrentLanguage));
}

void TFormHlav::OnSerialDevices() {
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("SerialDevicesDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(dorv::SerialDevicesText(dorv::CurrentLanguage));
    auto* list = new QTreeWidget(dialog);
    list->setObjectName(QStringLiteral("SerialDeviceList"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels(dorv::SerialDeviceColumns(dorv::CurrentLanguage));
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog->resize(760, 260);
    auto devices = std::make_shared<std::vector<dorv::SerialDevice>>();
    const auto refresh = [list, devices] {
        *devices = dorv::PresentSerialDevices();
        FillDeviceRows(list, *devices);
    };
    refresh();
    auto* refreshTimer = new QTimer(dialog);
    connect(refreshTimer, &QTimer::timeout, dialog, refresh);
    refreshTimer->start(PortWatchMs);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    const auto choose = [this, dialog, list, devices] {
        const int row = list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
        if (row < 0 || row >= static_cast<int>(devices->size()))
            return;
        const dorv::SerialDevice chosen = (*devices)[static_cast<std::size_t>(row)];
        dialog->accept();
        MapDeviceToCurrentCom(chosen);
    };
    connect(buttons, &QDialogButtonBox::accepted, dialog, choose);
    connect(list, &QTreeWidget::itemDoubleClicked, dialog, choose);
    dialog->open();
}

void TFormHlav::MapDeviceToCurrentCom(const dorv::SerialDevice& device) {
    if (!StoreConfiguredDevice(PortIndex, dorv::StoredNameOf(device)))
        PostMessageBox(Messages.MsgSaveFileError);
    CloseComPort();
    OpenComPort();
}

void TFormHlav::ShowPortNote(const QString& text) {
    if (!LabelPortNote) {
        LabelPortNote = new QLabel(StatusBar1);
        LabelPortNote->setObjectName(QStringLiteral("LabelPortNote"));
        StatusBar1->addPermanentWidget(LabelPortNote);
    }
    LabelPortNote->setText(text);
}

// The device went away under an open port: say so, grey the live values, and watch for it.
void TFormHlav::DeviceDisconnected() {
    ShowPortNote(dorv::DeviceDisconnectedText(dorv::CurrentLanguage));
    Live.SetStale(true);
    PortWatch->start();
}

// One stat a second; when the node is back, the port is opened again quietly and the tick's
// polling takes up from there.
void TFormHlav::WatchForDevice() {
    if (comPort_->IsOpen()) {
        PortWatch->stop();
        return;
    }
    if (!dorv::DeviceNodeExists(comDevice_))
        return;
    if (comPort_->Open(comDevice_) != dorv::PortOpenError::None)
        return; // not ready yet (the node appears before its permissions are set): next second
    PortWatch->stop();
    ShowPortNote(dorv::DeviceReconnectedText(comDevice_, dorv::CurrentLanguage));
}

void TFormHlav::CloseComPort() {
    dorv::CloseComPort(*comPort_);
}

void TFormHlav::OnComPortChosen() {
    int clicked = -1;
    for (int k = 0; k < ComPortCount; ++k)
        if (sender() == Commands.MenuComPort[k])
            clicked = k;
    PortIndex = dorv::PortIndexAfterChoice(PortIndex, clicked);
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

void TFormHlav::OnTick() {
    HandleTransferEvents(sequencer_.Tick());
    if (comPort_->DeviceLost() && !PortWatch->isActive())
        DeviceDisconnected();
    // A replay shows its frames as current, whatever the link does meanwhile.
    Live.SetStale(sequencer_.Display().NoConnection && !Replaying());
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
        Live.ShowMonitorValues(*events.Monitor, Messages);
        RecordMonitorValues(*events.Monitor);
        ChartLiveValues(*events.Monitor);
    }
    if (events.Identity) {
        Identity = *events.Identity;
        General.ShowIdentity(Identity);
    }
    if (events.ImageChanged)
        RefillWithBoxHidden([this] { FillEditors(); });
    if (events.ImageFromUnit)
        General.LabelFile2->setText(QString());
    if (events.VersionMismatch)
        PostVersionMismatchBox(events.VersionMismatch->Suffix);
    Comparison->HandleTransferEvents(events);
    HistoryKeeper->TakeTransferEvents(events);
}

bool TFormHlav::RequestUnitCopy() {
    if (sequencer_.State().Mode == dorv::TransferMode::Idle) {
        sequencer_.StartUnitCopyRead();
        ShowTransferDisplay();
    }
    return sequencer_.UnitCopyRunning();
}

void TFormHlav::ShowTransferDisplay() {
    Live.ShowTransferDisplay(sequencer_.Display(), Replaying(), Messages);
}

void TFormHlav::OnRead() {
    HandleTransferEvents(sequencer_.StartRead());
    ShowTransferDisplay();
}

void TFormHlav::OnVerify() {
    // What the editors show is sent: packed, normalised and shown again.
    Session.TakeEditors();
    FillEditors();
    sequencer_.StartVerify();
    ShowTransferDisplay();
}

void TFormHlav::OnProgram() {
    // What the editors show is sent: packed, normalised and shown again.
    Session.TakeEditors();
    FillEditors();
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

void TFormHlav::OnCaptureTps0() {
    if (dorv::CaptureTps0(Image, sequencer_.Live().MonitorTpMv))
        Session.Commit();
}

void TFormHlav::OnCaptureTps100() {
    if (dorv::CaptureTps100(Image, sequencer_.Live().MonitorTpMv))
        Session.Commit();
}
