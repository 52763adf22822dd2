// Tests of the data log: its CSV text, the reader's refusals, the recorder and the live sample.
#include <QtTest>

#include <csignal>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "LiveSample.h"
#include "LogFormat.h"
#include "LogPlayback.h"
#include "LogWriter.h"
#include "TableCurves.h"

using namespace dorv;

Q_DECLARE_METATYPE(LogReadStatus)
Q_DECLARE_METATYPE(MonitorReport)

namespace {

LogSample Sample(std::int64_t ms, int rpm, int marker = 0) {
    LogSample s;
    s.LocalTime = "2026-12-10 12:20:45.123";
    s.ElapsedMs = ms;
    s.Rpm = rpm;
    s.TpPercent = 37;
    s.TpMv = 1850;
    s.SupplyMv = 13981;
    s.ServoDesiredMv = {2480, 960};
    s.ServoMeasuredMv = {2470, 1010};
    s.Cell = {OperatingCell{.Column = 4, .Row = 6}, OperatingCell{.Column = 14, .Row = 0}};
    s.Marker = marker;
    return s;
}

std::vector<LogSample> SmallLog() {
    std::vector<LogSample> samples;
    for (int i = 0; i < 6; ++i)
        samples.push_back(Sample(330LL * i, 1000 + 250 * i, i == 3 ? 1 : 0));
    return samples;
}

std::string LogText(const std::vector<LogSample>& samples) {
    std::string text = LogHeaderLine();
    for (const LogSample& s : samples)
        text += LogLine(s);
    return text;
}

LogRead Read(const std::string& text) {
    std::istringstream in(text);
    return ReadLog(in);
}

LogRead ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, LogReadStatus::NotALog, -1};
    return Read(file.readAll().toStdString());
}

QStringList LogsIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files);
}

} // namespace

class TestDataLog : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void headerNamesEveryColumnWithItsUnit();
    void cutAtAnyByte();
    void damagedLine_data();
    void damagedLine();
    void foreignFile_data();
    void foreignFile();
    void markersGoWithTheNextSample();
    void zeroSampleLogNotKept();
    void logsOfOneSecondKeepApart();
    void killedRecordingLeavesWholeLines();
    void logFolder_data();
    void logFolder();
    void liveSampleGivesTheShownValues_data();
    void liveSampleGivesTheShownValues();
    void liveSampleCellsFollowEachServosTable();
    void playbackFollowsRealTimeAtItsSpeed_data();
    void playbackFollowsRealTimeAtItsSpeed();
    void playbackSeekPauseAndEnd();
    void setPointCurveInMillivoltsAndPerCent();
    void cellVisitsCountEachServosCell();
};

void TestDataLog::roundTrip_data() {
    QTest::addColumn<LogSample>("sample");
    LogSample zero = Sample(0, 0);
    zero.TpPercent = 0;
    zero.TpMv = 0;
    zero.SupplyMv = 0;
    zero.ServoDesiredMv = {0, 0};
    zero.ServoMeasuredMv = {0, 0};
    zero.Cell = {};
    QTest::newRow("zeros") << zero;
    LogSample top = Sample(8LL * 3600 * 1000 + 999, 65535, 123456);
    top.TpPercent = 255; // sensor error, kept as sent
    top.TpMv = 65535;
    top.SupplyMv = 3'523'377; // 65535 steps on the supply input
    top.ServoDesiredMv = {65535, 65535};
    top.ServoMeasuredMv = {65535, 65535};
    top.Cell = {OperatingCell{.Column = 14, .Row = 9}, OperatingCell{.Column = 14, .Row = 9}};
    QTest::newRow("largest") << top;
    QTest::newRow("ordinary with marker") << Sample(12345, 4200, 7);
    LogSample thousandths = Sample(1001, 800);
    thousandths.SupplyMv = 10967; // 10.967 V
    QTest::newRow("thousandths") << thousandths;
}

void TestDataLog::roundTrip() {
    QFETCH(LogSample, sample);
    const std::vector<LogSample> samples{Sample(0, 900), sample};
    const LogRead read = Read(LogText(samples));
    QCOMPARE(read.Status, LogReadStatus::Whole);
    QCOMPARE(read.Line, 0);
    QVERIFY(read.Samples == samples);
    QCOMPARE(*ParseLogLine(LogLine(sample).substr(0, LogLine(sample).size() - 1)), sample);
}

