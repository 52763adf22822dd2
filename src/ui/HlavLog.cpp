// The window's data log: Log > Record and Marker, the recording's status, samples of live frames,
// and Log > Open log, the replay of a recorded log on the live labels.
#include "Hlav.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <chrono>

#include "Cgauges.h"
#include "ChartLoader.h"
#include "ChartWindows.h"
#include "Jazyk1.h"
#include "LiveDisplay.h"
#include "LiveSample.h"
#include "LogFormat.h"
#include "LogPlayback.h"
#include "LogWriter.h"
#include "MenuAction.h"
#include "ReplayBar.h"
#include "ServoTable.h"

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

// clang-format on

} // namespace

void TFormHlav::CreateLogMenu() {
    Commands.MenuLog = new QMenu(QStringLiteral("L&og"), menuBar());
    Commands.MenuLog->setObjectName(QStringLiteral("MenuLog"));
    menuBar()->insertMenu(Commands.MenuLanguage->menuAction(), Commands.MenuLog);
    Commands.MenuRecord =
        dorv::MakeAction(Commands.MenuLog, "MenuRecord", QStringLiteral("&Record"),
                         QKeySequence(Qt::CTRL | Qt::Key_L));
    Commands.MenuRecord->setCheckable(true);
    Commands.MenuMarker =
        dorv::MakeAction(Commands.MenuLog, "MenuMarker", QStringLiteral("&Marker"),
                         QKeySequence(Qt::CTRL | Qt::Key_M));
    Commands.MenuMarker->setEnabled(false);
    Commands.MenuLog->addSeparator();
    Commands.MenuOpenLog =
        dorv::MakeAction(Commands.MenuLog, "MenuOpenLog", QStringLiteral("&Open log..."));
    Commands.MenuLog->addSeparator();
    Commands.MenuChart = dorv::MakeAction(Commands.MenuLog, "MenuChart", QStringLiteral("&Chart"));
    Commands.MenuTableChart =
        dorv::MakeAction(Commands.MenuLog, "MenuTableChart", QStringLiteral("&Table chart"));
    connect(Commands.MenuChart, &QAction::triggered, this, &TFormHlav::OnChart);
    connect(Commands.MenuTableChart, &QAction::triggered, this, &TFormHlav::OnTableChart);
    connect(Commands.MenuRecord, &QAction::triggered, this, &TFormHlav::OnRecord);
    connect(Commands.MenuMarker, &QAction::triggered, this, &TFormHlav::OnMarker);
    connect(Commands.MenuOpenLog, &QAction::triggered, this, &TFormHlav::OnOpenLog);

    ReplayBar = new TReplayBar(StatusBar1);
    ReplayBar->hide();
    StatusBar1->addPermanentWidget(ReplayBar);
    connect(ReplayBar, &TReplayBar::PlayPauseClicked, this, [this] {
        if (!playback_)
            return;
        if (playback_->Playing())
            playback_->Pause();
        else
            playback_->Play();
        replayClockMs_ = LogNow();
        ShowReplayedSample();
    });
    connect(ReplayBar, &TReplayBar::StopClicked, this, &TFormHlav::StopReplay);
    connect(ReplayBar, &TReplayBar::SeekRequested, this, [this](std::int64_t ms) {
        if (playback_ && playback_->Seek(ms))
            ShowReplayedSample();
        else
            ShowReplayPosition();
    });
    connect(ReplayBar, &TReplayBar::SpeedChosen, this, [this](double speed) {
        if (playback_)
            playback_->SetSpeed(speed);
    });
    LogDialog.Prepare(this, "LogDialog", [](QFileDialog* dialog) {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setNameFilters(
            {dorv::CaptionFor(&dorv::LanguageCaptions::LogFilesFilter, dorv::CurrentLanguage)});
        dialog->setDirectory(dorv::LogFolderPath());
    });

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

void TFormHlav::OnRecord() {
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
        Commands.MenuRecord->setChecked(false);
        PostMessageBox(Messages.MsgLogCreateError.arg(folder));
        return;
    }
    recordStartMs_ = LogNow();
    lastMarker_ = 0;
    cellVisits_ = {};
    ShowCellVisits();
    recordingNote_.clear();
    Commands.MenuRecord->setChecked(true);
    Commands.MenuMarker->setEnabled(true);
    ShowRecordingState();
}

