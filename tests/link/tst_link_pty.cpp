// End-to-end tests: the sequencer on QSerialPort against dorv-sim over a pseudo-terminal.
#include "ComPort.h"
#include "ImageFile.h"
#include "QtSerialPort.h"
#include "SimProcess.h"
#include "SimUnit.h"
#include "TransferSequencer.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <vector>

using namespace dorv;
using dorv::testing::SimProcess;
using dorv::testing::WriteImage;

namespace {

// Ticks run faster than the program's 55 ms: the simulated unit answers within milliseconds.
constexpr int TestTickMs = 15;
constexpr int PassTickLimit = 400;

// A SerialPort that counts the block frames it passes on.
class CountingPort final : public SerialPort {
public:
    explicit CountingPort(SerialPort& inner) : inner_(inner) {}
    std::vector<int> BlockCommands;

    PortOpenError Open(const std::string& device) override { return inner_.Open(device); }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    bool DeviceLost() const override { return inner_.DeviceLost(); }
    std::optional<std::size_t> BytesWaiting() override { return inner_.BytesWaiting(); }
    std::size_t Read(std::span<std::uint8_t> b) override { return inner_.Read(b); }
    bool Write(std::span<const std::uint8_t> bytes) override {
        if (bytes[0] != PollCommand)
            BlockCommands.push_back(bytes[0]);
        return inner_.Write(bytes);
    }

private:
    SerialPort& inner_;
};

// The tool's side: its image and sequencer on a QSerialPort opened at the simulator's link.
struct Tool {
    QtSerialPort serial;
    CountingPort port{serial};
    ParameterImage image;
    TransferSequencer sequencer{port, image};

    Tool() { SetDefaultParameters(image); }
    TransferEvents Tick() {
        QTest::qWait(TestTickMs);
        return sequencer.Tick();
    }
    bool Connect(const SimProcess& sim) {
        return OpenComPort(port, sim.Link().toStdString()).Opened;
    }
    void Program(const ParameterImage& parameters) {
        image = parameters;
        sequencer.StartProgramming();
        RunUntilIdle();
    }
    void RunUntilIdle() {
        for (int i = 0; i < PassTickLimit; ++i) {
            Tick();
            if (sequencer.State().Mode == TransferMode::Idle)
                return;
        }
    }
    bool EndedOk() const {
        const auto& d = sequencer.Display();
        return d.Suffix == ": OK" && d.Colour == StatusColour::Normal;
    }
    bool EndedWithFailure() const {
        const auto& d = sequencer.Display();
        const bool failure = d.Message == MessageId::MsgProgramError ||
                             d.Message == MessageId::MsgVerifyError ||
                             d.Message == MessageId::MsgReadError;
        return failure && d.Colour == StatusColour::Red;
    }
};

// The image the simulator holds after loading path: its own identity in block 0.
ParameterImage UnitImageFrom(const ParameterImage& loaded, int formatVersion = ImageFormatVersion) {
    ParameterImage unit = loaded;
    sim::WriteIdentityBlock(unit, formatVersion);
    return unit;
}

// A parameter set unlike the defaults, already normalized.
ParameterImage UnitParameters(int variant) {
    ParameterImage image;
    SetDefaultParameters(image);
    for (int r = 0; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k)
            image.ServoTable(variant % 2, r, k) = static_cast<Byte>(60 + 7 * r + k + variant);
    image.PulsesMode() = 2;
    image.Tps0() = static_cast<Byte>(40 + variant);
    NormalizeRpmPoints(image);
    return image;
}

} // namespace

class TestLinkPty : public QObject {
    Q_OBJECT

private slots:
    void liveValuesAndCleanExit();
    void readThenVerify();
    void programThenVerify();
    void faultyLineNeverFalseSuccess();
    void lateUnit_data();
    void lateUnit();
    void silentUnitFailsAfterFiveSends();
    void missingDeviceGivesComOpenError();
};