void TestDataLog::headerNamesEveryColumnWithItsUnit() {
    const std::string header(LogHeader);
    QCOMPARE(std::count(header.begin(), header.end(), ','), 14);
    const std::string line = LogLine(Sample(1500, 3000, 2));
    QCOMPARE(std::count(line.begin(), line.end(), ','), 14);
    QCOMPARE(line, std::string("2026-12-10 12:20:45.123,1.500,3000,37,1850,13.981,2480,2470,960,"
                               "1010,7,5,1,15,2\n"));
    for (const char* unit : {"[s]", "[RPM]", "[%]", "[mV]", "[V]"})
        QVERIFY2(header.find(unit) != std::string::npos, unit);
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "UTC");
    tzset();
    const std::string epoch = LocalTimeText(0);
    const std::string later = LocalTimeText(1'234'567'890'123);
    if (hadZone)
        qputenv("TZ", zone);
    else
        qunsetenv("TZ");
    tzset();
    QCOMPARE(epoch, std::string("1970-01-01 00:00:00.000"));
    QCOMPARE(later, std::string("2009-02-13 23:31:30.123"));
    QVERIFY(ParseLogLine(
        LogLine(Sample(0, 0)).replace(0, 23, later).substr(0, LogLine(Sample(0, 0)).size() - 1)));
}

// A log cut at any byte (a kill while it was written) reads up to its last whole line.
void TestDataLog::cutAtAnyByte() {
    const std::vector<LogSample> samples = SmallLog();
    const std::string text = LogText(samples);
    const std::size_t headerEnd = LogHeaderLine().size();
    for (std::size_t n = 0; n <= text.size(); ++n) {
        const std::string cut = text.substr(0, n);
        const LogRead read = Read(cut);
        if (n < headerEnd) {
            QCOMPARE(read.Status, LogReadStatus::NotALog);
            QVERIFY(read.Samples.empty());
            continue;
        }
        const auto wholeLines = std::count(cut.begin(), cut.end(), '\n');
        const std::size_t expected = static_cast<std::size_t>(wholeLines - 1);
        QCOMPARE(read.Samples.size(), expected);
        QVERIFY(std::equal(read.Samples.begin(), read.Samples.end(), samples.begin()));
        if (cut.back() == '\n') {
            QCOMPARE(read.Status, LogReadStatus::Whole);
        } else {
            QCOMPARE(read.Status, LogReadStatus::CutLine);
            QCOMPARE(read.Line, static_cast<int>(wholeLines + 1));
        }
    }
}

void TestDataLog::damagedLine_data() {
    QTest::addColumn<QByteArray>("line");
    const std::string good = LogLine(Sample(700, 2000));
    const auto with = [&](std::size_t field, const char* value) {
        std::vector<std::string> fields;
        std::stringstream in(good.substr(0, good.size() - 1));
        for (std::string f; std::getline(in, f, ',');)
            fields.push_back(f);
        fields.resize(15);
        fields[field] = value;
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i)
            line += (i ? "," : "") + fields[i];
        return QByteArray::fromStdString(line + '\n');
    };
    QTest::newRow("empty line") << QByteArray("\n");
    QTest::newRow("a field short")
        << QByteArray::fromStdString(good.substr(0, good.rfind(',')) + '\n');
    QTest::newRow("a field more") << QByteArray::fromStdString(good.substr(0, good.size() - 1) +
                                                               ",1\n");
    QTest::newRow("letters for speed") << with(2, "12a0");
    QTest::newRow("negative speed") << with(2, "-1");
    QTest::newRow("speed above 16 bits") << with(2, "65536");
    QTest::newRow("time without thousandths") << with(1, "1");
    QTest::newRow("time back before the last sample") << with(1, "0.329");
    QTest::newRow("local time misshapen") << with(0, "2026-12-10T12:20:45.123");
    QTest::newRow("supply with two decimals") << with(5, "13.98");
    QTest::newRow("row 0") << with(10, "0");
    QTest::newRow("row 11") << with(12, "11");
    QTest::newRow("column 16") << with(11, "16");
    QTest::newRow("marker 0") << with(14, "0");
    QTest::newRow("over-long line") << QByteArray(5000, '7') + '\n';
    QTest::newRow("binary") << QByteArray("\x00\x01\xff,\n", 5);
}

