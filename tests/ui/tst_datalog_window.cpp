// The window's data log: Log > Record and Marker on a scripted unit, the status, the file kept.
#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "AnsweredBoxes.h"
#include "Cgauges.h"
#include "ChartLoader.h"
#include "ChartWindows.h"
#include "EditorValues.h"
#include "FakeSerialPort.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "LiveChart.h"
#include "LogFormat.h"
#include "LogPlayback.h"
#include "LogWriter.h"
#include "ReplayBar.h"
#include "ScriptedUnit.h"
#include "ServoTable.h"
#include "TableChart.h"
#include "WindowTestEnv.h"

using namespace dorv;
using namespace dorv::testing;

namespace {

LogRead ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, LogReadStatus::NotALog, -1};
    std::istringstream in(file.readAll().toStdString());
    return ReadLog(in);
}

QStringList Logs() {
    return QDir(LogFolderPath()).entryList(QDir::Files);
}

// What the window shows of one frame: the live labels and gauges, and the marked cell.
struct Shown {
    QStringList Texts;
    int RpmGauge = 0;
    int TpsGauge = 0;
    OperatingCell Cell;
    bool operator==(const Shown&) const = default;
};

Shown ShownOn(const TFormHlav& w) {
    Shown shown;
    for (const QLabel* label :
         {w.Live.LabelRpm, w.Live.LabelTpsMon, w.Live.LabelNapeti, w.Live.LabelServoPoz1,
          w.Live.LabelServoMer1, w.Live.LabelServoPoz2, w.Live.LabelServoMer2})
        shown.Texts << label->text();
    shown.RpmGauge = w.Live.CGaugeRpm->Progress();
    shown.TpsGauge = w.Live.CGaugeTps->Progress();
    shown.Cell = w.OperatingCell;
    return shown;
}

// A unit whose engine moves: each answered poll gives the next of these values.
MonitorReport MovingEngine(int frame) {
    MonitorReport r;
    r.Rpm = static_cast<std::uint16_t>(800 + 950 * frame);
    r.TpPercent = static_cast<Byte>(std::min(100, 7 * frame));
    r.TpsSteps = static_cast<std::uint16_t>(100 + 61 * frame);
    r.SupplySteps = static_cast<std::uint16_t>(240 + 3 * frame);
    r.ServoRequiredMv = {static_cast<std::uint16_t>(1000 + 200 * frame), 1500};
    r.ServoMeasuredMv = {static_cast<std::uint16_t>(980 + 200 * frame), 1490};
    r.ServoFlag = {1, 1};
    r.ProgramCount = 3;
    r.Version = ImageFormatVersion;
    return r;
}

// The window's port answers every poll with the next frame of MovingEngine, counted in frame.
FakeSerialPort& AnswerWithMovingEngine(TFormHlav& w, int& frame) {
    auto& port = dynamic_cast<FakeSerialPort&>(w.ComPort());
    port.RecordWrites = false;
    port.OnWrite = [&port, &frame](std::span<const Byte>) {
        port.Queue(EncodeMonitorFrame(MovingEngine(frame++)));
    };
    return port;
}

// Runs the window's tick count times, the log's clock moving on by a tick each time.
void RunTicks(TFormHlav& w, std::int64_t& clock, int count) {
    for (int i = 0; i < count; ++i) {
        clock += TFormHlav::TimerInterval;
        w.OnTick();
    }
}

} // namespace

class TestDataLogWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recordsEveryFrameWithMarkers();
    void zeroSampleLogIsToldAndRemoved();
    void recordingStopsWithTheWindow();
    void replayShowsWhatTheFramesShowed();
    void replayControlsKeepTheirTabPlace();
    void refusedAndDamagedLogs_data();
    void refusedAndDamagedLogs();
    void chartKeepsItsSpan_data();
    void chartKeepsItsSpan();
    void chartFollowsLiveValuesAndReplayOnlyWhileShown();
    void tableChartFollowsEveryEditAndTheEngine();
    void chartModuleNotLoadedIsTold_data();
    void chartModuleNotLoadedIsTold();
    void logTextsInEveryLanguage_data();
    void logTextsInEveryLanguage();

