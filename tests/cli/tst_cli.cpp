// dorv-cli tested as a program: arguments, exit statuses and outputs against dorv-sim on a pty.
#include "CliOptions.h"
#include "EditorValues.h"
#include "History.h"
#include "ImageDiff.h"
#include "ImageFile.h"
#include "SimProcess.h"
#include "StorageFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <unistd.h>

using namespace dorv;
using namespace dorv::cli;
using dorv::testing::SimProcess;
using dorv::testing::WriteImage;

namespace {

const QString Cli = QStringLiteral(DORV_BIN_DIR "/dorv-cli");
const QString KnownFile = QStringLiteral(DORV_SHARED_DATA "/known.ign");

struct CliRun {
    int Status = -1;
    QString Out;
    QString Err;
};

// A configuration folder of its own, so DORV.ini [PORTS] is the test's.
class CliEnv {
public:
    CliEnv() { QDir().mkpath(dir.filePath("cfg/DORV")); }
    void MapPort(const QString& com, const QString& device) const {
        QSettings ini(dir.filePath("cfg/DORV/DORV.ini"), QSettings::IniFormat);
        ini.setValue("PORTS/" + com, device);
    }
    QProcessEnvironment Environment(int tickMs = 0) const {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.filePath("cfg"));
        // The image history goes here too, never into the user's own data folder.
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        if (tickMs > 0)
            env.insert("DORV_CLI_TICK_MS", QString::number(tickMs));
        return env;
    }
    void Start(QProcess& p, const QStringList& args, int tickMs = 0,
               const QString& program = Cli) const {
        p.setProcessEnvironment(Environment(tickMs));
        p.start(program, args);
    }
    CliRun Run(const QStringList& args, int tickMs = 0) const {
        QProcess p;
        Start(p, args, tickMs);
        return Finish(p);
    }
    static CliRun Finish(QProcess& p) {
        if (!p.waitForFinished(60000))
            p.kill();
        p.waitForFinished();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString HistoryFolder() const { return dir.filePath("data/DORV/history"); }
    QTemporaryDir dir;
};

// Waits until the process has written to the channel (without taking what it wrote).
bool WaitForOutput(QProcess& p, QProcess::ProcessChannel channel) {
    p.setReadChannel(channel);
    return p.bytesAvailable() > 0 || p.waitForReadyRead(5000);
}

// Parameters unlike the defaults and unlike known.ign, written as an .ign file.
ParameterImage OtherParameters(int variant) {
    ParameterImage image;
    SetDefaultParameters(image);
    for (int r = 0; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k)
            image.ServoTable(0, r, k) = static_cast<Byte>(40 + 5 * r + k + variant);
    image.Tps0() = static_cast<Byte>(30 + variant % 20);
    NormalizeRpmPoints(image);
    return image;
}

QString WriteIgn(const QString& path, const ParameterImage& image) {
    if (!SaveParameterFile(path, image).Ok)
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

// The parameters of a .ign file as the tool sends them (over the defaults, normalised).
ParameterImage FileParameters(const QString& path, const ParameterImage& base) {
    ParameterImage image = OpenParameterFile(path, base).Image;
    NormalizeRpmPoints(image);
    return image;
}

// Whether the unit's image holds every parameter the file carries.
bool UnitHoldsFile(const ParameterImage& unit, const QString& file) {
    return DifferingParameters(FileParameters(file, unit), unit).empty();
}

// The image as dorv-cli holds it after reading the unit: RPM points normalised.
ParameterImage AsRead(ParameterImage unit) {
    NormalizeRpmPoints(unit);
    return unit;
}

// The entries of a kind in the folder, oldest first.
std::vector<HistoryEntry> EntriesOfKind(const QString& folder, HistoryKind kind) {
    std::vector<HistoryEntry> found;
    for (const HistoryEntry& entry : ListHistory(folder))
        if (entry.Name.Kind == kind)
            found.insert(found.begin(), entry);
    return found;
}

// Why an entry is not the unit's image kept for file, or empty when it is.
QString EntryMismatch(const HistoryEntry& entry, const ParameterImage& unit, const QString& file) {
    if (entry.Damaged())
        return entry.Stem + ": damaged";
    QFile ign(entry.EntryPath());
    if (!ign.open(QIODevice::ReadOnly))
        return entry.Stem + ": cannot be read";
    if (ign.readAll().toStdString() != ParameterFileText(AsRead(unit)))
        return entry.Stem + ": not the unit's parameters";
    if (entry.Sidecar->Unit != HistoryUnitOf(unit) || !entry.Sidecar->Unit.Known())
        return entry.Stem + ": not the unit's identity";
    if (QString::fromStdString(entry.Sidecar->FileName) != QFileInfo(file).absoluteFilePath())
        return entry.Stem + ": file " + QString::fromStdString(entry.Sidecar->FileName);
    if (entry.Sidecar->ProgramCount)
        return entry.Stem + ": a programming count the command line never read";
    return {};
}

} // namespace

Q_DECLARE_METATYPE(std::function<void(dorv::ParameterImage&)>)
Q_DECLARE_METATYPE(dorv::HistoryKind)

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void differencesByName();
    void differingLines_data();
    void differingLines();
    void badFilesBeforeThePort_data();
    void badFilesBeforeThePort();
    void everyCommandAgainstUnit();
    void versionMismatch();
    void missingDevice();
    void busyDevice();
    void deviceWithoutPermission();
    void signalLeavesNoFile();
    void cablePulled_data();
    void cablePulled();
    void faultyLineNeverFalseSuccess();
    void historyEntries_data();
    void historyEntries();
    void historyNotKept_data();
    void historyNotKept();
};