// A damaged line stops the reading there and is named; the samples before it are played.
void TestDataLog::damagedLine() {
    QFETCH(QByteArray, line);
    std::string text = LogText({Sample(330, 1000)});
    text += line.toStdString();
    text += LogLine(Sample(990, 3000));
    const LogRead read = Read(text);
    QCOMPARE(read.Status, LogReadStatus::BadLine);
    QCOMPARE(read.Line, 3);
    QCOMPARE(read.Samples.size(), std::size_t(1));
    QCOMPARE(read.Samples[0], Sample(330, 1000));
}

void TestDataLog::foreignFile_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("another CSV") << QByteArray("time,rpm\n0.0,1000\n");
    QTest::newRow("parameter file") << QByteArray("KORVALEX_KEY 56\r\nPOCET_PULSU 1\r\n");
    QByteArray shortHeader(LogHeader.data(), qsizetype(LogHeader.rfind(',')));
    shortHeader.append('\n');
    QTest::newRow("header with a column less") << shortHeader;
    QTest::newRow("header without its line end")
        << QByteArray::fromStdString(std::string(LogHeader));
    QTest::newRow("binary") << QByteArray("\x7f"
                                          "ELF\x02\x01\x01\x00",
                                          8);
}

void TestDataLog::foreignFile() {
    QFETCH(QByteArray, text);
    const LogRead read = Read(text.toStdString());
    QCOMPARE(read.Status, LogReadStatus::NotALog);
    QCOMPARE(read.Line, 1);
    QVERIFY(read.Samples.empty());
}

void TestDataLog::markersGoWithTheNextSample() {
    QTemporaryDir dir;
    LogRecorder recorder;
    QCOMPARE(recorder.AddMarker(), 0); // not recording: no marker
    QCOMPARE(recorder.Start(dir.path(), QStringLiteral("2026-12-10_12-20-45")),
             LogRecorder::StartResult::Started);
    recorder.Record(Sample(0, 1000));
    QCOMPARE(recorder.AddMarker(), 1);
    QCOMPARE(recorder.AddMarker(), 1); // a second press before the sample: the same marker
    recorder.Record(Sample(330, 1100));
    recorder.Record(Sample(660, 1200));
    QCOMPARE(recorder.AddMarker(), 2);
    recorder.Record(Sample(990, 1300));
    QCOMPARE(recorder.SampleCount(), 4LL);
    const LogRecorder::StopResult stopped = recorder.Stop();
    QVERIFY(stopped.Kept);
    QVERIFY(!stopped.WriteFailed);
    QCOMPARE(stopped.Samples, 4LL);
    QCOMPARE(stopped.Path, dir.filePath(QStringLiteral("2026-12-10_12-20-45.csv")));
    const LogRead read = ReadFile(stopped.Path);
    QCOMPARE(read.Status, LogReadStatus::Whole);
    QCOMPARE(read.Samples.size(), std::size_t(4));
    QList<int> markers;
    for (const LogSample& s : read.Samples)
        markers << s.Marker;
    QCOMPARE(markers, (QList<int>{0, 1, 0, 2}));
}

void TestDataLog::zeroSampleLogNotKept() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("DORV/logs")); // made by Start
    LogRecorder recorder;
    QCOMPARE(recorder.Start(folder, QStringLiteral("2026-12-10_12-00-00")),
             LogRecorder::StartResult::Started);
    QCOMPARE(LogsIn(folder).size(), 1);
    recorder.AddMarker();
    const LogRecorder::StopResult stopped = recorder.Stop();
    QCOMPARE(stopped.Samples, 0LL);
    QVERIFY(!stopped.Kept);
    QVERIFY(!stopped.Path.isEmpty());
    QVERIFY(LogsIn(folder).isEmpty());
    QVERIFY(!recorder.Recording());
}

