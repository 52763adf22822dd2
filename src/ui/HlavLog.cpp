// The window's data log: Log > Record and Marker, the recording's status, samples of live frames.
#include "Hlav.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <chrono>

#include "LiveDisplay.h"
#include "LiveSample.h"
#include "LogFormat.h"
#include "LogWriter.h"

namespace {

std::int64_t SteadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// "hh:mm:ss" of a duration.
QString Duration(std::int64_t ms) {
    const std::int64_t s = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QAction* MakeLogAction(QMenu* menu, const char* name, const QString& text,
                       const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

void TFormHlav::CreateLogMenu() {
    MenuLog = new QMenu(QStringLiteral("L&og"), menuBar());
    MenuLog->setObjectName(QStringLiteral("MenuLog"));
    menuBar()->insertMenu(MenuLanguage->menuAction(), MenuLog);
    MenuRecord = MakeLogAction(MenuLog, "MenuRecord", QStringLiteral("&Record"),
                               QKeySequence(Qt::CTRL | Qt::Key_L));
    MenuRecord->setCheckable(true);
    MenuMarker = MakeLogAction(MenuLog, "MenuMarker", QStringLiteral("&Marker"),
                               QKeySequence(Qt::CTRL | Qt::Key_M));
    MenuMarker->setEnabled(false);
    connect(MenuRecord, &QAction::triggered, this, &TFormHlav::MenuRecordClick);
    connect(MenuMarker, &QAction::triggered, this, &TFormHlav::MenuMarkerClick);

    LabelRecording = new QLabel(StatusBar1);
    LabelRecording->setObjectName(QStringLiteral("LabelRecording"));
    LabelRecording->hide();
    StatusBar1->addPermanentWidget(LabelRecording);
    recorder_ = std::make_unique<dorv::LogRecorder>();
}

void TFormHlav::SetLogClock(LogClock clock) {
    logClock_ = std::move(clock);
}

std::int64_t TFormHlav::LogNow() const {
    return logClock_ ? logClock_() : SteadyNowMs();
}

bool TFormHlav::Recording() const {
    return recorder_ && recorder_->Recording();
}

void TFormHlav::MenuRecordClick() {
    if (Recording())
        StopRecording();
    else
        StartRecording();
}

void TFormHlav::StartRecording() {
    const QString start =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    const QString folder = dorv::LogFolderPath();
    if (recorder_->Start(folder, start) != dorv::LogRecorder::StartResult::Started) {
        MenuRecord->setChecked(false);
        PostMessageBox(Messages.MsgLogCreateError.arg(folder));
        return;
    }
    recordStartMs_ = LogNow();
    lastMarker_ = 0;
    recordingNote_.clear();
    MenuRecord->setChecked(true);
    MenuMarker->setEnabled(true);
    ShowRecordingState();
}

void TFormHlav::StopRecording() {
    if (!Recording())
        return;
    const dorv::LogRecorder::StopResult stopped = recorder_->Stop();
    MenuRecord->setChecked(false);
    MenuMarker->setEnabled(false);
    const QString name = QFileInfo(stopped.Path).fileName();
    recordingNote_ =
        stopped.Kept ? Messages.MsgLogSaved.arg(stopped.Samples).arg(name) : Messages.MsgLogEmpty;
    ShowRecordingState();
    if (stopped.WriteFailed)
        PostMessageBox(Messages.MsgLogWriteError.arg(stopped.Path));
}

void TFormHlav::MenuMarkerClick() {
    if (!Recording())
        return;
    lastMarker_ = recorder_->AddMarker();
    ShowRecordingState();
}

void TFormHlav::RecordMonitorValues(const dorv::MonitorValues& values) {
    if (!Recording())
        return;
    const std::string now = dorv::LocalTimeText(QDateTime::currentMSecsSinceEpoch());
    recorder_->Record(dorv::LogSampleOf(values, Image, LogNow() - recordStartMs_, now));
}

void TFormHlav::TickRecordingState() {
    if ((LogNow() - recordStartMs_) / 1000 != shownRecordingSecond_)
        ShowRecordingState();
}

// The label changes (and repaints) only when its text does.
void TFormHlav::ShowRecordingState() {
    QString text = recordingNote_;
    if (Recording()) {
        shownRecordingSecond_ = (LogNow() - recordStartMs_) / 1000;
        text = Messages.MsgRecordingState.arg(recorder_->SampleCount())
                   .arg(Duration(LogNow() - recordStartMs_));
        if (lastMarker_ > 0)
            text += QStringLiteral(", ") + Messages.MsgMarker.arg(lastMarker_);
    }
    if (LabelRecording->text() != text)
        LabelRecording->setText(text);
    LabelRecording->setVisible(!text.isEmpty());
}