void TestCli::commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("shown"); // in standard output for 0, in standard error otherwise
    QTest::newRow("version") << QStringList{"--version"} << 0 << "dorv-cli 1.0";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Exit status: 0 success";
    for (const char* command : {"ports", "info", "read", "verify", "program", "monitor", "diff"})
        QTest::newRow(qPrintable(QString(command) + " --help"))
            << QStringList{command, "--help"} << 0 << QString("usage: dorv-cli ") + command;
    for (const char* command : {"read", "verify", "program"})
        QTest::newRow(qPrintable(QString(command) + " --help tells --no-history"))
            << QStringList{command, "--help"} << 0 << "unless --no-history";
    QTest::newRow("help tells --no-history") << QStringList{"--help"} << 0 << "--no-history";
    QTest::newRow("no-history outside read, verify, program")
        << QStringList{"monitor", "--port", "COM1", "--no-history"} << 3
        << "--no-history is only for read, verify and program";
    QTest::newRow("nothing") << QStringList{} << 3 << "no command given";
    QTest::newRow("unknown command") << QStringList{"flash"} << 3 << "unknown command \"flash\"";
    QTest::newRow("unknown option")
        << QStringList{"ports", "--fast"} << 3 << "unknown option --fast";
    QTest::newRow("read without -o") << QStringList{"read", "--port", "COM1"} << 3 << "-o FILE";
    QTest::newRow("verify without port")
        << QStringList{"verify", "a.ign"} << 3 << "--port is required";
    QTest::newRow("program without file")
        << QStringList{"program", "--port", "COM1"} << 3 << "expected 1";
    QTest::newRow("diff with one side") << QStringList{"diff", "a.ign"} << 3 << "expected 2";
    QTest::newRow("diff unit without port")
        << QStringList{"diff", "unit", "a.ign"} << 3 << "--port is required";
    QTest::newRow("bad duration") << QStringList{"monitor", "--port", "COM1", "--duration", "1s"}
                                  << 3 << "--duration";
    QTest::newRow("csv outside monitor")
        << QStringList{"info", "--port", "COM1", "--csv"} << 3 << "only for monitor";
    QTest::newRow("port without value") << QStringList{"info", "--port"} << 3 << "--port needs";
}