void TestDataLog::logsOfOneSecondKeepApart() {
    QTemporaryDir dir;
    const QString start = QStringLiteral("2026-12-10_12-00-00");
    LogRecorder first;
    LogRecorder second;
    QCOMPARE(first.Start(dir.path(), start), LogRecorder::StartResult::Started);
    QCOMPARE(second.Start(dir.path(), start), LogRecorder::StartResult::Started);
    QVERIFY(first.Path() != second.Path());
    first.Record(Sample(0, 1000));
    second.Record(Sample(0, 2000));
    QCOMPARE(ReadFile(first.Stop().Path).Samples[0].Rpm, 1000);
    QCOMPARE(ReadFile(second.Stop().Path).Samples[0].Rpm, 2000);
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    LogRecorder refused;
    QCOMPARE(refused.Start(blocker.fileName() + QStringLiteral("/logs"), start),
             LogRecorder::StartResult::CannotCreate);
    QVERIFY(!refused.Recording());
}

// A recording killed at once (kill -9) leaves a log that reads whole up to its last line end,
// holding every sample recorded a flush interval before the kill.
void TestDataLog::killedRecordingLeavesWholeLines() {
    QTemporaryDir dir;
    constexpr int Flushed = 200;
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        LogRecorder recorder;
        if (recorder.Start(dir.path(), QStringLiteral("killed")) !=
            LogRecorder::StartResult::Started)
            _exit(1);
        for (int i = 0; i < Flushed; ++i)
            recorder.Record(Sample(55LL * i, i));
        usleep(4 * LogWriter::FlushIntervalMs * 1000);
        for (int i = Flushed; i < 100000; ++i)
            recorder.Record(Sample(55LL * i, i % 60000));
        raise(SIGKILL);
        _exit(2);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const LogRead read = ReadFile(dir.filePath(QStringLiteral("killed.csv")));
    QVERIFY(read.Status == LogReadStatus::Whole || read.Status == LogReadStatus::CutLine);
    QVERIFY2(read.Samples.size() >= std::size_t(Flushed),
             qPrintable(QString::number(read.Samples.size())));
    for (std::size_t i = 0; i < read.Samples.size(); ++i)
        QCOMPARE(read.Samples[i], Sample(55LL * i, static_cast<int>(i < Flushed ? i : i % 60000)));
}

void TestDataLog::logFolder_data() {
    QTest::addColumn<QByteArray>("dataHome");
    QTest::addColumn<QString>("expected");
    const QString home = QDir::homePath();
    QTest::newRow("set") << QByteArray("/data/x") << QStringLiteral("/data/x/DORV/logs");
    QTest::newRow("unset") << QByteArray() << home + QStringLiteral("/.local/share/DORV/logs");
    QTest::newRow("relative") << QByteArray("rel/x")
                              << home + QStringLiteral("/.local/share/DORV/logs");
}

void TestDataLog::logFolder() {
    QFETCH(QByteArray, dataHome);
    QFETCH(QString, expected);
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);
    const QString folder = LogFolderPath();
    qputenv("XDG_DATA_HOME", before);
    QCOMPARE(folder, expected);
}

void TestDataLog::liveSampleGivesTheShownValues_data() {
    QTest::addColumn<MonitorReport>("report");
    MonitorReport ordinary;
    ordinary.Rpm = 4321;
    ordinary.TpsSteps = 380;
    ordinary.SupplySteps = 258;
    ordinary.ServoMeasuredMv = {2470, 1010};
    ordinary.ServoRequiredMv = {2480, 960};
    ordinary.TpPercent = 37;
    ordinary.ServoFlag = {1, 1};
    ordinary.Version = 56;
    QTest::newRow("ordinary") << ordinary;
    MonitorReport edges = ordinary;
    edges.Rpm = 12000;
    edges.TpsSteps = 1023;
    edges.TpPercent = 101;   // sensor error
    edges.SupplySteps = 279; // 14993 mV: just below the warning band
    QTest::newRow("sensor error, gauge full") << edges;
    MonitorReport low = ordinary;
    low.TpsSteps = 1;
    low.SupplySteps = 204; // 10967 mV: yellow
    low.Rpm = 0;
    QTest::newRow("low") << low;
    MonitorReport high = ordinary;
    high.SupplySteps = 65535;
    high.TpsSteps = 1023; // the converter has 10 bits
    QTest::newRow("largest readings") << high;
}