private:
    std::unique_ptr<QTemporaryDir> dataHome_;
};

void TestDataLogWindow::init() {
    dataHome_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", dataHome_->path().toLocal8Bit());
}

void TestDataLogWindow::cleanup() {
    qunsetenv("XDG_DATA_HOME");
    dataHome_.reset();
}

void TestDataLogWindow::recordsEveryFrameWithMarkers() {
    WindowTestEnv env;
    TFormHlav w;
    std::int64_t clock = 1'000'000;
    w.SetLogClock([&clock] { return clock; });
    w.Image.servo(0).TpEnable() = 1;
    w.Image.servo(1).TpEnable() = 0;
    w.SetActivePage(1);
    w.FillEditors();
    QVERIFY(ConnectScriptedUnit(w));
    QVERIFY(!w.Commands.MenuMarker->isEnabled());
    w.Commands.MenuRecord->trigger();
    QVERIFY(w.Recording());
    QVERIFY(w.Commands.MenuRecord->isChecked());
    QVERIFY(w.Commands.MenuMarker->isEnabled());
    QVERIFY(w.LabelRecording->isVisibleTo(&w));
    QCOMPARE(w.LabelRecording->text(), w.Messages.MsgRecordingState.arg(0).arg("00:00:00"));
    // Six ticks make one poll and one answered frame.
    RunTicks(w, clock, 6 * 3);
    w.Commands.MenuMarker->trigger();
    QCOMPARE(w.LabelRecording->text(), w.Messages.MsgRecordingState.arg(3).arg("00:00:00") + ", " +
                                           w.Messages.MsgMarker.arg(1));
    RunTicks(w, clock, 6 * 2);
    // The status follows once a second.
    QVERIFY(w.LabelRecording->text().contains("00:00:01"));
    w.Commands.MenuRecord->trigger();
    QVERIFY(!w.Recording());
    QVERIFY(!w.Commands.MenuRecord->isChecked());
    const QStringList logs = Logs();
    QCOMPARE(logs.size(), 1);
    QVERIFY(logs[0].endsWith(".csv"));
    QCOMPARE(w.LabelRecording->text(), w.Messages.MsgLogSaved.arg(5).arg(logs[0]));
    const LogRead read = ReadFile(QDir(LogFolderPath()).filePath(logs[0]));
    QCOMPARE(read.Status, LogReadStatus::Whole);
    QCOMPARE(read.Samples.size(), std::size_t(5));
    QList<int> markers;
    for (const LogSample& s : read.Samples) {
        QCOMPARE(s.Rpm, 3000);
        QCOMPARE(s.TpPercent, 15);
        QCOMPARE(s.ServoDesiredMv[0], 2300);
        QCOMPARE(s.ServoMeasuredMv[1], 1810);
        QCOMPARE(s.Cell[0], (OperatingCell{.Column = 3, .Row = 4}));
        QCOMPARE(s.Cell[0], w.OperatingCell);                        // the cell the window marks
        QCOMPARE(s.Cell[1], (OperatingCell{.Column = 3, .Row = 0})); // servo 2: TpEnable clear
        markers << s.Marker;
    }
    QCOMPARE(markers, (QList<int>{0, 0, 0, 1, 0}));
    // Samples carry the time since the log started, frame by frame.
    QVERIFY(read.Samples.front().ElapsedMs < read.Samples.back().ElapsedMs);
    QCOMPARE(read.Samples.back().ElapsedMs - read.Samples.front().ElapsedMs,
             4 * 6 * TFormHlav::TimerInterval);
}

