// Tests of the whole program as a process: first run, settings kept between runs, the language
// word, the port COM21, SIGTERM closing it like File > Exit, and the CPU it uses while idle.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <unistd.h>

#include "ParameterImage.h"
#include "SettingsData.h"

using namespace dorv;

namespace {

const QString ToolPath = QStringLiteral(DORV_BIN_DIR "/dorv");
const QString SimPath = QStringLiteral(DORV_BIN_DIR "/dorv-sim");

QByteArray ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

// True once the process has a handler for the signal (Linux: SigCgt in /proc/<pid>/status).
bool CatchesSignal(qint64 pid, int signal) {
    const QByteArray status = ReadText(QStringLiteral("/proc/%1/status").arg(pid));
    for (const QByteArray& line : status.split('\n'))
        if (line.startsWith("SigCgt:")) {
            bool ok = false;
            const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
            return ok && (mask >> (signal - 1)) & 1;
        }
    return false;
}

// dorv-sim on a pseudo-terminal reached through a link the test names, logging every frame.
class Sim {
public:
    explicit Sim(QString link) : link_(std::move(link)) {
        process_.start(SimPath, {QStringLiteral("--link"), link_, QStringLiteral("-v")});
    }
    ~Sim() {
        if (process_.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
            if (!process_.waitForFinished(5000))
                process_.kill();
        }
    }
    bool WaitReady() {
        if (!process_.waitForStarted(5000))
            return false;
        QDeadlineTimer deadline(5000);
        while (!QFileInfo::exists(link_) && !deadline.hasExpired())
            QTest::qWait(20);
        return QFileInfo::exists(link_);
    }
    // Frames the simulated unit received so far.
    int FramesReceived() {
        log_ += process_.readAllStandardError();
        return int(log_.count("rx "));
    }
    const QString& Link() const { return link_; }

private:
    QString link_;
    QProcess process_;
    QByteArray log_;
};

struct ToolExit {
    bool Finished = false;
    QProcess::ExitStatus Status = QProcess::CrashExit;
    int Code = -1;
    QByteArray Errors;
};

// Runs the tool headless with the given configuration home, lets it run up to `runMs`, sends
// the signal and waits for it to end.
// The headless platform the tests run on, with its screen: the tool gets the same unless a test
// names another.
QString TestPlatform() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    return platform.startsWith(QLatin1String("offscreen")) ? platform : QStringLiteral("offscreen");
}

ToolExit RunTool(const QString& configHome, const QStringList& arguments, int runMs = 700,
                 Sim* sim = nullptr, int signal = SIGTERM,
                 const QString& platform = TestPlatform()) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    tool.setProcessEnvironment(env);
    tool.start(ToolPath, arguments);
    ToolExit result;
    if (!tool.waitForStarted(5000))
        return result;
    QDeadlineTimer ready(10000);
    while (!CatchesSignal(tool.processId(), signal) && !ready.hasExpired() &&
           tool.state() == QProcess::Running)
        QTest::qWait(10);
    // Let it show its window and poll; with a simulated unit, until the unit got a frame.
    QDeadlineTimer running(runMs);
    while (!running.hasExpired() && tool.state() == QProcess::Running &&
           !(sim && sim->FramesReceived() > 0))
        QTest::qWait(20);
    if (tool.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(tool.processId()), signal);
    result.Finished = tool.waitForFinished(10000);
    if (!result.Finished)
        tool.kill();
    result.Status = tool.exitStatus();
    result.Code = tool.exitCode();
    result.Errors = tool.readAllStandardError();
    return result;
}

QString SettingsPath(const QTemporaryDir& home) {
    return home.filePath(QStringLiteral("DORV/DORV.ini"));
}
QString SettingsDataPath(const QTemporaryDir& home) {
    return home.filePath(QStringLiteral("DORV/_DORV.ini"));
}

std::optional<QByteArray> IniValue(const QByteArray& ini, const QByteArray& key) {
    for (QByteArray line : ini.split('\n')) {
        line = line.trimmed();
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return std::nullopt;
}

ParameterImage DefaultImage() {
    ParameterImage image;
    SetDefaultParameters(image);
    return image;
}

#define VERIFY_CLEAN_EXIT(run)                                                                     \
    do {                                                                                           \
        QVERIFY2((run).Finished, (run).Errors.constData());                                        \
        QCOMPARE((run).Status, QProcess::NormalExit);                                              \
        QCOMPARE((run).Code, 0);                                                                   \
    } while (false)

} // namespace