void TFormHlav::StopRecording() {
    if (!Recording())
        return;
    const dorv::LogRecorder::StopResult stopped = recorder_->Stop();
    Commands.MenuRecord->setChecked(false);
    Commands.MenuMarker->setEnabled(false);
    const QString name = QFileInfo(stopped.Path).fileName();
    recordingNote_ =
        stopped.Kept ? Messages.MsgLogSaved.arg(stopped.Samples).arg(name) : Messages.MsgLogEmpty;
    ShowRecordingState();
    if (stopped.WriteFailed)
        PostMessageBox(Messages.MsgLogWriteError.arg(stopped.Path));
}

void TFormHlav::OnMarker() {
    if (!Recording())
        return;
    lastMarker_ = recorder_->AddMarker();
    ShowRecordingState();
}

void TFormHlav::RecordMonitorValues(const dorv::MonitorValues& values) {
    if (!Recording())
        return;
    const std::string now = dorv::LocalTimeText(QDateTime::currentMSecsSinceEpoch());
    const dorv::LogSample sample = dorv::LogSampleOf(values, Image, LogNow() - recordStartMs_, now);
    cellVisits_.Add(sample);
    recorder_->Record(sample);
}

void TFormHlav::TickRecordingState() {
    if ((LogNow() - recordStartMs_) / 1000 == shownRecordingSecond_)
        return;
    ShowRecordingState();
    if (Recording())
        ShowCellVisits(); // once a second, as the count
}