// A recorded sample replayed shows on the labels and gauges what its frame showed.
void TestDataLog::liveSampleGivesTheShownValues() {
    QFETCH(MonitorReport, report);
    const MonitorValues shown = *DecodeMonitorFrame(EncodeMonitorFrame(report));
    ParameterImage image;
    SetDefaultParameters(image);
    const LogSample sample = LogSampleOf(shown, image, 660, "2026-12-10 12:00:00.000");
    std::istringstream in(LogHeaderLine() + LogLine(sample));
    const LogRead read = ReadLog(in);
    QCOMPARE(read.Samples.size(), std::size_t(1));
    const MonitorValues replayed = MonitorValuesOf(read.Samples[0]);
    QCOMPARE(replayed.MonitorRpm, shown.MonitorRpm);
    QCOMPARE(replayed.MonitorTpMv, shown.MonitorTpMv);
    QCOMPARE(replayed.MonitorTpPercent, shown.MonitorTpPercent);
    QCOMPARE(replayed.SupplyMv, shown.SupplyMv);
    QCOMPARE(replayed.RpmScale, shown.RpmScale);
    QCOMPARE(replayed.ThrottleScale, shown.ThrottleScale);
    QVERIFY(replayed.EngineSpeed == shown.EngineSpeed);
    QVERIFY(replayed.Throttle == shown.Throttle);
    QVERIFY(replayed.SupplyVoltage == shown.SupplyVoltage);
    QVERIFY(replayed.Servo1Required == shown.Servo1Required);
    QVERIFY(replayed.Servo1Measured == shown.Servo1Measured);
    QVERIFY(replayed.Servo2Required == shown.Servo2Required);
    QVERIFY(replayed.Servo2Measured == shown.Servo2Measured);
}

void TestDataLog::liveSampleCellsFollowEachServosTable() {
    ParameterImage image;
    SetDefaultParameters(image);
    image.servo(0).TpEnable() = 1;
    image.servo(1).TpEnable() = 0; // servo 2 stays on row 0
    MonitorReport report;
    report.Rpm = 6400;
    report.TpPercent = 58;
    const MonitorValues shown = *DecodeMonitorFrame(EncodeMonitorFrame(report));
    const LogSample sample = LogSampleOf(shown, image, 0, "2026-12-10 12:00:00.000");
    QCOMPARE(sample.Cell[0], FindOperatingCell(image, 0, 6400, 58, true));
    QCOMPARE(sample.Cell[1], FindOperatingCell(image, 1, 6400, 58, false));
    QCOMPARE(sample.Cell[0].Row, 7); // 60 %
    QCOMPARE(sample.Cell[1].Row, 0);
    QCOMPARE(sample.Cell[0].Column, 6); // 6500 RPM is the nearest default point
}

void TestDataLog::playbackFollowsRealTimeAtItsSpeed_data() {
    QTest::addColumn<double>("speed");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("current");
    QTest::addColumn<qint64>("position");
    // Samples every 330 ms; ticks of 55 ms real time.
    QTest::newRow("1x, six ticks") << 1.0 << 6 << 1 << qint64(330);
    QTest::newRow("1x, five ticks") << 1.0 << 5 << 0 << qint64(275);
    QTest::newRow("4x") << 4.0 << 6 << 4 << qint64(1320);
    QTest::newRow("0.25x keeps the quarter milliseconds") << 0.25 << 24 << 1 << qint64(330);
    QTest::newRow("0.5x") << 0.5 << 12 << 1 << qint64(330);
    QTest::newRow("2x to the end, then stops") << 2.0 << 100 << 5 << qint64(1650);
    QTest::newRow("8x is 4x") << 8.0 << 6 << 4 << qint64(1320);
    QTest::newRow("0.1x is 0.25x") << 0.1 << 24 << 1 << qint64(330);
}