void TestCli::commandLine() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, shown);
    CliEnv env;
    const CliRun run = env.Run(args);
    QCOMPARE(run.Status, status);
    QVERIFY2((status == 0 ? run.Out : run.Err).contains(shown), qPrintable(run.Out + run.Err));
}

void TestCli::differencesByName() {
    ParameterImage a;
    SetDefaultParameters(a);
    ParameterImage b = a;
    QVERIFY(DifferingParameters(a, b).empty());
    b.Tps0() = static_cast<Byte>(a.Tps0() + 3);
    b.servo(1).Cell(3, 4) = static_cast<Byte>(a.servo(1).Cell(3, 4) + 1);
    b.servo(0).Cell(0, 0) = static_cast<Byte>(a.servo(0).Cell(0, 0) + 1);
    const auto diffs = DifferingParameters(a, b);
    QCOMPARE(diffs.size(), std::size_t(3));
    QCOMPARE(diffs[0].Name, std::string("TPS"));
    QCOMPARE(diffs[1].Name, std::string("NAP_SERVO1 row 1"));
    QCOMPARE(diffs[2].Name, std::string("NAP_SERVO2 row 4"));
    QVERIFY(diffs[0].A != diffs[0].B);
}

using ImageChange = std::function<void(ParameterImage&)>;

void TestCli::differingLines_data() {
    QTest::addColumn<ImageChange>("change");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("in the order of the file") << ImageChange([](ParameterImage& b) {
        b.Tps100() = static_cast<Byte>(b.Tps100() + 1);
        b.servo(1).RpmPoints(3) = static_cast<Byte>(b.servo(1).RpmPoints(3) + 1);
        b.PulsesMode() = b.PulsesMode() == 2 ? 1 : 2;
        b.servo(1).HysteresisRpm() = static_cast<Byte>(b.servo(1).HysteresisRpm() + 1);
    }) << QStringList{"POCET_PULSU", "TPS", "SERVO_2", "RPM_SERVO2"};
    QTest::newRow("a switch on as 7 is on")
        << ImageChange([](ParameterImage& b) { b.servo(0).ServoEnable() = 7; }) << QStringList{};
    // The same table in per cent: only the switch differs, not the rows it is written in.
    QTest::newRow("a table switched to per cent")
        << ImageChange([](ParameterImage& b) { SwitchPercentMode(b, 0, true); })
        << QStringList{"SERVO_1"};
    QTest::newRow("a cell of row 10 in per cent") << ImageChange([](ParameterImage& b) {
        SwitchPercentMode(b, 1, true);
        b.servo(1).Cell(9, 14) = 1;
    }) << QStringList{"SERVO_2", "NAP_SERVO2 row 10"};
}

void TestCli::differingLines() {
    QFETCH(ImageChange, change);
    QFETCH(QStringList, names);
    ParameterImage a;
    SetDefaultParameters(a);
    a.servo(0).ServoEnable() = 1;
    for (int i = 0; i < TableCells; ++i)
        a.servo(1).CellAt(i) = static_cast<Byte>(100 + i % 50);
    ParameterImage b = a;
    change(b);
    QStringList differing;
    for (const ParameterDifference& d : DifferingParameters(a, b)) {
        differing << QString::fromStdString(d.Name);
        QVERIFY(d.A != d.B);
    }
    QCOMPARE(differing, names);
}

void TestCli::badFilesBeforeThePort_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("program, empty file") << "program" << QByteArray();
    QTest::newRow("verify, no key line") << "verify" << QByteArray("TPS 480 5050\r\n");
    QTest::newRow("diff, binary") << "diff" << QByteArray("\x00\x01\xff\xfe", 4);
}