void TestDataLogWindow::zeroSampleLogIsToldAndRemoved() {
    WindowTestEnv env;
    TFormHlav w; // no unit answers: no frame, no sample
    w.Commands.MenuRecord->trigger();
    QVERIFY(w.Recording());
    QCOMPARE(Logs().size(), 1);
    for (int tick = 0; tick < 30; ++tick)
        w.OnTick();
    w.Commands.MenuMarker->trigger();
    w.Commands.MenuRecord->trigger();
    QVERIFY(!w.Recording());
    QVERIFY(Logs().isEmpty());
    QCOMPARE(w.LabelRecording->text(), w.Messages.MsgLogEmpty);
    QVERIFY(w.LabelRecording->isVisibleTo(&w));
}

void TestDataLogWindow::recordingStopsWithTheWindow() {
    WindowTestEnv env;
    QString path;
    {
        TFormHlav w;
        QVERIFY(ConnectScriptedUnit(w));
        w.Commands.MenuRecord->trigger();
        for (int tick = 0; tick < 6 * 4; ++tick)
            w.OnTick();
        w.close();
        QVERIFY(!w.Recording());
    }
    const QStringList logs = Logs();
    QCOMPARE(logs.size(), 1);
    const LogRead read = ReadFile(QDir(LogFolderPath()).filePath(logs[0]));
    QCOMPARE(read.Status, LogReadStatus::Whole);
    QCOMPARE(read.Samples.size(), std::size_t(4));
}