void TestDataLog::playbackFollowsRealTimeAtItsSpeed() {
    QFETCH(double, speed);
    QFETCH(int, ticks);
    QFETCH(int, current);
    QFETCH(qint64, position);
    LogPlayback playback(SmallLog());
    QCOMPARE(playback.Current(), 0);
    QVERIFY(!playback.Advance(55)); // not playing yet
    playback.SetSpeed(speed);
    playback.Play();
    int moves = 0;
    for (int i = 0; i < ticks; ++i)
        moves += playback.Advance(55) ? 1 : 0;
    QCOMPARE(playback.Current(), current);
    QCOMPARE(playback.PositionMs(), position);
    QCOMPARE(moves, current); // each new sample told once
    QCOMPARE(playback.Playing(), position < playback.EndMs());
}

void TestDataLog::playbackSeekPauseAndEnd() {
    LogPlayback empty;
    QCOMPARE(empty.Current(), -1);
    empty.Play();
    QVERIFY(!empty.Playing());
    QVERIFY(!empty.Seek(100));

    std::vector<LogSample> samples = SmallLog();
    for (LogSample& s : samples)
        s.ElapsedMs += 5000; // a log's first sample comes some time after its start
    LogPlayback playback(samples);
    QCOMPARE(playback.StartMs(), 5000);
    QCOMPARE(playback.PositionMs(), 5000);
    QVERIFY(playback.Seek(5000 + 700));
    QCOMPARE(playback.Current(), 2);
    QVERIFY(!playback.Seek(5000 + 659 + 1)); // same sample
    QVERIFY(playback.Seek(-1));
    QCOMPARE(playback.Current(), 0);
    QCOMPARE(playback.PositionMs(), 5000);
    QVERIFY(playback.Seek(1'000'000));
    QCOMPARE(playback.Current(), 5);
    QVERIFY(playback.AtEnd());
    playback.Play(); // from the end: again from the start
    QVERIFY(playback.Playing());
    QCOMPARE(playback.Current(), 0);
    playback.Advance(400);
    QCOMPARE(playback.Current(), 1);
    playback.Pause();
    QVERIFY(!playback.Advance(10'000));
    QCOMPARE(playback.Current(), 1);
}

void TestDataLog::setPointCurveInMillivoltsAndPerCent() {
    ParameterImage image;
    SetDefaultParameters(image);
    image.servo(0).PercentMode() = 0;
    image.servo(0).Cell(3, 0) = 125; // 2500 mV
    image.servo(0).Cell(3, 14) = 250;
    image.servo(0).RpmPoints(14) = 130;
    image.servo(1).PercentMode() = 1;
    image.servo(1).Cell(9, 5) = 37; // 37 % = 1850 mV
    const SetPointCurve millivolts = SetPointCurveOf(image, 0, 3);
    QCOMPARE(millivolts[0], (CurvePoint{image.servo(0).RpmPoints(0) * 100, 2500}));
    QCOMPARE(millivolts[14], (CurvePoint{13000, 5000}));
    QCOMPARE(SetPointCurveOf(image, 1, 9)[5].Millivolts, 1850);
    QCOMPARE(SetPointCurveOf(image, 1, 9)[5].Rpm, image.servo(1).RpmPoints(5) * 100);
}

void TestDataLog::cellVisitsCountEachServosCell() {
    CellVisits visits;
    std::vector<LogSample> log = SmallLog(); // servo 1 in row 6, column 4; servo 2 in row 0, 14
    log[1].Cell[0] = {.Column = 0, .Row = 9};
    for (const LogSample& s : log)
        visits.Add(s);
    QCOMPARE(visits.At(0, {.Column = 4, .Row = 6}), 5);
    QCOMPARE(visits.At(0, {.Column = 0, .Row = 9}), 1);
    QCOMPARE(visits.At(1, {.Column = 14, .Row = 0}), 6);
    QCOMPARE(visits.At(1, {.Column = 4, .Row = 6}), 0);
    int total = 0;
    for (int count : visits.Count[0])
        total += count;
    QCOMPARE(total, 6);
}

QTEST_GUILESS_MAIN(TestDataLog)
#include "tst_datalog.moc"