// A bad file is exit status 3, told before any port is opened (the port here does not exist).
void TestCli::badFilesBeforeThePort() {
    QFETCH(QString, command);
    QFETCH(QByteArray, contents);
    CliEnv env;
    QFile file(env.Path("bad.ign"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    QStringList args{command, file.fileName()};
    if (command == "diff")
        args << KnownFile;
    args << "--port" << env.Path("no-such-tty");
    const CliRun run = env.Run(args);
    QCOMPARE(run.Status, 3);
    QVERIFY2(run.Err.contains("not a usable parameter file"), qPrintable(run.Err));
}

// One unit, every command, at the program's own tick.
void TestCli::everyCommandAgainstUnit() {
    CliEnv env;
    SimProcess sim(env.dir, {"--load", KnownFile, "--rpm", "3300", "--throttle", "25"});
    QVERIFY(!sim.WaitForPty().isEmpty());
    const QString port = sim.Link();
    env.MapPort("COM3", port);

    const CliRun ports = env.Run({"ports", "--json"});
    QCOMPARE(ports.Status, 0);
    QVERIFY2(ports.Out.startsWith("{\"devices\":["), qPrintable(ports.Out));

    const CliRun info = env.Run({"info", "--port", "COM3"});
    QCOMPARE(info.Status, 0);
    QVERIFY2(info.Out.contains("version: SIM01") && info.Out.contains("rpm=3300") &&
                 info.Out.contains("throttle=25%") && info.Out.contains("programming count: "),
             qPrintable(info.Out));
    QVERIFY(info.Err.contains("reading 7/7"));

    const QString readFile = env.Path("read.ign");
    const CliRun read = env.Run({"read", "--port", "COM3", "-o", readFile, "--json"});
    QCOMPARE(read.Status, 0);
    QVERIFY2(read.Out.contains("\"version\":\"SIM01\""), qPrintable(read.Out));
    QVERIFY(
        DifferingParameters(FileParameters(readFile, {}), FileParameters(KnownFile, {})).empty());

    QCOMPARE(env.Run({"verify", "--port", port, KnownFile}).Status, 0);
    const QString other = WriteIgn(env.Path("other.ign"), OtherParameters(1));
    const CliRun differs = env.Run({"verify", "--port", port, other});
    QCOMPARE(differs.Status, 1);
    QVERIFY2(differs.Out.contains("NAP_SERVO1 row 1") && differs.Out.contains("TPS"),
             qPrintable(differs.Out));

    const CliRun program = env.Run({"program", "--port", "COM3", other});
    QCOMPARE(program.Status, 0);
    QVERIFY(program.Err.contains("programming 7/7") && program.Err.contains("verifying 7/7"));
    QVERIFY2(!program.Err.contains("programming failed"), qPrintable(program.Err));
    QVERIFY2(program.Out.contains("programmed and verified"), qPrintable(program.Out));
    QCOMPARE(env.Run({"verify", "--port", port, other}).Status, 0);
    QCOMPARE(env.Run({"diff", "unit", other, "--port", port}).Status, 0);
    const CliRun diff = env.Run({"diff", KnownFile, "unit", "--port", port, "--json"});
    QCOMPARE(diff.Status, 1);
    QVERIFY2(diff.Out.contains("\"same\":false") && diff.Out.contains("\"name\":\"TPS\""),
             qPrintable(diff.Out));
    QCOMPARE(env.Run({"diff", KnownFile, readFile}).Status, 0);

    const CliRun csv = env.Run({"monitor", "--port", port, "--csv", "--duration", "1"});
    QCOMPARE(csv.Status, 0);
    const QStringList rows = csv.Out.split('\n', Qt::SkipEmptyParts);
    QVERIFY2(rows.size() >= 3 && rows[0].startsWith("time_s,rpm,"), qPrintable(csv.Out));
    QVERIFY2(rows[1].section(',', 1, 2) == "3300,25", qPrintable(rows[1]));
    const CliRun json = env.Run({"monitor", "--port", port, "--json", "--duration", "0.5"});
    QCOMPARE(json.Status, 0);
    QVERIFY2(json.Out.startsWith("{") && json.Out.contains("\"rpm\":3300"), qPrintable(json.Out));

    QVERIFY(sim.Stop());
    QVERIFY(UnitHoldsFile(sim.SavedImage(), other));
}

// A unit of another format version: status 4, and read leaves no file.
void TestCli::versionMismatch() {
    CliEnv env;
    SimProcess sim(env.dir, {"--format-version", "55"});
    QVERIFY(!sim.WaitForPty().isEmpty());
    const QString out = env.Path("never.ign");
    const CliRun read = env.Run({"read", "--port", sim.Link(), "-o", out});
    QCOMPARE(read.Status, 4);
    QVERIFY2(read.Err.contains("PC-56, IGN-55"), qPrintable(read.Err));
    QVERIFY(!QFile::exists(out));
    QCOMPARE(env.Run({"program", "--port", sim.Link(), KnownFile}).Status, 4);
    QCOMPARE(env.Run({"verify", "--port", sim.Link(), KnownFile}).Status, 4);
    QCOMPARE(env.Run({"info", "--port", sim.Link()}).Status, 4);
}

void TestCli::missingDevice() {
    CliEnv env;
    const CliRun run =
        env.Run({"read", "--port", env.Path("no-such-tty"), "-o", env.Path("x.ign")});
    QCOMPARE(run.Status, 2);
    QVERIFY2(run.Err.contains("no-such-tty: the device does not exist; "), qPrintable(run.Err));
    QVERIFY(!QFile::exists(env.Path("x.ign")));
    // COMn goes through DORV.ini [PORTS] as in the window.
    env.MapPort("COM5", env.Path("gone-adapter"));
    const CliRun com = env.Run({"info", "--port", "COM5"});
    QCOMPARE(com.Status, 2);
    QVERIFY2(com.Err.contains("gone-adapter: the device does not exist"), qPrintable(com.Err));
    const CliRun json = env.Run({"verify", "--port", "COM5", KnownFile, "--json"});
    QCOMPARE(json.Status, 2);
    QVERIFY2(json.Out.startsWith("{\"device\":\"" + env.Path("gone-adapter") + "\"") &&
                 json.Out.contains("\"error\":\"port\""),
             qPrintable(json.Out));
}

// Another program holds the port: busy, naming the process from its lock file.
void TestCli::busyDevice() {
    CliEnv env;
    SimProcess sim(env.dir, {});
    QVERIFY(!sim.WaitForPty().isEmpty());
    QSerialPort holder(sim.Link());
    QVERIFY(holder.open(QIODevice::ReadWrite));
    const CliRun run = env.Run({"info", "--port", sim.Link()});
    QCOMPARE(run.Status, 2);
    QVERIFY2(run.Err.contains("in use by another program"), qPrintable(run.Err));
    QVERIFY2(!run.Err.contains("permission"), qPrintable(run.Err));
    bool lockFile = false;
    for (const auto& folder : {"/var/lock", "/run/lock", "/tmp"})
        lockFile = lockFile || QFile::exists(QString(folder) + "/LCK.." +
                                             QString(sim.Link()).replace('/', '_'));
    if (lockFile)
        QVERIFY2(run.Err.contains(QString("(process %1").arg(::getpid())), qPrintable(run.Err));
    holder.close();
    QCOMPARE(env.Run({"info", "--port", sim.Link()}).Status, 0);
}

// A device whose permissions refuse the user: as the user nobody in a child process.
void TestCli::deviceWithoutPermission() {
    if (::geteuid() != 0)
        QSKIP("needs root to run dorv-cli as another user");
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        QSKIP("setpriv is not installed");
    CliEnv env;
    SimProcess sim(env.dir, {});
    const QString pty = sim.WaitForPty(); // root's pty: crw--w----, group tty (or root)
    QVERIFY(!pty.isEmpty());
    const QString group = QFileInfo(pty).group();
    QVERIFY(!group.isEmpty());
    QProcess p;
    env.Start(p,
              {"--reuid=nobody", "--regid=nogroup", "--clear-groups", Cli, "info", "--port", pty},
              0, QStandardPaths::findExecutable("setpriv"));
    const CliRun run = CliEnv::Finish(p);
    if (run.Err.contains("setpriv:"))
        QSKIP(qPrintable("setpriv cannot change the user here: " + run.Err));
    QCOMPARE(run.Status, 2);
    QVERIFY2(run.Err.contains("no permission: the device belongs to the group " + group + ".") &&
                 run.Err.contains("sudo usermod -aG " + group + " $USER") &&
                 run.Err.contains("log in again"),
             qPrintable(run.Err));
}

// SIGTERM during a read: the port is let go, no output file, an existing file kept whole.
void TestCli::signalLeavesNoFile() {
    CliEnv env;
    SimProcess sim(env.dir, {"--load", KnownFile});
    QVERIFY(!sim.WaitForPty().isEmpty());
    const QString out = env.Path("read.ign");
    for (bool existing : {false, true}) {
        if (existing)
            WriteIgn(out, OtherParameters(7));
        QProcess p;
        env.Start(p, {"read", "--port", sim.Link(), "-o", out});
        QVERIFY(p.waitForStarted());
        QVERIFY(WaitForOutput(p, QProcess::StandardError)); // the pass has begun
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        const CliRun run = CliEnv::Finish(p);
        QCOMPARE(run.Status, 128 + SIGTERM);
        if (existing)
            QVERIFY(DifferingParameters(FileParameters(out, {}), OtherParameters(7)).empty());
        else
            QVERIFY(!QFile::exists(out));
        QCOMPARE(QDir(env.dir.path()).entryList({"read.ign*"}, QDir::Files | QDir::Hidden).size(),
                 existing ? 1 : 0);
    }
    QCOMPARE(env.Run({"verify", "--port", sim.Link(), KnownFile}).Status, 0);

    // Ctrl+C is how a monitor without --duration ends: status 0, the lines so far kept.
    QProcess monitor;
    env.Start(monitor, {"monitor", "--port", sim.Link()});
    QVERIFY(WaitForOutput(monitor, QProcess::StandardOutput));
    ::kill(static_cast<pid_t>(monitor.processId()), SIGINT);
    const CliRun watched = CliEnv::Finish(monitor);
    QCOMPARE(watched.Status, 0);
    QVERIFY2(watched.Out.startsWith("rpm="), qPrintable(watched.Out));
}

void TestCli::cablePulled_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("read") << "read";
    QTest::newRow("monitor") << "monitor";
}

// The unit goes away (its pty with it) during a read and during monitoring: status 2.
void TestCli::cablePulled() {
    QFETCH(QString, command);
    CliEnv env;
    SimProcess sim(env.dir, {"--load", KnownFile});
    QVERIFY(!sim.WaitForPty().isEmpty());
    const QString out = env.Path("read.ign");
    QProcess p;
    env.Start(p, command == "read" ? QStringList{"read", "--port", sim.Link(), "-o", out}
                                   : QStringList{"monitor", "--port", sim.Link()});
    QVERIFY(p.waitForStarted());
    if (command == "read")
        QVERIFY(WaitForOutput(p, QProcess::StandardError));
    else
        QVERIFY(WaitForOutput(p, QProcess::StandardOutput));
    QVERIFY(!sim.Stop(SIGKILL));
    const CliRun run = CliEnv::Finish(p);
    QCOMPARE(run.Status, 2);
    QVERIFY2(run.Err.contains("device disconnected") || run.Err.contains("does not answer"),
             qPrintable(run.Err));
    QVERIFY(!QFile::exists(out));
}

// Lost and damaged replies over 20 seeds: a command may fail, but none ends with status 0 while
// the unit and the file differ. Ticks run faster than 55 ms: the simulated unit answers at once.
void TestCli::faultyLineNeverFalseSuccess() {
    constexpr int FaultTickMs = 6;
    int zeroStatuses = 0;
    int otherStatuses = 0;
    for (int seed = 1; seed <= 20; ++seed) {
        const QString tag = QString("seed %1").arg(seed);
        CliEnv env;
        const QString target = WriteIgn(env.Path("target.ign"), OtherParameters(seed));
        SimProcess sim(env.dir, {"--load", KnownFile, "--drop", "0.2", "--corrupt", "0.05",
                                 "--seed", QString::number(seed)});
        QVERIFY(!sim.WaitForPty().isEmpty());
        const CliRun program = env.Run({"program", "--port", sim.Link(), target}, FaultTickMs);
        const CliRun verify = env.Run({"verify", "--port", sim.Link(), target}, FaultTickMs);
        const QString readFile = env.Path("read.ign");
        const CliRun read = env.Run({"read", "--port", sim.Link(), "-o", readFile}, FaultTickMs);
        QVERIFY(sim.Stop());
        const ParameterImage unit = sim.SavedImage();
        const bool holds = UnitHoldsFile(unit, target);
        for (const CliRun* run : {&program, &verify, &read}) {
            QVERIFY2(run->Status == 0 || run->Status == 1 || run->Status == 2,
                     qPrintable(tag + ": " + run->Err));
            (run->Status == 0 ? zeroStatuses : otherStatuses)++;
        }
        if (program.Status == 0)
            QVERIFY2(holds, qPrintable(tag));
        if (verify.Status == 0)
            QVERIFY2(holds, qPrintable(tag));
        if (verify.Status == 1)
            QVERIFY2(!holds, qPrintable(tag));
        if (read.Status == 0)
            QVERIFY2(DifferingParameters(FileParameters(readFile, unit), unit).empty(),
                     qPrintable(tag));
        else
            QVERIFY2(!QFile::exists(readFile), qPrintable(tag));
        // What the history kept is what the unit held, whatever the line did to the replies.
        const auto kept = [&](HistoryKind kind, const QString& file) {
            const std::vector<HistoryEntry> entries = EntriesOfKind(env.HistoryFolder(), kind);
            return entries.size() == 1 ? EntryMismatch(entries[0], unit, file)
                                       : QString("%1 entries").arg(entries.size());
        };
        if (program.Status == 0)
            QVERIFY2(kept(HistoryKind::Programmed, target).isEmpty(),
                     qPrintable(tag + ": " + kept(HistoryKind::Programmed, target)));
        if (program.Status == 1 || verify.Status == 1)
            QVERIFY2(kept(HistoryKind::UnitDiffers, target).isEmpty(),
                     qPrintable(tag + ": " + kept(HistoryKind::UnitDiffers, target)));
        if (read.Status == 0)
            QVERIFY2(kept(HistoryKind::Read, readFile).isEmpty(),
                     qPrintable(tag + ": " + kept(HistoryKind::Read, readFile)));
    }
    qInfo("faulty line: %d commands ended with 0, %d with another status", zeroStatuses,
          otherStatuses);
    QVERIFY(zeroStatuses > 0);
}

// In the commands, PORT, KNOWN, OTHER and READ stand for the unit's pty, the unit's own
// parameters, other parameters and the read command's output file.
void TestCli::historyEntries_data() {
    QTest::addColumn<QList<QStringList>>("commands");
    QTest::addColumn<QList<int>>("statuses");
    QTest::addColumn<HistoryKind>("kind");
    QTest::addColumn<int>("entries"); // of that kind; none of any other
    QTest::addColumn<QString>("file");
    const QStringList read{"read", "--port", "PORT", "-o", "READ"};
    QTest::newRow("read, and the same read again")
        << QList<QStringList>{read, read + QStringList{"--json"}} << QList<int>{0, 0}
        << HistoryKind::Read << 1 << "READ";
    QTest::newRow("program") << QList<QStringList>{{"program", "--port", "PORT", "OTHER"}}
                             << QList<int>{0} << HistoryKind::Programmed << 1 << "OTHER";
    QTest::newRow("verify, the unit holds other parameters")
        << QList<QStringList>{{"verify", "--port", "PORT", "OTHER", "--json"}} << QList<int>{1}
        << HistoryKind::UnitDiffers << 1 << "OTHER";
    QTest::newRow("verify, the unit holds the file")
        << QList<QStringList>{{"verify", "--port", "PORT", "KNOWN"}} << QList<int>{0}
        << HistoryKind::UnitDiffers << 0 << "KNOWN";
    QTest::newRow("--no-history")
        << QList<QStringList>{read + QStringList{"--no-history"},
                              {"verify", "--no-history", "--port", "PORT", "OTHER"},
                              {"program", "--port", "PORT", "OTHER", "--no-history"}}
        << QList<int>{0, 1, 0} << HistoryKind::Read << 0 << "READ";
}

// Each entry holds the unit's image at the end (none of the commands after it changed the unit),
// the unit's identity and the file named on the command line.
void TestCli::historyEntries() {
    QFETCH(QList<QStringList>, commands);
    QFETCH(QList<int>, statuses);
    QFETCH(HistoryKind, kind);
    QFETCH(int, entries);
    QFETCH(QString, file);
    CliEnv env;
    SimProcess sim(env.dir, {"--load", KnownFile});
    QVERIFY(!sim.WaitForPty().isEmpty());
    const QString other = WriteIgn(env.Path("other.ign"), OtherParameters(3));
    const auto place = [&](QString word) {
        return word.replace("PORT", sim.Link())
            .replace("KNOWN", KnownFile)
            .replace("OTHER", other)
            .replace("READ", env.Path("read.ign"));
    };
    for (qsizetype i = 0; i < commands.size(); ++i) {
        QStringList args;
        for (const QString& word : commands[i])
            args << place(word);
        const CliRun run = env.Run(args);
        QVERIFY2(run.Status == statuses[i], qPrintable(args.join(' ') + "\n" + run.Err));
        QVERIFY2(!run.Err.contains("history"), qPrintable(run.Err));
    }
    QVERIFY(sim.Stop());
    const ParameterImage unit = sim.SavedImage();
    const std::vector<HistoryEntry> all = ListHistory(env.HistoryFolder());
    const std::vector<HistoryEntry> ofKind = EntriesOfKind(env.HistoryFolder(), kind);
    QCOMPARE(int(all.size()), entries);
    QCOMPARE(int(ofKind.size()), entries);
    for (const HistoryEntry& entry : ofKind) {
        const QString mismatch = EntryMismatch(entry, unit, place(file));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

void TestCli::historyNotKept_data() {
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("status");
    QTest::newRow("read") << QStringList{"read", "--port", "PORT", "-o", "READ"} << 0;
    QTest::newRow("read, json") << QStringList{"read", "--port", "PORT", "-o", "READ", "--json"}
                                << 0;
    QTest::newRow("verify, the unit differs")
        << QStringList{"verify", "--port", "PORT", "OTHER"} << 1;
    QTest::newRow("program") << QStringList{"program", "--port", "PORT", "OTHER"} << 0;
}

// A plain file where the history folder should be: the command's status and standard output
// are those of the same command without history, and standard error says so in one line.
void TestCli::historyNotKept() {
    QFETCH(QStringList, command);
    QFETCH(int, status);
    CliEnv env;
    QVERIFY(QDir().mkpath(QFileInfo(env.HistoryFolder()).path()));
    QFile blocker(env.HistoryFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder\n");
    blocker.close();
    SimProcess sim(env.dir, {"--load", KnownFile});
    QVERIFY(!sim.WaitForPty().isEmpty());
    const QString other = WriteIgn(env.Path("other.ign"), OtherParameters(5));
    QStringList args;
    for (QString word : command)
        args << word.replace("PORT", sim.Link())
                    .replace("OTHER", other)
                    .replace("READ", env.Path("read.ign"));
    const CliRun blocked = env.Run(args);
    const CliRun without = env.Run(args + QStringList{"--no-history"});
    QCOMPARE(blocked.Status, status);
    QCOMPARE(without.Status, status);
    QCOMPARE(blocked.Out, without.Out);
    const QStringList told = blocked.Err.split('\n').filter("history");
    QVERIFY2(told.size() == 1 && told[0].startsWith("dorv-cli: history not kept: ") &&
                 told[0].contains(env.HistoryFolder()),
             qPrintable(blocked.Err));
    QVERIFY2(!without.Err.contains("history"), qPrintable(without.Err));
    QVERIFY(QFileInfo(env.HistoryFolder()).isFile());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