// The table's marks belong to the visits while they are shown; otherwise marks put there by
// others are left alone.
void TFormHlav::ShowCellVisits() {
    if (!Commands.MenuViewCellVisits->isChecked()) {
        if (visitMarksShown_)
            ServoTable->ClearCellMarks();
        visitMarksShown_ = false;
        return;
    }
    ServoTable->ClearCellMarks();
    visitMarksShown_ = true;
    const dorv::ServoIndex s = ActiveServo();
    const int most = cellVisits_.Most(s);
    for (int r = 0; r < dorv::ThrottleRows && most > 0; ++r)
        for (int c = 0; c < dorv::RpmColumns; ++c) {
            const int count = cellVisits_.At(s, {c, r});
            if (count == 0)
                continue;
            const double share = double(count) / most;
            ServoTable->SetCellMark({r, c}, QColor::fromHsvF(0.78, 0.2 + 0.8 * share, 0.85),
                                    Messages.MsgCellVisits.arg(count));
        }
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

void TFormHlav::ApplyLogLanguage() {
    ShowReplayTitle();
    if (LogDialog.IsCreated())
        LogDialog->setNameFilters(
            {dorv::CaptionFor(&dorv::LanguageCaptions::LogFilesFilter, dorv::CurrentLanguage)});
    ReplayBar->SetReplayText(Messages.MsgReplay);
    if (FormChart)
        FormChart->ApplyLanguage(dorv::CurrentLanguage);
    if (FormTableChart)
        FormTableChart->ApplyLanguage(dorv::CurrentLanguage);
    ShowRecordingState();
}

bool TFormHlav::Replaying() const {
    return playback_ != nullptr;
}

const dorv::MonitorValues& TFormHlav::LiveValues() const {
    return playback_ ? replayedValues_ : sequencer_.Live();
}

void TFormHlav::OnOpenLog() {
    const QString path = ChooseFile(LogDialog);
    if (!path.isEmpty())
        OpenLog(path);
}

bool TFormHlav::OpenLog(const QString& path) {
    // A pass that writes or compares the unit is let finish first.
    if (TransferRunning() || sequencer_.State().Mode == dorv::TransferMode::Read)
        return false;
    const std::optional<dorv::LogRead> read = dorv::ReadLogFile(path);
    if (!read) {
        PostMessageBox(Messages.MsgOpenFileError + QStringLiteral("\n") + path);
        return false;
    }
    QString note;
    switch (read->Status) {
    case dorv::LogReadStatus::Whole:
        break;
    case dorv::LogReadStatus::NotALog:
        PostMessageBox(Messages.MsgLogNotALog.arg(read->Line) + QStringLiteral("\n") + path);
        return false;
    case dorv::LogReadStatus::BadLine:
        note = Messages.MsgLogBadLine.arg(read->Line);
        break;
    case dorv::LogReadStatus::CutLine:
        note = Messages.MsgLogCutLine.arg(read->Line);
        break;
    }
    if (read->Samples.empty()) {
        PostMessageBox((note.isEmpty() ? Messages.MsgLogNoSamples : note) + QStringLiteral("\n") +
                       path);
        return false;
    }
    StopRecording(); // the link is paused: a log would have nothing to record
    if (!Replaying()) {
        shownBeforeReplay_.clear();
        for (QLabel* label :
             {Live.LabelRpm, Live.LabelTpsMon, Live.LabelNapeti, Live.LabelServoPoz1,
              Live.LabelServoMer1, Live.LabelServoPoz2, Live.LabelServoMer2})
            shownBeforeReplay_.push_back({label, label->text(), label->palette()});
        gaugesBeforeReplay_ = {Live.CGaugeRpm->Progress(), Live.CGaugeTps->Progress()};
    }
    cellVisits_ = {};
    for (const dorv::LogSample& sample : read->Samples)
        cellVisits_.Add(sample);
    ShowCellVisits();
    playback_ = std::make_unique<dorv::LogPlayback>(read->Samples);
    chartReplayIndex_ = -1;
    playback_->SetSpeed(ReplayBar->ChosenSpeed());
    playback_->Play();
    replayClockMs_ = LogNow();
    sequencer_.SetPaused(true);
    Commands.SetTransferEnabled(false);
    ReplayBar->SetReplayText(Messages.MsgReplay);
    ReplayBar->show();
    replayedFile_ = QFileInfo(path).fileName();
    ShowReplayTitle();
    ShowReplayedSample();
    if (!note.isEmpty())
        PostMessageBox(note + QStringLiteral("\n") + path);
    return true;
}

void TFormHlav::StopReplay() {
    if (!Replaying())
        return;
    playback_.reset();
    sequencer_.SetPaused(false);
    Commands.SetTransferEnabled(true);
    ReplayBar->hide();
    ShowReplayTitle();
    ShowTransferDisplay();
    for (const ShownLabel& shown : shownBeforeReplay_) {
        shown.Label->setPalette(shown.Palette);
        dorv::SetLabelText(shown.Label, shown.Text);
    }
    Live.CGaugeRpm->SetProgress(gaugesBeforeReplay_[0]);
    Live.CGaugeTps->SetProgress(gaugesBeforeReplay_[1]);
    TrackOperatingCell();
    if (programAfterReplay_) {
        programAfterReplay_ = false;
        StartProgramming();
    }
    if (ChartShown()) { // the live values again, from now on
        FormChart->Clear();
        chartOriginMs_ = LogNow();
    }
}

// Runs on every tick while a log plays: the real time since the last tick, at the speed.
void TFormHlav::ReplayTick() {
    const std::int64_t now = LogNow();
    const bool moved = playback_->Advance(now - replayClockMs_);
    replayClockMs_ = now;
    if (moved)
        ShowReplayedSample();
    else
        ShowReplayPosition();
}

void TFormHlav::ShowReplayedSample() {
    const int current = playback_->Current();
    if (current >= 0) {
        replayedValues_ = dorv::MonitorValuesOf(playback_->Samples()[current]);
        Live.ShowEngineValues(replayedValues_, Messages);
        TrackOperatingCell();
        ChartReplayedSample();
    }
    ShowReplayPosition();
}

void TFormHlav::ShowReplayPosition() {
    ReplayBar->ShowPosition(playback_->PositionMs(), playback_->StartMs(), playback_->EndMs(),
                            playback_->Playing());
}

TChartFactory* TFormHlav::ChartFactory() {
    const dorv::ChartModuleLoad module = dorv::LoadChartModule();
    if (!module.Factory)
        PostMessageBox(Messages.MsgChartModuleError.arg(module.Path, module.Error));
    return module.Factory;
}

void TFormHlav::OnChart() {
    if (!FormChart) {
        TChartFactory* charts = ChartFactory();
        if (!charts)
            return;
        FormChart = charts->MakeLiveChart(this);
        FormChart->ApplyLanguage(dorv::CurrentLanguage);
    }
    if (!FormChart->isVisible()) {
        // Nothing was added while it was closed: it starts empty, at the replay's place or now.
        FormChart->Clear();
        chartOriginMs_ = LogNow();
        chartReplayIndex_ = -1;
        FormChart->show();
        if (Replaying())
            ChartReplayedSample();
    }
    FormChart->raise();
    FormChart->activateWindow();
}

bool TFormHlav::ChartShown() const {
    return FormChart && FormChart->isVisible();
}

void TFormHlav::ChartLiveValues(const dorv::MonitorValues& values) {
    if (!ChartShown())
        return;
    FormChart->AddSample(dorv::LogSampleOf(values, Image, LogNow() - chartOriginMs_, {}));
}

void TFormHlav::ChartReplayedSample() {
    if (!ChartShown())
        return;
    const int current = playback_->Current();
    const std::vector<dorv::LogSample>& samples = playback_->Samples();
    if (current == chartReplayIndex_ + 1 && current > 0) {
        FormChart->AddSample(samples[current]);
    } else {
        const std::int64_t from =
            samples[current].ElapsedMs - TLiveChartWindow::Spans.back() * 1000LL;
        auto first = samples.begin() + current;
        while (first != samples.begin() && std::prev(first)->ElapsedMs >= from)
            --first;
        FormChart->ShowSamples(std::vector<dorv::LogSample>(first, samples.begin() + current + 1));
    }
    chartReplayIndex_ = current;
}

// The window's title says that a log plays, and which.
void TFormHlav::ShowReplayTitle() {
    const QString separator = QStringLiteral(" – ");
    QString title = windowTitle(); // the language's title, after a language change
    if (!replayTitle_.isEmpty() && title.endsWith(replayTitle_))
        title.chop(replayTitle_.size());
    replayTitle_ = Replaying()
                       ? separator + Messages.MsgReplay + QStringLiteral(": ") + replayedFile_
                       : QString();
    setWindowTitle(title + replayTitle_);
}

void TFormHlav::OnTableChart() {
    if (!FormTableChart) {
        TChartFactory* charts = ChartFactory();
        if (!charts)
            return;
        FormTableChart = charts->MakeTableChart(this);
        FormTableChart->ApplyLanguage(dorv::CurrentLanguage);
    }
    FormTableChart->show();
    ShowTableChart();
    FormTableChart->raise();
    FormTableChart->activateWindow();
}

// On every tick while shown: the curves change only where the table did, the point only when
// the engine moved.
void TFormHlav::ShowTableChart() {
    if (!FormTableChart || !FormTableChart->isVisible())
        return;
    const dorv::ServoIndex s = ActiveServo();
    FormTableChart->ShowTable(Image, s);
    const dorv::MonitorValues& live = LiveValues();
    FormTableChart->ShowOperatingPoint(live.MonitorRpm, live.Report.ServoRequiredMv[s]);
}