// A log recorded from a moving engine, played back with the unit silent: each sample shows on the
// labels, gauges and the operating cell what its frame showed, nothing is sent to the unit, and
// stopping brings back what the window showed before.
void TestDataLogWindow::replayShowsWhatTheFramesShowed() {
    WindowTestEnv env;
    TFormHlav w;
    std::int64_t clock = 0;
    w.SetLogClock([&clock] { return clock; });
    w.Image.servo(0).TpEnable() = 1;
    w.SetActivePage(1);
    w.FillEditors();
    int frame = 0;
    FakeSerialPort& port = AnswerWithMovingEngine(w, frame);
    RunTicks(w, clock, 6); // connected, first frame shown
    w.Commands.MenuRecord->trigger();
    QList<Shown> recorded;
    QString lastRpm = w.Live.LabelRpm->text();
    while (recorded.size() < 8) { // each frame changes every value: a new speed is a new frame
        clock += TFormHlav::TimerInterval;
        w.OnTick();
        if (w.Live.LabelRpm->text() != lastRpm)
            recorded << ShownOn(w);
        lastRpm = w.Live.LabelRpm->text();
    }
    w.Commands.MenuRecord->trigger();
    const QString log = QDir(LogFolderPath()).filePath(Logs().value(0));
    QCOMPARE(ReadFile(log).Samples.size(), std::size_t(8));

    // The unit is silent now; the labels keep the last frame.
    port.OnWrite = nullptr;
    port.RecordWrites = true;
    port.Sent.clear();
    clock += 5000;
    const Shown beforeReplay = ShownOn(w);
    QVERIFY(w.OpenLog(log));
    QVERIFY(w.Replaying());
    // View > Cell visits marks each visited cell of the shown servo with its count.
    CellVisits visits;
    for (const LogSample& sample : ReadFile(log).Samples)
        visits.Add(sample);
    w.Commands.MenuViewCellVisits->setChecked(true);
    int marked = 0;
    for (int r = 0; r < ThrottleRows; ++r)
        for (int c = 0; c < RpmColumns; ++c) {
            const int count = visits.At(0, {c, r});
            QCOMPARE(w.ServoTable->CellMarkTip({r, c}),
                     count ? w.Messages.MsgCellVisits.arg(count) : QString());
            marked += count > 0;
        }
    QVERIFY(marked >= 2); // the engine moved through several cells
    w.Commands.MenuViewCellVisits->setChecked(false);
    QCOMPARE(w.ServoTable->CellMarkTip(TableCell{0, 0}), QString());
    QVERIFY(w.ReplayBar->isVisibleTo(&w));
    QCOMPARE(w.ReplayBar->LabelReplay->text(), w.Messages.MsgReplay);
    QVERIFY(w.windowTitle().endsWith(w.Messages.MsgReplay + ": " + QFileInfo(log).fileName()));
    QVERIFY(!w.Live.LabelSpojeni->isVisibleTo(&w));
    QVERIFY(!w.Commands.MenuProgram->isEnabled());
    QVERIFY(!w.Commands.ButtonRead->isEnabled());
    QVERIFY(w.Sequencer().Paused());
    QCOMPARE(ShownOn(w), recorded[0]);
    for (int sample = 1; sample < recorded.size(); ++sample) {
        RunTicks(w, clock, 6);
        QCOMPARE(w.Playback()->Current(), sample);
        QCOMPARE(ShownOn(w), recorded[sample]);
        QCOMPARE(ShownOn(w).Cell, w.OperatingCell);
    }
    // At its end the replay pauses and stays; seeking shows the sample of that time at once.
    QVERIFY(!w.Playback()->Playing());
    RunTicks(w, clock, 20);
    QCOMPARE(ShownOn(w), recorded[recorded.size() - 1]);
    // The unit has been silent all along, yet the replayed values show as current, not greyed.
    QVERIFY(w.Sequencer().Display().NoConnection);
    QVERIFY(w.Live.LabelRpm->isEnabled() && w.Live.LabelServoPoz1->isEnabled());
    w.ReplayBar->SliderReplay->setValue(static_cast<int>(w.Playback()->Samples()[2].ElapsedMs));
    QCOMPARE(w.Playback()->Current(), 2);
    QCOMPARE(ShownOn(w), recorded[2]);
    // Speed: four times as fast.
    w.ReplayBar->ComboReplaySpeed->setCurrentIndex(w.ReplayBar->ComboReplaySpeed->findData(4.0));
    w.ReplayBar->ButtonReplayPlay->click();
    RunTicks(w, clock, 3); // 165 ms real time, 660 ms of log
    QCOMPARE(w.Playback()->Current(), 4);
    QCOMPARE(ShownOn(w), recorded[4]);
    QVERIFY(port.Sent.empty()); // nothing went to the unit during the replay
    w.Commands.MenuProgram->trigger();
    w.OnTick();
    QVERIFY(port.Sent.empty());
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);
    // An edit with programming after change is kept for the end of the replay.
    w.Live.CheckBoxProgHned->setChecked(true);
    w.Commands.MenuToolsPlus->trigger();
    w.OnTick();
    QVERIFY(port.Sent.empty());
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);

    w.ReplayBar->ButtonReplayStop->click();
    QVERIFY(!w.Replaying());
    QVERIFY(!w.ReplayBar->isVisibleTo(&w));
    QVERIFY(w.Commands.MenuProgram->isEnabled());
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program); // the edit goes now
    QCOMPARE(ShownOn(w).Texts, beforeReplay.Texts);
    QVERIFY(!w.windowTitle().contains(w.Messages.MsgReplay));
    QVERIFY(w.Live.LabelSpojeni->isVisibleTo(&w)); // the unit is silent
    for (int tick = 0; tick < TimeoutTicks && port.Sent.empty(); ++tick)
        w.OnTick();
    QCOMPARE(port.Sent.size(), std::size_t(1));    // sending again
    QVERIFY(port.Sent[0].Bytes[0] != PollCommand); // a block of the program pass
}