class TestAppProcess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firstRunWritesBothFiles_data();
    void firstRunWritesBothFiles();
    void secondStartBringsEverythingBack();
    void languageWordOverridesStoredLanguage_data();
    void languageWordOverridesStoredLanguage();
    void storedComPort21OpensCom21();
    void idleWhilePollingTheUnit();
    void startsWithoutChartLibraries();
    void smallScreenKeepsWindowReachable_data();
    void smallScreenKeepsWindowReachable();
    void secondInstanceLeavesFirstOnesFiles();
    void readOnlyFolderIsTold();
    void infoOptionsWithoutDisplay_data();
    void infoOptionsWithoutDisplay();
};

void TestAppProcess::initTestCase() {
    QVERIFY2(QFileInfo(ToolPath).isExecutable(), qPrintable(ToolPath));
    QVERIFY2(QFileInfo(SimPath).isExecutable(), qPrintable(SimPath));
}

void TestAppProcess::firstRunWritesBothFiles_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestAppProcess::firstRunWritesBothFiles() {
    QFETCH(int, signal);
    QTemporaryDir home;
    const ToolExit run = RunTool(home.path(), {}, 700, nullptr, signal);
    VERIFY_CLEAN_EXIT(run);

    // Centred at the design size on the same offscreen screen this test runs on.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QByteArray expected = QStringLiteral("[FORM_HLAV]\nLeft=%1\nTop=%2\nHeight=849\n"
                                               "Width=986\nComPort=1\nLanguage=0\nFile=\nIniDir=\n"
                                               "[IGNITION]\nPageControl1->ActivePageIndex=0\n")
                                    .arg((screen.width() - 986) / 2)
                                    .arg((screen.height() - 849) / 2)
                                    .toLatin1();
    QCOMPARE(ReadText(SettingsPath(home)), expected);
    QCOMPARE(ReadText(SettingsDataPath(home)),
             QByteArray::fromStdString(SettingsDataText(DefaultImage(), {0, 0})));
}

void TestAppProcess::secondStartBringsEverythingBack() {
    QTemporaryDir home;
    Sim sim(home.filePath(QStringLiteral("ttySIM")));
    QVERIFY(sim.WaitReady());
    const QByteArray ini = "; ports of this bench\r\n[PORTS]\r\nCOM3=" + sim.Link().toLocal8Bit() +
                           "\r\n\r\n[FORM_HLAV]\r\nLeft=12\r\nTop=34\r\nHeight=700\r\nWidth=900\r\n"
                           "ComPort=3\r\nLanguage=2\r\nFile=/bench/engine 2.ign\r\n"
                           "IniDir=/bench/engine 2.ign\r\nNote=kept\r\n"
                           "[IGNITION]\r\nPageControl1->ActivePageIndex=2\r\n";
    ParameterImage image = DefaultImage();
    for (int i = 0; i < 16; ++i) // an identity block as a unit reported it
        image.bytes()[i] = static_cast<Byte>('A' + i);
    image.Tps0() = 30;
    image.ServoTable(1, 9, 14) = 200;
    image.ServoTable(0, 0, 0) = 1;
    image.servo(1).TpEnable() = 1;
    NormalizeRpmPoints(image);
    const QByteArray data = QByteArray::fromStdString(SettingsDataText(image, {1, 1}));
    QVERIFY(WriteText(SettingsPath(home), ini));
    QVERIFY(WriteText(SettingsDataPath(home), data));

    const ToolExit run = RunTool(home.path(), {});
    VERIFY_CLEAN_EXIT(run);
    QCOMPARE(ReadText(SettingsPath(home)), ini);
    QCOMPARE(ReadText(SettingsDataPath(home)), data);
}