void TestLinkPty::liveValuesAndCleanExit() {
    QTemporaryDir dir;
    SimProcess sim(dir, {"--rpm", "3000", "--throttle", "40"});
    const QString pty = sim.WaitForPty();
    QVERIFY(pty.startsWith("/dev/"));
    QCOMPARE(QFileInfo(sim.Link()).symLinkTarget(), pty);
    Tool tool;
    QVERIFY(tool.Connect(sim));
    bool live = false;
    for (int i = 0; i < 30 && !live; ++i)
        live = tool.Tick().Monitor.has_value();
    QVERIFY(live);
    QCOMPARE(tool.sequencer.Live().MonitorRpm, std::uint16_t(3000));
    QCOMPARE(int(tool.sequencer.Live().MonitorTpPercent), 40);
    QVERIFY(!tool.sequencer.Display().NoConnection);
    QVERIFY(!tool.sequencer.Display().VersionDiffers);
    CloseComPort(tool.port);
    QVERIFY(sim.Stop(SIGINT));
    QVERIFY(!QFileInfo::exists(sim.Link()) && !QFileInfo(sim.Link()).isSymLink());
}

void TestLinkPty::readThenVerify() {
    QTemporaryDir dir;
    const ParameterImage parameters = UnitParameters(1);
    SimProcess sim(dir, {"--load", WriteImage(dir, parameters)});
    QVERIFY(!sim.WaitForPty().isEmpty());
    Tool tool;
    QVERIFY(tool.Connect(sim));
    tool.sequencer.StartRead();
    tool.RunUntilIdle();
    QVERIFY(tool.EndedOk());
    QCOMPARE(tool.sequencer.Display().Message, MessageId::MsgVerifying);
    QVERIFY(tool.image == UnitImageFrom(parameters));
    QVERIFY(sim.Stop());
    QVERIFY(sim.SavedImage() == tool.image);
}

void TestLinkPty::programThenVerify() {
    QTemporaryDir dir;
    SimProcess sim(dir, {});
    QVERIFY(!sim.WaitForPty().isEmpty());
    Tool tool;
    QVERIFY(tool.Connect(sim));
    tool.Program(UnitParameters(2));
    QVERIFY(tool.EndedOk());
    QCOMPARE(tool.sequencer.Display().Message, MessageId::MsgProgramming);
    // After a while the unit reports its saving countdown.
    bool saving = false;
    for (int i = 0; i < 20 && !saving; ++i) {
        tool.Tick();
        saving = tool.sequencer.Display().Message == MessageId::MsgSaving;
    }
    QVERIFY(saving);
    QVERIFY(sim.Stop());
    QVERIFY(sim.SavedImage() == tool.image);
    QCOMPARE(DecodeIdentityBlock(tool.image).VersionText, std::string("SIM01"));
}