// The replay's controls stand in the window's Tab order right after the replay bar, between
// the controls that come before and after it.
void TestDataLogWindow::replayControlsKeepTheirTabPlace() {
    WindowTestEnv env;
    TFormHlav w;
    std::int64_t clock = 0;
    w.SetLogClock([&clock] { return clock; });
    int frame = 0;
    AnswerWithMovingEngine(w, frame);
    w.Commands.MenuRecord->trigger();
    RunTicks(w, clock, 6 * 3);
    w.Commands.MenuRecord->trigger();
    const auto nextTabStop = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (next != from && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    };
    QWidget* afterBar = nextTabStop(w.ReplayBar);
    while (w.ReplayBar->isAncestorOf(afterBar))
        afterBar = nextTabStop(afterBar);
    QVERIFY(w.OpenLog(QDir(LogFolderPath()).filePath(Logs().value(0))));
    const TReplayBar& bar = *w.ReplayBar;
    QWidget* stop = w.ReplayBar;
    for (QWidget* control : std::initializer_list<QWidget*>{
             bar.ButtonReplayPlay, bar.ButtonReplayStop, bar.SliderReplay, bar.ComboReplaySpeed}) {
        stop = nextTabStop(stop);
        QCOMPARE(stop, control);
    }
    QCOMPARE(nextTabStop(stop), afterBar);
}

void TestDataLogWindow::refusedAndDamagedLogs_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("plays");
    QTest::addColumn<QString>("told"); // the message, with the line filled in
    QTest::addColumn<int>("samples");
    LogSample s;
    s.LocalTime = "2026-12-10 12:00:00.000";
    std::string good = LogHeaderLine();
    for (int i = 0; i < 4; ++i) {
        s.ElapsedMs = 330 * i;
        s.Rpm = 1000 * i;
        good += LogLine(s);
    }
    const QByteArray log = QByteArray::fromStdString(good);
    const LanguageMessages m = MessagesFor(Language::English);
    QTest::newRow("whole") << log << true << QString() << 4;
    QTest::newRow("parameter file")
        << QByteArray("KORVALEX_KEY 56\r\n") << false << m.MsgLogNotALog.arg(1) << 0;
    QTest::newRow("empty") << QByteArray() << false << m.MsgLogNotALog.arg(1) << 0;
    QTest::newRow("header only") << QByteArray::fromStdString(LogHeaderLine()) << false
                                 << m.MsgLogNoSamples << 0;
    QTest::newRow("damaged line 3")
        << QByteArray(log).replace(log.indexOf("\n2026", log.indexOf("\n2026") + 1) + 1, 4, "x026")
        << true << m.MsgLogBadLine.arg(3) << 1;
    QTest::newRow("damaged line 2") << QByteArray(log).insert(log.indexOf('\n') + 1, "junk\n")
                                    << false << m.MsgLogBadLine.arg(2) << 0;
    QTest::newRow("cut") << log.left(log.size() - 7) << true << m.MsgLogCutLine.arg(5) << 3;
    QTest::newRow("binary") << QByteArray(3000, '\0') << false << m.MsgLogNotALog.arg(1) << 0;
}

// A log is refused with a box naming the line, or played up to its last good line with a note;
// the window stays whole either way.
void TestDataLogWindow::refusedAndDamagedLogs() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, plays);
    QFETCH(QString, told);
    QFETCH(int, samples);
    WindowTestEnv env;
    TFormHlav w;
    CurrentLanguage = Language::English;
    w.ApplyLanguage();
    QTemporaryDir dir;
    const QString path = dir.filePath("log.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    const auto seen = AnswerBoxes(&w, QMessageBox::Ok);
    QCOMPARE(w.OpenLog(path), plays);
    QCOMPARE(w.Replaying(), plays);
    QCOMPARE(w.Sequencer().Paused(), plays);
    if (plays)
        QCOMPARE(static_cast<int>(w.Playback()->Samples().size()), samples);
    if (told.isEmpty()) {
        QTest::qWait(50);
        QCOMPARE(seen->Count, 0);
    } else {
        QTRY_COMPARE(seen->Count, 1);
        QVERIFY2(seen->Text.startsWith(told), qPrintable(seen->Text));
        QVERIFY(seen->Text.contains(path));
    }
    // A file that is not there.
    QVERIFY(!w.OpenLog(dir.filePath("missing.csv")) || plays);
}