void TestAppProcess::languageWordOverridesStoredLanguage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("kept");
    QTest::newRow("ENGLISH over German") << QStringList{"ENGLISH"} << 2 << 1;
    QTest::newRow("CESKY over English") << QStringList{"CESKY"} << 1 << 0;
    QTest::newRow("DEUTSCH over Czech") << QStringList{"DEUTSCH"} << 0 << 2;
    QTest::newRow("lower case has no effect") << QStringList{"english"} << 2 << 2;
    QTest::newRow("only the first argument") << QStringList{"x", "ENGLISH"} << 2 << 2;
}

void TestAppProcess::languageWordOverridesStoredLanguage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, stored);
    QFETCH(int, kept);
    QTemporaryDir home;
    Sim sim(home.filePath(QStringLiteral("ttySIM")));
    QVERIFY(sim.WaitReady());
    QVERIFY(WriteText(SettingsPath(home),
                      "[PORTS]\nCOM1=" + sim.Link().toLocal8Bit() +
                          "\n[FORM_HLAV]\nLanguage=" + QByteArray::number(stored) + "\n"));
    const ToolExit run = RunTool(home.path(), arguments, 300);
    VERIFY_CLEAN_EXIT(run);
    QCOMPARE(IniValue(ReadText(SettingsPath(home)), "Language"), QByteArray::number(kept));
}

void TestAppProcess::storedComPort21OpensCom21() {
    QTemporaryDir home;
    Sim sim(home.filePath(QStringLiteral("ttySIM")));
    QVERIFY(sim.WaitReady());
    QVERIFY(WriteText(SettingsPath(home), "[PORTS]\nCOM21=" + sim.Link().toLocal8Bit() +
                                              "\n[FORM_HLAV]\nComPort=21\n"));
    const ToolExit run = RunTool(home.path(), {}, 3000, &sim);
    VERIFY_CLEAN_EXIT(run);
    // The unit on COM21 was polled, and COM21 is kept.
    QVERIFY2(sim.FramesReceived() >= 1, "the simulated unit on COM21 received no frame");
    QCOMPARE(IniValue(ReadText(SettingsPath(home)), "ComPort"), QByteArray("21"));
}

void TestAppProcess::smallScreenKeepsWindowReachable_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("first start") << QByteArray();
    QTest::newRow("designed size stored above the screen")
        << QByteArray("[FORM_HLAV]\nLeft=190\nTop=-40\nHeight=849\nWidth=986\n");
    QTest::newRow("stored from a larger screen")
        << QByteArray("[FORM_HLAV]\nLeft=1500\nTop=700\nHeight=900\nWidth=1200\n");
}

// On a 1366 x 768 screen the window opens, and is left at exit, wholly on the screen: title bar
// and menu above nothing, status bar above the bottom edge.
void TestAppProcess::smallScreenKeepsWindowReachable() {
    QFETCH(QByteArray, stored);
    QTemporaryDir home;
    if (!stored.isEmpty())
        QVERIFY(WriteText(SettingsPath(home), stored));
    const QString laptop =
        QStringLiteral("offscreen:configfile=" DORV_SCREENS_DIR "/screen-laptop.json");
    const ToolExit run = RunTool(home.path(), {}, 700, nullptr, SIGTERM, laptop);
    VERIFY_CLEAN_EXIT(run);
    const QByteArray ini = ReadText(SettingsPath(home));
    const auto number = [&ini](const QByteArray& key) {
        return IniValue(ini, key).value_or(QByteArray("-99999")).toInt();
    };
    const QRect frame(number("Left"), number("Top"), number("Width"), number("Height"));
    // Left and Top are the frame's corner; the frame adds at most a title bar and borders.
    const QRect framed = frame.adjusted(0, 0, 8, 36);
    QVERIFY2(QRect(0, 0, 1366, 768).contains(framed), ini.constData());
    QVERIFY2(frame.width() >= 900 && frame.height() >= 600, ini.constData());
}

// The files of a configuration folder with their contents, the lock file left out.
QMap<QString, QByteArray> FolderContents(const QString& folder) {
    QMap<QString, QByteArray> contents;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (name != QLatin1String("DORV.lock"))
            contents[name] = ReadText(QDir(folder).filePath(name));
    return contents;
}