// Twenty seeds of line faults, each with its own simulator and tool. They run side by side, ticked
// in turn within the same test tick, so a reply one tool waits for does not hold up the others.
void TestLinkPty::faultyLineNeverFalseSuccess() {
    constexpr int Seeds = 20;
    struct Line {
        int seed;
        QTemporaryDir dir;
        ParameterImage parameters = UnitParameters(seed);
        std::unique_ptr<SimProcess> sim;
        Tool tool;
        explicit Line(int s) : seed(s) {}
    };
    std::vector<std::unique_ptr<Line>> lines;
    for (int seed = 1; seed <= Seeds; ++seed) {
        auto line = std::make_unique<Line>(seed);
        line->sim = std::make_unique<SimProcess>(
            line->dir, QStringList{"--load", WriteImage(line->dir, line->parameters), "--drop",
                                   "0.2", "--corrupt", "0.05", "--seed", QString::number(seed)});
        lines.push_back(std::move(line));
    }
    for (auto& line : lines) {
        QVERIFY(!line->sim->WaitForPty().isEmpty());
        QVERIFY(line->tool.Connect(*line->sim));
    }
    // Ticks every tool until all are idle, one test tick for all of them at a time.
    const auto runAllUntilIdle = [&lines] {
        for (int i = 0; i < PassTickLimit; ++i) {
            QTest::qWait(TestTickMs);
            bool allIdle = true;
            for (auto& line : lines) {
                if (line->tool.sequencer.State().Mode == TransferMode::Idle)
                    continue;
                line->tool.sequencer.Tick();
                allIdle = allIdle && line->tool.sequencer.State().Mode == TransferMode::Idle;
            }
            if (allIdle)
                return;
        }
    };

    int passesOk = 0;
    int passesFailed = 0;
    for (auto& line : lines)
        line->tool.sequencer.StartRead();
    runAllUntilIdle();
    for (auto& line : lines) {
        const Tool& tool = line->tool;
        const QByteArray seed = QByteArray::number(line->seed);
        QVERIFY2(tool.EndedOk() != tool.EndedWithFailure(), seed);
        if (tool.EndedOk())
            QVERIFY2(tool.image == UnitImageFrom(line->parameters), seed);
        (tool.EndedOk() ? passesOk : passesFailed)++;
    }

    for (auto& line : lines) {
        line->tool.image = UnitParameters(line->seed + 100);
        line->tool.sequencer.StartProgramming();
    }
    runAllUntilIdle();
    for (auto& line : lines) {
        Tool& tool = line->tool;
        const QByteArray seed = QByteArray::number(line->seed);
        QVERIFY2(tool.EndedOk() != tool.EndedWithFailure(), seed);
        const bool programmed = tool.EndedOk();
        (programmed ? passesOk : passesFailed)++;
        CloseComPort(tool.port);
        QVERIFY(line->sim->Stop());
        if (programmed)
            QVERIFY2(line->sim->SavedImage() == tool.image, seed);
    }
    qInfo("faulty line: %d passes ended OK, %d with the failure message", passesOk, passesFailed);
    QCOMPARE(passesOk + passesFailed, 2 * Seeds);
}

void TestLinkPty::lateUnit_data() {
    QTest::addColumn<QString>("lateMs");
    QTest::newRow("within the time-out") << "30";
    QTest::newRow("after the resend") << "100";
}

// Late replies: within the time-out they are simply taken; after it, the first answer is taken
// and the answer to the resend, arriving during the next block, is ignored.
void TestLinkPty::lateUnit() {
    QFETCH(QString, lateMs);
    QTemporaryDir dir;
    SimProcess sim(dir, {"--late", lateMs});
    QVERIFY(!sim.WaitForPty().isEmpty());
    Tool tool;
    QVERIFY(tool.Connect(sim));
    tool.Program(UnitParameters(3));
    QVERIFY(tool.EndedOk());
    CloseComPort(tool.port);
    QVERIFY(sim.Stop());
    QVERIFY(sim.SavedImage() == tool.image);
}

void TestLinkPty::silentUnitFailsAfterFiveSends() {
    QTemporaryDir dir;
    SimProcess sim(dir, {"--silent"});
    QVERIFY(!sim.WaitForPty().isEmpty());
    Tool tool;
    QVERIFY(tool.Connect(sim));
    tool.sequencer.StartProgramming();
    tool.RunUntilIdle();
    QCOMPARE(tool.port.BlockCommands, std::vector<int>(5, 0x00));
    QCOMPARE(tool.sequencer.Display().Message, MessageId::MsgProgramError);
    QVERIFY(tool.EndedWithFailure());
    QVERIFY(sim.Stop());
}

void TestLinkPty::missingDeviceGivesComOpenError() {
    QTemporaryDir dir;
    QtSerialPort port;
    const auto result = OpenComPort(port, dir.filePath("no-such-tty").toStdString());
    QVERIFY(!result.Opened);
    QCOMPARE(result.Message, MessageId::MsgComOpenError);
    QVERIFY(result.Device.find("no-such-tty") != std::string::npos);
    QCOMPARE(result.Error, PortOpenError::NotFound);
    QVERIFY(!port.IsOpen());
    QVERIFY(!port.BytesWaiting());
}

QTEST_GUILESS_MAIN(TestLinkPty)
#include "tst_link_pty.moc"