void TestDataLogWindow::chartKeepsItsSpan_data() {
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("fewest"); // points of each trace at least
    QTest::addColumn<int>("most");   // and at most
    // A sample every 330 ms; one point before the span stays so the line reaches its left edge.
    // One minute is drawn whole; longer spans are thinned to one point per span / 400.
    QTest::newRow("1 min of 10 s") << 60 << 31 << 31 << 31;
    QTest::newRow("1 min of 20 min") << 60 << 3637 << 183 << 183;
    QTest::newRow("5 min of 20 min") << 300 << 3637 << 300 << 402;
    QTest::newRow("15 min of 20 min") << 900 << 3637 << 300 << 402;
    QTest::newRow("15 min of 1 min") << 900 << 182 << 25 << 27;
}

// The chart draws the chosen span only, keeps the longest, and a span change shows at once what
// it holds; samples added one by one give the same points as the whole at once.
void TestDataLogWindow::chartKeepsItsSpan() {
    QFETCH(int, span);
    QFETCH(int, samples);
    QFETCH(int, fewest);
    QFETCH(int, most);
    TFormChart chart;
    std::vector<LogSample> log;
    for (int i = 0; i < samples; ++i) {
        LogSample s;
        s.ElapsedMs = 330LL * i;
        s.Rpm = 1000 + i % 5000;
        log.push_back(s);
    }
    chart.SetSpan(span);
    chart.ShowSamples(log);
    const int shown = chart.ShownPoints();
    QCOMPARE(shown % 6, 0);
    QVERIFY2(shown / 6 >= fewest && shown / 6 <= most, qPrintable(QString::number(shown / 6)));
    TFormChart oneByOne;
    oneByOne.ComboChartSpan->setCurrentIndex(oneByOne.ComboChartSpan->findData(span));
    QCOMPARE(oneByOne.Span(), span);
    for (const LogSample& s : log)
        oneByOne.AddSample(s);
    QCOMPARE(oneByOne.ShownPoints(), shown);
    // A span change shows what the chart holds for it, as if it had been chosen first.
    for (int other : TFormChart::Spans) {
        TFormChart direct;
        direct.SetSpan(other);
        direct.ShowSamples(log);
        oneByOne.SetSpan(other);
        QCOMPARE(oneByOne.ShownPoints(), direct.ShownPoints());
    }
    // A sample earlier than the last (another log) starts the chart again.
    LogSample first;
    oneByOne.AddSample(first);
    QCOMPARE(oneByOne.ShownPoints(), 6);
}

void TestDataLogWindow::chartFollowsLiveValuesAndReplayOnlyWhileShown() {
    WindowTestEnv env;
    TFormHlav w;
    std::int64_t clock = 0;
    w.SetLogClock([&clock] { return clock; });
    int frame = 0;
    AnswerWithMovingEngine(w, frame);
    const auto tick = [&](int n) { RunTicks(w, clock, n); };
    tick(12);
    QVERIFY(!w.FormChart); // made on first use only
    w.Commands.MenuChart->trigger();
    QVERIFY(w.FormChart && w.FormChart->isVisible());
    QCOMPARE(w.FormChart->ShownPoints(), 0);
    tick(6 * 5);
    QCOMPARE(w.FormChart->ShownPoints(), 6 * 5);
    w.FormChart->close();
    tick(6 * 5);
    QCOMPARE(w.FormChart->ShownPoints(), 6 * 5); // closed: nothing added
    w.Commands.MenuRecord->trigger();
    tick(6 * 6);
    w.Commands.MenuRecord->trigger();
    w.Commands.MenuChart->trigger();
    QCOMPARE(w.FormChart->ShownPoints(), 0); // opened again: from now on
    tick(6);
    QCOMPARE(w.FormChart->ShownPoints(), 6);

    QVERIFY(w.OpenLog(QDir(LogFolderPath()).filePath(Logs().value(0))));
    QCOMPARE(w.FormChart->ShownPoints(), 6); // the first sample
    tick(6 * 2);
    QCOMPARE(w.Playback()->Current(), 2);
    QCOMPARE(w.FormChart->ShownPoints(), 6 * 3);
    w.ReplayBar->SliderReplay->setValue(static_cast<int>(w.Playback()->Samples()[5].ElapsedMs));
    QCOMPARE(w.FormChart->ShownPoints(), 6 * 6); // a seek shows the samples up to it
    w.StopReplay();
    QCOMPARE(w.FormChart->ShownPoints(), 0);
    tick(7); // the poll six ticks after the pause, its answer one later
    QCOMPARE(w.FormChart->ShownPoints(), 6);
}