// A second start on the folder a running copy holds says so and ends without writing anything;
// the first copy then saves as always.
void TestAppProcess::secondInstanceLeavesFirstOnesFiles() {
    QTemporaryDir home;
    Sim sim(home.filePath(QStringLiteral("ttySIM")));
    QVERIFY(sim.WaitReady());
    QVERIFY(WriteText(SettingsPath(home), "[PORTS]\nCOM1=" + sim.Link().toLocal8Bit() +
                                              "\n[FORM_HLAV]\nComPort=1\nLanguage=1\n"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), TestPlatform());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(ToolPath, {});
    QVERIFY(first.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(sim.FramesReceived() >= 2, 10000);
    const QString folder = home.filePath(QStringLiteral("DORV"));
    const QMap<QString, QByteArray> before = FolderContents(folder);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(ToolPath, {});
    QVERIFY(second.waitForStarted(5000));
    // It says so on standard error and in a box, which a signal closes as any box.
    QTRY_VERIFY_WITH_TIMEOUT(CatchesSignal(second.processId(), SIGTERM), 10000);
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += second.readAllStandardError()).contains("already running") ||
                                 second.state() == QProcess::NotRunning,
                             10000);
    if (second.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(second.processId()), SIGTERM);
    QVERIFY(second.waitForFinished(10000));
    said += second.readAllStandardError();
    QVERIFY2(said.contains("already running") &&
                 said.contains(QByteArray::number(first.processId())),
             said.constData());
    QCOMPARE(second.exitCode(), 1);
    QCOMPARE(FolderContents(folder), before);

    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    QVERIFY(first.waitForFinished(10000));
    QCOMPARE(first.exitCode(), 0);
    QVERIFY(IniValue(ReadText(SettingsPath(home)), "Left").has_value());
    QVERIFY(QFileInfo::exists(SettingsDataPath(home)));
}

// A configuration folder the user may not write to: the tool starts, says that nothing will be
// kept, and at a signal's close says on standard error that saving failed; it still exits with 0
// and leaves the folder as it was. As root every folder is writable, so the tool then runs as the
// unprivileged user "nobody".
void TestAppProcess::readOnlyFolderIsTold() {
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("DORV"));
    QVERIFY(WriteText(folder + QStringLiteral("/DORV.ini"), "[FORM_HLAV]\nLanguage=1\n"));
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(home.path(), readOnly));
    QVERIFY(QFile::setPermissions(folder, readOnly));
    QVERIFY(QFile::setPermissions(folder + QStringLiteral("/DORV.ini"),
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                      QFileDevice::ReadOther));
    QString program = ToolPath;
    QStringList arguments;
    if (::geteuid() == 0) {
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("running as root without setpriv: no user to whom the folder is read-only");
        program = QStringLiteral("setpriv");
        arguments = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                     QStringLiteral("--clear-groups"), ToolPath};
    }
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), TestPlatform());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("HOME"), home.path());
    tool.setProcessEnvironment(env);
    tool.start(program, arguments);
    QVERIFY(tool.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(CatchesSignal(tool.processId(), SIGTERM), 10000);
    QTest::qWait(500); // the start-up box is posted, then open
    ::kill(static_cast<pid_t>(tool.processId()), SIGTERM);
    QVERIFY(tool.waitForFinished(10000));
    const QByteArray said = tool.readAllStandardError();
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY2(tool.exitCode() == 0, said.constData());
    QVERIFY2(said.contains("could not be saved") && said.contains("DORV.ini"), said.constData());
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"DORV.ini"});
    QCOMPARE(ReadText(folder + QStringLiteral("/DORV.ini")),
             QByteArray("[FORM_HLAV]\nLanguage=1\n"));
    QFile::setPermissions(home.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// CPU time (user and system) the process used so far, in clock ticks.
qint64 CpuTicks(qint64 pid) {
    const QByteArray stat = ReadText(QStringLiteral("/proc/%1/stat").arg(pid));
    // The fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
}

// With a unit answering and nothing to do, the window must not keep itself busy: a loop that
// redraws or re-lays out without end shows as a core burnt while the values are live.
// The chart libraries (Qt Charts and the OpenGL widgets it brings) load when a chart is first
// opened, not at start-up: the dynamic loader's list of the files it opened up to the first show.
void TestAppProcess::startsWithoutChartLibraries() {
    QTemporaryDir home;
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), TestPlatform());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("DORV_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    tool.setProcessEnvironment(env);
    tool.start(ToolPath, {});
    QVERIFY(tool.waitForFinished(20000));
    QCOMPARE(tool.exitCode(), 0);
    const QByteArray loaded = tool.readAllStandardError();
    QVERIFY2(loaded.contains("file=libQt6Widgets.so.6"), loaded.left(2000).constData());
    for (const char* library : {"libQt6Charts", "libQt6OpenGLWidgets", "dorv_charts"})
        QVERIFY2(!loaded.contains(library), library);
}

