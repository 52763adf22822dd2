// The window's data log: Log > Record and Marker on a scripted unit, the status, the file kept.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "FakeSerialPort.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "LogFormat.h"
#include "LogWriter.h"
#include "ScriptedUnit.h"
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

} // namespace

class TestDataLogWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recordsEveryFrameWithMarkers();
    void zeroSampleLogIsToldAndRemoved();
    void recordingStopsWithTheWindow();
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
    QVERIFY(!w.MenuMarker->isEnabled());
    w.MenuRecord->trigger();
    QVERIFY(w.Recording());
    QVERIFY(w.MenuRecord->isChecked());
    QVERIFY(w.MenuMarker->isEnabled());
    QVERIFY(w.LabelRecording->isVisibleTo(&w));
    QCOMPARE(w.LabelRecording->text(), w.Messages.MsgRecordingState.arg(0).arg("00:00:00"));
    // Six ticks make one poll and one answered frame.
    for (int tick = 0; tick < 6 * 3; ++tick) {
        clock += TFormHlav::TimerInterval;
        w.Timer1Timer();
    }
    w.MenuMarker->trigger();
    QCOMPARE(w.LabelRecording->text(), w.Messages.MsgRecordingState.arg(3).arg("00:00:00") + ", " +
                                           w.Messages.MsgMarker.arg(1));
    for (int tick = 0; tick < 6 * 2; ++tick) {
        clock += TFormHlav::TimerInterval;
        w.Timer1Timer();
    }
    // The status follows once a second.
    QVERIFY(w.LabelRecording->text().contains("00:00:01"));
    w.MenuRecord->trigger();
    QVERIFY(!w.Recording());
    QVERIFY(!w.MenuRecord->isChecked());
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
    w.MenuRecord->trigger();
    QVERIFY(w.Recording());
    QCOMPARE(Logs().size(), 1);
    for (int tick = 0; tick < 30; ++tick)
        w.Timer1Timer();
    w.MenuMarker->trigger();
    w.MenuRecord->trigger();
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
        w.MenuRecord->trigger();
        for (int tick = 0; tick < 6 * 4; ++tick)
            w.Timer1Timer();
        w.close();
        QVERIFY(!w.Recording());
    }
    const QStringList logs = Logs();
    QCOMPARE(logs.size(), 1);
    const LogRead read = ReadFile(QDir(LogFolderPath()).filePath(logs[0]));
    QCOMPARE(read.Status, LogReadStatus::Whole);
    QCOMPARE(read.Samples.size(), std::size_t(4));
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
    const LanguageMessages english = MessagesFor(1);
    const LanguageMessages m = MessagesFor(language);
    for (const auto& [text, englishText] :
         {std::pair{m.MsgRecordingState, english.MsgRecordingState},
          {m.MsgMarker, english.MsgMarker},
          {m.MsgLogSaved, english.MsgLogSaved},
          {m.MsgLogEmpty, english.MsgLogEmpty},
          {m.MsgLogCreateError, english.MsgLogCreateError},
          {m.MsgLogWriteError, english.MsgLogWriteError}}) {
        QVERIFY(!text.isEmpty());
        QCOMPARE(text.count('%'), englishText.count('%'));
        if (language != 1)
            QVERIFY2(text != englishText, qPrintable(text));
    }
    WindowTestEnv env;
    TFormHlav w;
    CurrentLanguage = static_cast<unsigned char>(language);
    w.ApplyLanguage();
    const QString record = w.MenuRecord->text();
    QVERIFY(!w.MenuLog->title().isEmpty());
    QVERIFY(!w.MenuMarker->text().isEmpty());
    if (language != 1)
        QVERIFY2(record != "&Record", qPrintable(record));
    QVERIFY(!w.MenuRecord->statusTip().isEmpty() || !w.MenuRecord->toolTip().isEmpty());
    CurrentLanguage = 1;
}

QTEST_MAIN(TestDataLogWindow)
#include "tst_datalog_window.moc"