// The table chart shows the active servo's rows as the image holds them, takes an edit at the
// next tick, follows a page change to the other servo, and marks the live operating point.
void TestDataLogWindow::tableChartFollowsEveryEditAndTheEngine() {
    WindowTestEnv env;
    TFormHlav w;
    w.Image.servo(0).TpEnable() = 1;
    w.SetActivePage(1);
    w.FillEditors();
    QVERIFY(!w.FormTableChart);
    w.Commands.MenuTableChart->trigger();
    QVERIFY(w.FormTableChart && w.FormTableChart->isVisible());
    const auto curve = [&](ServoIndex s, int row) {
        QList<QPointF> points;
        for (const CurvePoint& p : SetPointCurveOf(w.Image, s, row))
            points << QPointF(p.Rpm, p.Millivolts);
        return points;
    };
    for (int r = 0; r < ThrottleRows; ++r) {
        QCOMPARE(w.FormTableChart->CurvePoints(r), curve(0, r));
        QVERIFY(w.FormTableChart->CurveVisible(r));
    }
    // Tools > Plus on the operating cell (row 0, column 0 while the engine stands).
    const QPointF before = w.FormTableChart->CurvePoints(0)[0];
    w.Commands.MenuToolsPlus->trigger();
    w.OnTick();
    QCOMPARE(w.FormTableChart->CurvePoints(0)[0], before + QPointF(0, 20));
    QCOMPARE(w.FormTableChart->CurvePoints(0), curve(0, 0));
    // An RPM point moved: the whole column moves along in every row.
    w.Image.servo(0).RpmPoints(14) = 200;
    w.Session.Commit();
    w.OnTick();
    for (int r = 0; r < ThrottleRows; ++r)
        QCOMPARE(w.FormTableChart->CurvePoints(r).back().x(), 20000.0);
    // One row alone.
    w.FormTableChart->ComboTableRow->setCurrentIndex(w.FormTableChart->ComboTableRow->findData(6));
    for (int r = 0; r < ThrottleRows; ++r)
        QCOMPARE(w.FormTableChart->CurveVisible(r), r == 6);
    // Servo 2, in per cent: its cells as shares of 5000 mV.
    SwitchPercentMode(w.Image, 1, true);
    w.Image.servo(1).Cell(6, 2) = 40;
    w.PageControl1->setCurrentIndex(2);
    w.OnTick();
    QCOMPARE(w.FormTableChart->CurvePoints(6), curve(1, 6));
    QCOMPARE(w.FormTableChart->CurvePoints(6)[2].y(), 2000.0);
    QVERIFY(w.FormTableChart->windowTitle().contains("2"));
    // The live operating point: speed and the servo's desired position.
    w.PageControl1->setCurrentIndex(1);
    QVERIFY(ConnectScriptedUnit(w));
    QCOMPARE(w.FormTableChart->OperatingPoint(), QPointF(3000, 2300));
}

void TestDataLogWindow::chartModuleNotLoadedIsTold_data() {
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("reason"); // a part of the reason the box gives
    QTest::newRow("missing") << QStringLiteral("/nonexistent/dorv_charts.so") << "not found";
    QTest::newRow("not a library") << QStringLiteral(DORV_TEST_DATA "/known.ign") << "ELF";
    // A plugin of another kind: it loads, but offers no chart windows.
    QTest::newRow("another plugin")
        << QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqoffscreen.so"
        << DORV_CHART_FACTORY_IID;
}