void TestAppProcess::idleWhilePollingTheUnit() {
    QTemporaryDir home;
    Sim sim(home.filePath(QStringLiteral("ttySIM")));
    QVERIFY(sim.WaitReady());
    QVERIFY(WriteText(SettingsPath(home), "[PORTS]\nCOM1=" + sim.Link().toLocal8Bit() +
                                              "\n[FORM_HLAV]\nComPort=1\nLanguage=1\n"));
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), TestPlatform());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    tool.setProcessEnvironment(env);
    tool.start(ToolPath, {});
    QVERIFY(tool.waitForStarted(5000));
    // Running once the unit is polled and its live values shown for a while.
    QTRY_VERIFY_WITH_TIMEOUT(sim.FramesReceived() >= 3, 10000);
    QTest::qWait(1000);
    constexpr int MeasuredMs = 10000;
    const int framesBefore = sim.FramesReceived();
    const qint64 before = CpuTicks(tool.processId());
    QTest::qWait(MeasuredMs);
    const qint64 after = CpuTicks(tool.processId());
    const int frames = sim.FramesReceived() - framesBefore;
    ::kill(static_cast<pid_t>(tool.processId()), SIGTERM);
    QVERIFY(tool.waitForFinished(10000));
    QVERIFY(before >= 0 && after >= before);
    // A poll every 6 ticks of 55 ms: about 30 frames in 10 s.
    QVERIFY2(frames >= 15, qPrintable(QStringLiteral("only %1 frames polled").arg(frames)));
    const double share =
        100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / (MeasuredMs / 1000.0);
    qInfo("CPU while idle and polling: %.2f %% of one core", share);
    QVERIFY2(share < 3.0, qPrintable(QStringLiteral("%1 % of one core").arg(share)));
}

void TestAppProcess::infoOptionsWithoutDisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("said");
    const QStringList help{"usage: dorv [ENGLISH | CESKY | DEUTSCH]",
                           "XDG_CONFIG_HOME",
                           "DORV_EXIT_AFTER_SHOW",
                           "DORV.ini",
                           "_DORV.ini",
                           "test_tomble.txt",
                           "[PORTS]",
                           "dialout",
                           "share/dorv"};
    const QStringList version{QStringLiteral("dorv " DORV_VERSION "\n"), "GPL-3.0-or-later"};
    QTest::newRow("--help") << QStringList{"--help"} << help;
    QTest::newRow("-h") << QStringList{"-h"} << help;
    QTest::newRow("language word, then --help") << QStringList{"ENGLISH", "--help"} << help;
    QTest::newRow("--version") << QStringList{"--version"} << version;
}

// --help and --version answer on standard output and end at once, with no display to open and
// nothing written to the configuration folder.
void TestAppProcess::infoOptionsWithoutDisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, said);
    QTemporaryDir home;
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    tool.setProcessEnvironment(env);
    tool.start(ToolPath, arguments);
    QVERIFY(tool.waitForFinished(10000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    const QByteArray errors = tool.readAllStandardError();
    QVERIFY2(errors.isEmpty(), errors.constData());
    QCOMPARE(tool.exitCode(), 0);
    const QString out = QString::fromUtf8(tool.readAllStandardOutput());
    for (const QString& text : said)
        QVERIFY2(out.contains(text), qPrintable(text + " missing in:\n" + out));
    QVERIFY(QDir(home.path()).isEmpty());
}

QTEST_MAIN(TestAppProcess)
#include "tst_app_process.moc"