// Without a usable chart module, Log > Chart and Log > Table chart each post a box that names the
// file and why, make no window and leave the window working; with the module back, the chart opens.
void TestDataLogWindow::chartModuleNotLoadedIsTold() {
    QFETCH(QString, module);
    QFETCH(QString, reason);
    if (reason == DORV_CHART_FACTORY_IID && !QFileInfo::exists(module))
        QSKIP("Qt's offscreen platform plugin is not where Qt says its plugins are");
    WindowTestEnv env;
    TFormHlav w;
    CurrentLanguage = dorv::Language::English;
    w.ApplyLanguage();
    const auto seen = AnswerBoxes(&w, QMessageBox::Ok);
    SetChartModulePath(module);
    w.Commands.MenuChart->trigger();
    QTRY_COMPARE(seen->Count, 1);
    w.Commands.MenuTableChart->trigger();
    QTRY_COMPARE(seen->Count, 2);
    SetChartModulePath({});
    QVERIFY(!w.FormChart);
    QVERIFY(!w.FormTableChart);
    for (const QString& text : seen->All) {
        QVERIFY2(text.startsWith("The chart cannot be opened: its module " + module),
                 qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
    }
    w.OnTick();
    w.Commands.MenuChart->trigger();
    QVERIFY(w.FormChart && w.FormChart->isVisible());
    w.Commands.MenuTableChart->trigger();
    QVERIFY(w.FormTableChart && w.FormTableChart->isVisible());
    QTest::qWait(50);
    QCOMPARE(seen->Count, 2);
}

void TestDataLogWindow::logTextsInEveryLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("Czech") << 0;
    QTest::newRow("English") << 1;
    QTest::newRow("German") << 2;
    QTest::newRow("French") << 3;
}

// The Log menu and its messages speak each language; no text is left in English where the
// language has its own.
void TestDataLogWindow::logTextsInEveryLanguage() {
    QFETCH(int, language);
    const LanguageMessages english = MessagesFor(Language::English);
    const LanguageMessages m = MessagesFor(LanguageOfNumber(language));
    for (const auto& [text, englishText] :
         {std::pair{m.MsgRecordingState, english.MsgRecordingState},
          {m.MsgMarker, english.MsgMarker},
          {m.MsgLogSaved, english.MsgLogSaved},
          {m.MsgLogEmpty, english.MsgLogEmpty},
          {m.MsgLogCreateError, english.MsgLogCreateError},
          {m.MsgLogWriteError, english.MsgLogWriteError},
          {m.MsgReplay, english.MsgReplay},
          {m.MsgLogNotALog, english.MsgLogNotALog},
          {m.MsgLogBadLine, english.MsgLogBadLine},
          {m.MsgLogCutLine, english.MsgLogCutLine},
          {m.MsgLogNoSamples, english.MsgLogNoSamples}}) {
        QVERIFY(!text.isEmpty());
        QCOMPARE(text.count('%'), englishText.count('%'));
        if (language != 1)
            QVERIFY2(text != englishText, qPrintable(text));
    }
    WindowTestEnv env;
    TFormHlav w;
    CurrentLanguage = LanguageOfNumber(language);
    w.ApplyLanguage();
    const QString record = w.Commands.MenuRecord->text();
    QVERIFY(!w.Commands.MenuLog->title().isEmpty());
    QVERIFY(!w.Commands.MenuMarker->text().isEmpty());
    if (language != 1)
        QVERIFY2(record != "&Record", qPrintable(record));
    QVERIFY(!w.Commands.MenuRecord->statusTip().isEmpty() ||
            !w.Commands.MenuRecord->toolTip().isEmpty());
    CurrentLanguage = Language::English;
}

QTEST_MAIN(TestDataLogWindow)
#include "tst_datalog_window.moc"
