// Tests of frames, monitor decoding, port naming and the transfer sequencer on a scripted port.
#include "ComPort.h"
#include "FakeSerialPort.h"
#include "Frame.h"
#include "Monitor.h"
#include "SimUnit.h"
#include "TransferSequencer.h"

#include <QTest>

using namespace dorv;
using dorv::testing::FakeSerialPort;

Q_DECLARE_METATYPE(dorv::TransferMode)
Q_DECLARE_METATYPE(dorv::StatusColour)
Q_DECLARE_METATYPE(dorv::MessageId)

namespace {

// The tool's sequencer and a simulated unit on a scripted port. The unit's reply to a frame
// is queued at once and so taken in by the next tick.
struct Rig {
    FakeSerialPort port;
    ParameterImage image;
    TransferSequencer sequencer{port, image};
    sim::SimUnit unit{ImageFormatVersion, {.Rpm = 3000, .ThrottlePercent = 40}};
    bool unitAnswers = true;
    int tick = 0;

    Rig() {
        SetDefaultParameters(image);
        port.OnWrite = [this](std::span<const Byte> frame) {
            if (!unitAnswers)
                return;
            if (auto reply = unit.Answer(frame))
                port.Queue(*reply);
        };
    }

    TransferEvents Tick() {
        port.CurrentTick = ++tick;
        return sequencer.Tick();
    }
    // Ticks until the sequencer is idle again; returns the tick count spent.
    int RunUntilIdle(int limit = 400) {
        const int start = tick;
        do
            Tick();
        while (sequencer.State().Mode != TransferMode::Idle && tick - start < limit);
        return tick - start;
    }
    // Command bytes of the block frames sent (polls left out).
    std::vector<int> BlockCommands() const {
        std::vector<int> commands;
        for (const auto& f : port.Sent)
            if (f.Bytes[0] != PollCommand)
                commands.push_back(f.Bytes[0]);
        return commands;
    }
    std::vector<int> BlockTicks() const {
        std::vector<int> ticks;
        for (const auto& f : port.Sent)
            if (f.Bytes[0] != PollCommand)
                ticks.push_back(f.Tick);
        return ticks;
    }
};

std::vector<int> Commands(int first, int last) {
    std::vector<int> c;
    for (int i = first; i <= last; ++i)
        c.push_back(i);
    return c;
}

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Frame MonitorFrame(MonitorReport r) {
    if (r.Version == 0)
        r.Version = ImageFormatVersion;
    return EncodeMonitorFrame(r);
}

} // namespace

class TestLink : public QObject {
    Q_OBJECT

private slots:
    // Frames
    void pollFrameIsFixed();
    void blockFrameCarriesImageBlock();
    void receiveFrameTakesAtMostOneFrame();

    // Monitor
    void monitorDecoding_data();
    void monitorDecoding();
    void monitorFieldsAndBadFrames();

    // Port naming and opening
    void comPortNameAndDevice();
    void failedOpenGivesComOpenError();

    // Sequencer
    void programPassThenVerify();
    void readPassThenVerify();
    void verifyAloneSendsSevenFrames();
    void silentUnitFailsAfterFiveSends_data();
    void silentUnitFailsAfterFiveSends();
    void lateReplyToPreviousBlockIgnored();
    void mismatchingEchoResentThenFails();
    void formatVersionMismatchStopsPass_data();
    void formatVersionMismatchStopsPass();
    void startCommandRestartsPass();
    void savingCountdownGauge_data();
    void savingCountdownGauge();
    void noConnectionLabel();
    void pausedSequencerSendsNothing();
    void failedReadKeepsEditedParameters();
    void failedVerifyAfterProgramNeverShowsProgramOk();
    void monitorFrameDuringTransferIsLiveValues();
    void cablePulledEndsPass_data();
    void cablePulledEndsPass();
    void editDuringVerifyIsNoSuccess_data();
    void editDuringVerifyIsNoSuccess();
    void passOutcomes_data();
    void passOutcomes();
    void readHandsOverTheImageItReplaced();
    void unitCopyLeavesTheEditorAlone();
};

void TestLink::pollFrameIsFixed() {
    Frame expected{};
    expected[0] = 0x30;
    expected[51] = 0xCF;
    QCOMPARE(MakeFrame(PollCommand), expected);
    FakeSerialPort port;
    Frame tx{};
    SendPollFrame(port, tx);
    QCOMPARE(port.Sent.size(), std::size_t(1));
    QVERIFY(std::ranges::equal(port.Sent[0].Bytes, expected));
}

void TestLink::blockFrameCarriesImageBlock() {
    ParameterImage image;
    for (int i = 0; i < ImageSize; ++i)
        image.bytes()[i] = static_cast<Byte>(i * 7);
    FakeSerialPort port;
    Frame tx{};
    SendBlockFrame(port, tx, 0x03, image.Block(3));
    QCOMPARE(tx[0], Byte(0x03));
    for (int i = 1; i <= 50; ++i)
        QCOMPARE(tx[i], image.bytes()[150 + i - 1]);
    QVERIFY(IsFrameValid(tx));
    QCOMPARE(ReplyByteFor(0x03), Byte(0x83));
    // Any single damaged byte, the check byte included, fails the check.
    for (int i = 0; i < FrameSize; ++i) {
        Frame damaged = tx;
        damaged[i] ^= 0x01;
        QVERIFY(!IsFrameValid(damaged));
    }
}

void TestLink::receiveFrameTakesAtMostOneFrame() {
    FakeSerialPort port;
    std::vector<Byte> rx;
    const Frame first = MakeFrame(0x83);
    const Frame second = MakeFrame(0xB0);
    port.Queue(std::span<const Byte>(first).first(51));
    QVERIFY(ReceiveFrame(port, rx).empty());
    QCOMPARE(port.Incoming.size(), std::size_t(51)); // left queued
    port.Queue(std::span<const Byte>(first).last(1));
    port.Queue(second);
    const auto got = ReceiveFrame(port, rx);
    QVERIFY(std::ranges::equal(got, first));
    QVERIFY(port.Incoming.empty()); // the second frame was read and dropped

    port.Queue(first);
    port.QueryFails = true;
    QVERIFY(ReceiveFrame(port, rx).empty());
    port.QueryFails = false;
    port.Incoming.clear();
    port.Incoming.resize(RxBufferSize + 100, 0x55);
    QCOMPARE(ReceiveFrame(port, rx).size(), std::size_t(FrameSize));
    QCOMPARE(port.Incoming.size(), std::size_t(100)); // at most 15000 bytes per read
}

void TestLink::monitorDecoding_data() {
    QTest::addColumn<int>("rpm");
    QTest::addColumn<int>("tpsSteps");
    QTest::addColumn<int>("tpPercent");
    QTest::addColumn<int>("supplySteps");
    QTest::addColumn<QString>("rpmText");
    QTest::addColumn<int>("rpmGauge");
    QTest::addColumn<QString>("tpsText");
    QTest::addColumn<StatusColour>("tpsColour");
    QTest::addColumn<int>("tpsGauge");
    QTest::addColumn<QString>("supplyText");
    QTest::addColumn<StatusColour>("supplyColour");

    const auto bf = StatusColour::Normal;
    QTest::newRow("10000 RPM, throttle full, 15.0 V")
        << 10000 << 1023 << 100 << 279 << "RPM = 10000 " << 100 << "TP= 100 %=5000 mV" << bf << 100
        << "U= 15.0 V" << bf;
    QTest::newRow("12000 RPM keeps the gauge full, throttle error, 11.0 V yellow")
        << 12000 << 1023 << 101 << 204 << "RPM = 12000 " << 100 << "TP=error=5000 mV"
        << StatusColour::Red << 0 << "U= 11.0 V" << StatusColour::Yellow;
    QTest::newRow("idle, 37 %, normal supply")
        << 850 << 379 << 37 << 250 << "RPM = 850 " << 8 << "TP= 37 %=1852 mV" << bf << 37
        << "U= 13.4 V" << bf;
    QTest::newRow("supply at 18 V is red")
        << 0 << 0 << 0 << 335 << "RPM = 0 " << 0 << "TP= 0 %=0 mV" << bf << 0 << "U= 18.0 V"
        << StatusColour::Red;
    QTest::newRow("supply at 7 V is red") << 0 << 0 << 0 << 130 << "RPM = 0 " << 0 << "TP= 0 %=0 mV"
                                          << bf << 0 << "U=  7.0 V" << StatusColour::Red;
}

void TestLink::monitorDecoding() {
    QFETCH(int, rpm);
    QFETCH(int, tpsSteps);
    QFETCH(int, tpPercent);
    QFETCH(int, supplySteps);
    MonitorReport r;
    r.Rpm = static_cast<std::uint16_t>(rpm);
    r.TpsSteps = static_cast<std::uint16_t>(tpsSteps);
    r.TpPercent = static_cast<Byte>(tpPercent);
    r.SupplySteps = static_cast<std::uint16_t>(supplySteps);
    const auto v = DecodeMonitorFrame(MonitorFrame(r));
    QVERIFY(v);
    QTEST(QString::fromStdString(v->EngineSpeed.Text), "rpmText");
    QTEST(v->RpmScale, "rpmGauge");
    QCOMPARE(int(v->MonitorRpm), rpm);
    QCOMPARE(int(v->MonitorTpPercent), tpPercent);
    QCOMPARE(int(v->MonitorTpMv), tpsSteps * 5000 / 1023);
    QTEST(QString::fromStdString(v->Throttle.Text), "tpsText");
    QTEST(v->Throttle.Colour, "tpsColour");
    QTEST(v->ThrottleScale, "tpsGauge");
    QTEST(QString::fromStdString(v->SupplyVoltage.Text), "supplyText");
    QTEST(v->SupplyVoltage.Colour, "supplyColour");
}

void TestLink::monitorFieldsAndBadFrames() {
    MonitorReport r;
    r.ServoMeasuredMv = {2480, 3000};
    r.ServoRequiredMv = {2500, 3020};
    r.ServoFlag = {0, 1};
    r.ProgramCount = 17;
    r.TestValues = {1, 2, 3, 4, 5, 6, 7, 65535};
    r.SaveCountdown = 400;
    r.DataError = 1;
    r.Version = 55;
    Frame frame = EncodeMonitorFrame(r);
    const auto v = DecodeMonitorFrame(frame);
    QVERIFY(v);
    QCOMPARE(v->Report, r);
    QCOMPARE(v->Servo1Required,
             (ShownValue{MessageId::MsgServoDesired, " 1 = 2500 mV", StatusColour::Red}));
    QCOMPARE(v->Servo1Measured,
             (ShownValue{MessageId::MsgServoMeasured, " 1 = 2480 mV", StatusColour::Red}));
    QCOMPARE(v->Servo2Required,
             (ShownValue{MessageId::MsgServoDesired, " 2 = 3020 mV", StatusColour::Normal}));
    QCOMPARE(v->Servo2Measured,
             (ShownValue{MessageId::MsgServoMeasured, " 2 = 3000 mV", StatusColour::Normal}));
    QCOMPARE(v->ProgrammingCount.Text, std::string(" 17"));
    QVERIFY(v->VersionDiffers);
    QCOMPARE(v->VersionWarning.Message, MessageId::MsgVersionMismatch);
    QCOMPARE(v->VersionWarning.Text, std::string("  PC-56, IGN-55"));
    QVERIFY(v->StoredDataError);
    QCOMPARE(v->SaveCountdown, std::uint16_t(400));
    QCOMPARE(v->TestTexts[2].Text, std::string("Test3= 3 "));
    QCOMPARE(v->TestTexts[3].Text, std::string("Test4=4"));
    QCOMPARE(v->TestTexts[7].Text, std::string("Test8= 65535"));

    frame[20] ^= 0x10;
    QVERIFY(!DecodeMonitorFrame(frame));
    QVERIFY(!DecodeMonitorFrame(std::span<const Byte>(frame).first(51)));
}

void TestLink::comPortNameAndDevice() {
    QCOMPARE(ComPortName(0), std::string("COM1"));
    QCOMPARE(ComPortName(19), std::string("COM20"));
    QCOMPARE(ComPortName(20), std::string("COM21"));
    QCOMPARE(ComDevicePath(0, std::nullopt), std::string("/dev/ttyS0"));
    QCOMPARE(ComDevicePath(20, std::string("  ")), std::string("/dev/ttyS20"));
    QCOMPARE(ComDevicePath(2, std::string(" /dev/ttyUSB0 ")), std::string("/dev/ttyUSB0"));
    QCOMPARE(PortIndexAfterChoice(5, 19), 19);
    QCOMPARE(PortIndexAfterChoice(5, -1), 5);
    QCOMPARE(PortIndexAfterChoice(20, 20), 20);
}

void TestLink::failedOpenGivesComOpenError() {
    FakeSerialPort port;
    CloseComPort(port); // never opened: nothing happens
    QCOMPARE(port.CloseCount, 0);
    port.OpenResult = PortOpenError::PermissionDenied;
    const ComOpenResult failed = OpenComPort(port, "/dev/ttyUSB0");
    QVERIFY(!failed.Opened);
    QCOMPARE(failed.Message, MessageId::MsgComOpenError);
    QCOMPARE(failed.Device, std::string("/dev/ttyUSB0"));
    QCOMPARE(failed.Error, PortOpenError::PermissionDenied);

    // With no port every tick finds nothing and decodes nothing.
    ParameterImage image;
    TransferSequencer seq(port, image);
    port.Queue(MonitorFrame({}));
    port.QueryFails = true;
    QVERIFY(!seq.Tick().Monitor);

    port.OpenResult = PortOpenError::None;
    QVERIFY(OpenComPort(port, "/dev/ttyS1").Opened);
    CloseComPort(port);
    QCOMPARE(port.CloseCount, 1);
}

void TestLink::programPassThenVerify() {
    Rig rig;
    rig.image.ServoTable(0, 3, 4) = 77; // the tool's image differs from the unit's
    rig.image.Tps0() = 60;
    rig.sequencer.StartProgramming();
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgProgramming);
    QVERIFY(rig.sequencer.Display().ProgressVisible);
    int fillEditors = 0;
    bool identity = false;
    while (rig.sequencer.State().Mode != TransferMode::Idle && rig.tick < 40) {
        const auto e = rig.Tick();
        fillEditors += e.ImageChanged;
        identity |= e.Identity.has_value();
        if (rig.sequencer.State().Mode == TransferMode::Verify)
            QVERIFY(rig.sequencer.Display().Message == MessageId::MsgVerifying);
    }
    QVERIFY2(rig.tick <= 20, qPrintable(QString("took %1 ticks").arg(rig.tick)));
    QCOMPARE(rig.BlockCommands(), Concat(Commands(0x00, 0x07), Commands(0x41, 0x47)));
    // One block per tick once the first frame has left.
    const auto ticks = rig.BlockTicks();
    for (std::size_t i = 1; i < ticks.size(); ++i)
        QCOMPARE(ticks[i], ticks[i - 1] + 1);
    QCOMPARE(fillEditors, 1); // after block 0
    QVERIFY(identity);
    QVERIFY(rig.unit.Image() == rig.image);
    // The tick that ends the Verify pass goes on as an idle tick, which shows the programming
    // success with a full gauge.
    QCOMPARE(rig.sequencer.Display().ProgressPosition, 7);
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgProgramming);
    QCOMPARE(rig.sequencer.Display().Suffix, std::string(": OK"));
    QCOMPARE(rig.sequencer.Display().Colour, StatusColour::Normal);
    QVERIFY(rig.sequencer.State().ProgrammedOk);
}

void TestLink::readPassThenVerify() {
    Rig rig;
    rig.unit.Image().ServoTable(1, 9, 14) = 201;
    rig.unit.Image().PulsesMode() = 2;
    const TransferEvents started = rig.sequencer.StartRead();
    QVERIFY(started.ImageFromUnit);
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgReading);
    std::optional<IdentityTexts> identity;
    int fillEditors = 0;
    for (int i = 0; i < 40 && (rig.tick == 0 || rig.sequencer.State().Mode != TransferMode::Idle);
         ++i) {
        auto e = rig.Tick();
        fillEditors += e.ImageChanged;
        if (e.Identity)
            identity = e.Identity;
    }
    QVERIFY(rig.tick <= 20);
    QCOMPARE(rig.BlockCommands(), Concat(Commands(0x40, 0x47), Commands(0x41, 0x47)));
    // Read frames carry zeros; verify frames the tool's image block.
    const auto& sent = rig.port.Sent;
    int reads = 0;
    for (const auto& f : sent) {
        if (f.Bytes[0] == PollCommand)
            continue;
        const bool readPass = reads++ < 8;
        const int k = f.Bytes[0] & 0x3F;
        for (int i = 1; i <= 50; ++i)
            QCOMPARE(f.Bytes[i], readPass ? Byte(0) : rig.image.Block(k)[i - 1]);
    }
    QCOMPARE(fillEditors, 1);
    QVERIFY(identity);
    QCOMPARE(identity->VersionText, std::string("SIM01"));
    QCOMPARE(identity->DateText, std::string("10.12.2026"));
    QVERIFY(rig.image == rig.unit.Image());
    QCOMPARE(rig.sequencer.Display().Suffix, std::string(": OK"));
    QVERIFY(!rig.sequencer.State().ProgrammedOk);
}

void TestLink::verifyAloneSendsSevenFrames() {
    Rig rig;
    rig.image = rig.unit.Image();
    rig.sequencer.StartVerify();
    rig.RunUntilIdle();
    for (int i = 0; i < 30; ++i)
        rig.Tick();
    QCOMPARE(rig.BlockCommands(), Commands(0x41, 0x47));
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgVerifying);
    QCOMPARE(rig.sequencer.Display().Suffix, std::string(": OK"));
}

// While a log is replayed the sequencer sends nothing: no polls and no pass starts; frames still
// arriving are taken in. Unpaused, polling goes on.
void TestLink::pausedSequencerSendsNothing() {
    Rig rig;
    for (int i = 0; i < PollTicks; ++i)
        rig.Tick();
    QCOMPARE(rig.port.Sent.size(), std::size_t(1));
    rig.sequencer.SetPaused(true);
    rig.sequencer.StartProgramming();
    rig.sequencer.StartVerify();
    const TransferEvents read = rig.sequencer.StartRead();
    QVERIFY(!read.ImageFromUnit);
    QCOMPARE(rig.sequencer.State().Mode, TransferMode::Idle);
    QCOMPARE(rig.sequencer.Display().Message, MessageId::None);
    bool monitorTaken = false;
    for (int i = 0; i < 10 * PollTicks; ++i)
        monitorTaken |= rig.Tick().Monitor.has_value(); // the answer to the poll before the pause
    QVERIFY(monitorTaken);
    QCOMPARE(rig.port.Sent.size(), std::size_t(1));
    rig.sequencer.SetPaused(false);
    for (int i = 0; i < PollTicks; ++i)
        rig.Tick();
    QCOMPARE(rig.port.Sent.size(), std::size_t(2));
    QCOMPARE(rig.port.Sent.back().Bytes[0], PollCommand);
}

void TestLink::silentUnitFailsAfterFiveSends_data() {
    QTest::addColumn<TransferMode>("mode");
    QTest::addColumn<int>("firstCommand");
    QTest::addColumn<int>("failure");
    QTest::newRow("program") << TransferMode::Program << 0x00 << int(MessageId::MsgProgramError);
    QTest::newRow("verify") << TransferMode::Verify << 0x41 << int(MessageId::MsgVerifyError);
    QTest::newRow("read") << TransferMode::Read << 0x40 << int(MessageId::MsgReadError);
}

void TestLink::silentUnitFailsAfterFiveSends() {
    QFETCH(TransferMode, mode);
    QFETCH(int, firstCommand);
    QFETCH(int, failure);
    Rig rig;
    rig.unitAnswers = false;
    if (mode == TransferMode::Program)
        rig.sequencer.StartProgramming();
    else if (mode == TransferMode::Verify)
        rig.sequencer.StartVerify();
    else
        rig.sequencer.StartRead();
    const int ticks = rig.RunUntilIdle();
    QCOMPARE(rig.BlockCommands(), std::vector<int>(5, firstCommand));
    const auto sentAt = rig.BlockTicks();
    for (std::size_t i = 1; i < sentAt.size(); ++i)
        QCOMPARE(sentAt[i] - sentAt[i - 1], 4);
    QCOMPARE(ticks, sentAt.back() + 4); // the fifth time-out ends it
    const TransferDisplay& d = rig.sequencer.Display();
    QCOMPARE(int(d.Message), failure);
    QCOMPARE(d.Colour, StatusColour::Red);
    QCOMPARE(rig.sequencer.State().Mode, TransferMode::Idle);
    int visibleTicks = 1;
    while (rig.sequencer.Display().MessageVisible && visibleTicks < 300) {
        rig.Tick();
        visibleTicks += rig.sequencer.Display().MessageVisible;
    }
    QCOMPARE(visibleTicks, 200);
    QVERIFY(!rig.sequencer.Display().ProgressVisible);
    QVERIFY(rig.sequencer.Display().NoConnection);
}

void TestLink::lateReplyToPreviousBlockIgnored() {
    Rig rig;
    rig.image = rig.unit.Image();
    rig.unitAnswers = false;
    rig.sequencer.StartVerify();
    while (rig.BlockCommands().empty())
        rig.Tick();
    rig.port.Queue(*rig.unit.Answer(MakeFrame(0x41, rig.image.Block(1))));
    rig.Tick(); // takes in the reply to 0x41 and sends 0x42
    QCOMPARE(rig.sequencer.State().BlockCommand, Byte(0x42));
    const auto before = rig.sequencer.State();
    const auto display = rig.sequencer.Display();
    rig.port.Queue(*rig.unit.Answer(MakeFrame(0x41, rig.image.Block(1)))); // late duplicate
    rig.Tick();
    QCOMPARE(rig.sequencer.State().BlockCommand, Byte(0x42));
    QCOMPARE(rig.sequencer.State().SendCount, before.SendCount);
    QCOMPARE(rig.sequencer.State().TickCount, before.TickCount + 1);
    QCOMPARE(rig.sequencer.Display().ProgressPosition, display.ProgressPosition);
    QCOMPARE(rig.BlockCommands(), (std::vector<int>{0x41, 0x42}));
}

void TestLink::mismatchingEchoResentThenFails() {
    Rig rig;
    rig.image = rig.unit.Image();
    // A unit that echoes block 3 with one byte changed.
    rig.port.OnWrite = [&rig](std::span<const Byte> frame) {
        auto reply = rig.unit.Answer(frame);
        if (reply && frame[0] == 0x03)
            (*reply)[10] ^= 0x01, (*reply)[51] ^= 0x01;
        if (reply)
            rig.port.Queue(*reply);
    };
    rig.sequencer.StartProgramming();
    rig.RunUntilIdle();
    QCOMPARE(rig.BlockCommands(), Concat(Commands(0x00, 0x02), std::vector<int>(5, 0x03)));
    // Resent on the time-out, not on the reply: the first send came from the reply handler
    // early in its tick, so its time-out comes three ticks later; the resends are 4 apart.
    const auto at = rig.BlockTicks();
    QCOMPARE(at[4] - at[3], 3);
    for (int i = 5; i < 8; ++i)
        QCOMPARE(at[i] - at[i - 1], 4);
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgProgramError);
    QCOMPARE(rig.sequencer.Display().Colour, StatusColour::Red);
    QVERIFY(!rig.sequencer.State().ProgrammedOk);
}

void TestLink::formatVersionMismatchStopsPass_data() {
    QTest::addColumn<bool>("read");
    QTest::newRow("read") << true;
    QTest::newRow("program") << false;
}

void TestLink::formatVersionMismatchStopsPass() {
    QFETCH(bool, read);
    Rig rig;
    sim::WriteIdentityBlock(rig.unit.Image(), 55);
    const ParameterImage before = rig.image;
    if (read)
        rig.sequencer.StartRead();
    else
        rig.sequencer.StartProgramming();
    std::optional<VersionMismatch> mismatch;
    bool fill = false;
    for (int i = 0; i < 10 && !mismatch; ++i) {
        auto e = rig.Tick();
        mismatch = e.VersionMismatch;
        fill |= e.ImageChanged;
    }
    QVERIFY(mismatch);
    QCOMPARE(mismatch->UnitVersion, 55);
    QCOMPARE(mismatch->Suffix, std::string("  PC-56, IGN-55"));
    QVERIFY(fill);
    QCOMPARE(rig.sequencer.State().Mode, TransferMode::Idle);
    QVERIFY(!rig.sequencer.Display().MessageVisible);
    QVERIFY(!rig.sequencer.Display().ProgressVisible);
    rig.sequencer.VersionMismatchBoxClosed();
    for (int i = 0; i < 30; ++i)
        rig.Tick();
    QCOMPARE(rig.BlockCommands(), std::vector<int>{read ? 0x40 : 0x00});
    QCOMPARE(int(rig.image.FormatVersion()), 55); // the unit's block 0 stays
    for (int b = 1; b < BlockCount; ++b)
        QVERIFY(std::ranges::equal(rig.image.Block(b), before.Block(b)));
}

void TestLink::startCommandRestartsPass() {
    Rig rig;
    rig.sequencer.StartRead();
    while (rig.sequencer.State().BlockCommand != 0x43)
        rig.Tick();
    rig.sequencer.StartVerify();
    QCOMPARE(rig.sequencer.State().SendCount, 0);
    rig.Tick(); // the reply to 0x43 of the old pass: not the answer to 0x41
    QCOMPARE(rig.sequencer.State().BlockCommand, Byte(0x41));
    rig.RunUntilIdle();
    // The Read was cut short, so its blocks never reached the image: Verify finds a difference.
    auto commands = rig.BlockCommands();
    QCOMPARE(std::vector<int>(commands.begin(), commands.begin() + 5),
             (std::vector<int>{0x40, 0x41, 0x42, 0x43, 0x41}));
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgVerifyError);

    rig.image = rig.unit.Image();
    rig.port.Sent.clear();
    rig.sequencer.StartProgramming();
    while (rig.sequencer.State().BlockCommand != 0x02)
        rig.Tick();
    rig.sequencer.StartVerify();
    rig.RunUntilIdle();
    QCOMPARE(rig.BlockCommands(), Concat(Commands(0x00, 0x02), Commands(0x41, 0x47)));
    QCOMPARE(rig.sequencer.Display().Suffix, std::string(": OK"));
}

void TestLink::savingCountdownGauge_data() {
    QTest::addColumn<int>("countdown");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("message");
    QTest::newRow("800") << 800 << 100 << 0 << int(MessageId::MsgSaving);
    QTest::newRow("400") << 400 << 100 << 50 << int(MessageId::MsgSaving);
    QTest::newRow("1") << 1 << 100 << 99 << int(MessageId::MsgSaving);
    QTest::newRow("above full scale") << 900 << 100 << 0 << int(MessageId::MsgSaving);
    QTest::newRow("0 after programming") << 0 << 7 << 7 << int(MessageId::MsgProgramming);
}

void TestLink::savingCountdownGauge() {
    QFETCH(int, countdown);
    Rig rig;
    rig.image = rig.unit.Image();
    rig.sequencer.StartProgramming();
    rig.RunUntilIdle();
    QVERIFY(rig.sequencer.State().ProgrammedOk);
    rig.unitAnswers = false;
    MonitorReport r;
    r.SaveCountdown = static_cast<std::uint16_t>(countdown);
    rig.port.Queue(MonitorFrame(r));
    rig.Tick();
    QTEST(rig.sequencer.Display().ProgressMaximum, "maximum");
    QTEST(rig.sequencer.Display().ProgressPosition, "position");
    QTEST(int(rig.sequencer.Display().Message), "message");
    QVERIFY(rig.sequencer.Display().MessageVisible);
}

void TestLink::noConnectionLabel() {
    Rig rig;
    rig.unitAnswers = false;
    rig.Tick();
    QVERIFY(rig.sequencer.Display().NoConnection);
    MonitorReport r;
    r.Version = 55;
    rig.port.Queue(MonitorFrame(r));
    rig.Tick();
    QVERIFY(!rig.sequencer.Display().NoConnection);
    QVERIFY(rig.sequencer.Display().VersionDiffers);
    int hidden = 1;
    while (!rig.sequencer.Display().NoConnection && hidden < 100) {
        rig.Tick();
        hidden += !rig.sequencer.Display().NoConnection;
    }
    QCOMPARE(hidden, 18);
    QVERIFY(!rig.sequencer.Display().VersionDiffers); // hidden with no connection
    // A unit that answers every poll keeps the label away.
    rig.unitAnswers = true;
    rig.Tick();
    for (int i = 0; i < 120; ++i) {
        rig.Tick();
        if (rig.tick > 130)
            QVERIFY(!rig.sequencer.Display().NoConnection);
    }
    QVERIFY(!rig.sequencer.Display().NoConnection);
}

void TestLink::failedReadKeepsEditedParameters() {
    Rig rig;
    rig.image.ServoTable(0, 0, 0) = 99;
    const ParameterImage edited = rig.image;
    rig.port.OnWrite = [&rig](std::span<const Byte> frame) {
        if (frame[0] < 0x45) // the unit goes quiet at block 5
            rig.port.Queue(*rig.unit.Answer(frame));
    };
    rig.sequencer.StartRead();
    rig.RunUntilIdle();
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgReadError);
    QVERIFY(std::ranges::equal(rig.image.Block(0), rig.unit.Image().Block(0)));
    for (int b = 1; b < BlockCount; ++b)
        QVERIFY(std::ranges::equal(rig.image.Block(b), edited.Block(b)));
}

void TestLink::failedVerifyAfterProgramNeverShowsProgramOk() {
    Rig rig;
    rig.image.Tps100() = 150;
    // A unit that echoes writes but reads block 6 back differently.
    rig.port.OnWrite = [&rig](std::span<const Byte> frame) {
        auto reply = rig.unit.Answer(frame);
        if (frame[0] == 0x46)
            (*reply)[5] ^= 0x20, (*reply)[51] ^= 0x20;
        rig.port.Queue(*reply);
    };
    rig.sequencer.StartProgramming();
    rig.RunUntilIdle();
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgVerifyError);
    for (int i = 0; i < 250; ++i) {
        rig.Tick();
        QVERIFY(!(rig.sequencer.Display().Message == MessageId::MsgProgramming &&
                  rig.sequencer.Display().Suffix == ": OK"));
    }
}

void TestLink::cablePulledEndsPass_data() {
    QTest::addColumn<int>("pass"); // 0 Program, 1 Verify, 2 Read
    QTest::addColumn<int>("afterTicks");
    QTest::addColumn<MessageId>("failure");
    QTest::newRow("program, first block") << 0 << 1 << MessageId::MsgProgramError;
    QTest::newRow("program, in its verify") << 0 << 15 << MessageId::MsgVerifyError;
    QTest::newRow("verify") << 1 << 3 << MessageId::MsgVerifyError;
    QTest::newRow("read") << 2 << 4 << MessageId::MsgReadError;
}

// A pulled cable ends the running pass at the next tick with its failure message; the frames
// that could not leave are counted, and no later tick shows OK.
void TestLink::cablePulledEndsPass() {
    QFETCH(int, pass);
    QFETCH(int, afterTicks);
    QFETCH(MessageId, failure);
    Rig rig;
    rig.port.Open("/dev/ttyUSB0");
    if (pass == 0)
        rig.sequencer.StartProgramming();
    else if (pass == 1)
        rig.sequencer.StartVerify();
    else
        rig.sequencer.StartRead();
    for (int i = 0; i < afterTicks; ++i)
        rig.Tick();
    const TransferMode running = rig.sequencer.State().Mode;
    QCOMPARE(running, failure == MessageId::MsgProgramError  ? TransferMode::Program
                      : failure == MessageId::MsgVerifyError ? TransferMode::Verify
                                                             : TransferMode::Read);
    rig.port.PullCable();
    rig.Tick();
    QCOMPARE(rig.sequencer.State().Mode, TransferMode::Idle);
    QCOMPARE(rig.sequencer.Display().Message, failure);
    QCOMPARE(rig.sequencer.Display().Colour, StatusColour::Red);
    for (int i = 0; i < 40; ++i) {
        rig.Tick();
        QVERIFY(rig.sequencer.Display().Suffix != ": OK");
    }
    QVERIFY(rig.sequencer.State().FailedWrites > 0); // the polls that found no port
    QVERIFY(rig.sequencer.Display().NoConnection);
}

void TestLink::monitorFrameDuringTransferIsLiveValues() {
    Rig rig;
    rig.unitAnswers = false;
    rig.sequencer.StartVerify();
    MonitorReport r;
    r.Rpm = 4321;
    rig.port.Queue(MonitorFrame(r));
    const auto e = rig.Tick();
    QVERIFY(e.Monitor);
    QCOMPARE(rig.sequencer.Live().MonitorRpm, std::uint16_t(4321));
    QCOMPARE(rig.sequencer.State().Mode, TransferMode::Verify);
    QCOMPARE(rig.sequencer.State().BlockCommand, Byte(0x41));
}

void TestLink::editDuringVerifyIsNoSuccess_data() {
    QTest::addColumn<bool>("program");
    QTest::newRow("verify") << false;
    QTest::newRow("program") << true;
}

// An edit of a block that the Verify pass has already compared: the unit no longer holds the
// tool's image, so the pass must not end in OK.
void TestLink::editDuringVerifyIsNoSuccess() {
    QFETCH(bool, program);
    Rig rig;
    rig.image = rig.unit.Image();
    if (program)
        rig.sequencer.StartProgramming();
    else
        rig.sequencer.StartVerify();
    while (!(rig.sequencer.State().Mode == TransferMode::Verify &&
             rig.sequencer.State().BlockCommand == 0x44))
        rig.Tick();
    rig.image.ServoTable(0, 0, 0) += 1; // block 2, already verified
    rig.RunUntilIdle();
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgVerifyError);
    QCOMPARE(rig.sequencer.Display().Colour, StatusColour::Red);
    QVERIFY(!rig.sequencer.State().ProgrammedOk);
    QCOMPARE(rig.BlockCommands().back(), 0x47);
}

Q_DECLARE_METATYPE(dorv::PassKind)

void TestLink::passOutcomes_data() {
    QTest::addColumn<PassKind>("pass");
    QTest::addColumn<bool>("unitDiffers");
    QTest::addColumn<bool>("unitAnswers");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("differed");
    QTest::newRow("read") << PassKind::Read << true << true << true << false;
    QTest::newRow("program") << PassKind::Program << true << true << true << false;
    QTest::newRow("verify, same") << PassKind::Verify << false << true << true << false;
    QTest::newRow("verify, unit differs") << PassKind::Verify << true << true << false << true;
    QTest::newRow("verify, silent unit") << PassKind::Verify << false << false << false << false;
    QTest::newRow("program, silent unit") << PassKind::Program << false << false << false << false;
    QTest::newRow("unit copy") << PassKind::UnitCopy << true << true << true << false;
    QTest::newRow("unit copy, silent") << PassKind::UnitCopy << true << false << false << false;
}

// Exactly one outcome per pass, on the tick it ends, saying which pass and how.
void TestLink::passOutcomes() {
    QFETCH(PassKind, pass);
    QFETCH(bool, unitDiffers);
    QFETCH(bool, unitAnswers);
    QFETCH(bool, ok);
    QFETCH(bool, differed);
    Rig rig;
    rig.image = rig.unit.Image();
    if (unitDiffers)
        rig.image.ServoTable(1, 5, 5) ^= 0x10;
    rig.unitAnswers = unitAnswers;
    switch (pass) {
    case PassKind::Read:
        rig.sequencer.StartRead();
        break;
    case PassKind::Program:
        rig.sequencer.StartProgramming();
        break;
    case PassKind::Verify:
        rig.sequencer.StartVerify();
        break;
    case PassKind::UnitCopy:
        rig.sequencer.StartUnitCopyRead();
        break;
    }
    std::vector<PassOutcome> outcomes;
    int endTick = 0;
    for (int i = 0; i < 200; ++i) {
        const auto e = rig.Tick();
        if (e.Outcome) {
            outcomes.push_back(*e.Outcome);
            endTick = rig.tick;
            QCOMPARE(rig.sequencer.State().Mode, TransferMode::Idle);
        }
    }
    QCOMPARE(outcomes.size(), std::size_t{1});
    QCOMPARE(outcomes[0], (PassOutcome{.Pass = pass, .Ok = ok, .UnitDiffered = differed}));
    QVERIFY(endTick > 0);
}

void TestLink::readHandsOverTheImageItReplaced() {
    Rig rig;
    rig.image.ServoTable(0, 2, 2) = 99; // an edit the Read replaces
    const ParameterImage edited = rig.image;
    rig.unit.Image().ServoTable(0, 2, 2) = 11;
    rig.sequencer.StartRead();
    std::vector<ParameterImage> before;
    for (int i = 0; i < 40; ++i)
        if (auto e = rig.Tick(); e.EditorBeforeRead)
            before.push_back(*e.EditorBeforeRead);
    QCOMPARE(before.size(), std::size_t{1});
    // Block 0 (the identity) is taken first; the parameters are those that were edited.
    QVERIFY(std::equal(before[0].bytes().begin() + BlockSize, before[0].bytes().end(),
                       edited.bytes().begin() + BlockSize));
    QVERIFY(rig.image == rig.unit.Image());
}

void TestLink::unitCopyLeavesTheEditorAlone() {
    Rig rig;
    rig.unit.Image().ServoTable(1, 9, 14) = 201;
    rig.unit.Image().Tps0() = 61;
    const ParameterImage editor = rig.image;
    rig.sequencer.StartUnitCopyRead();
    QVERIFY(rig.sequencer.UnitCopyRunning());
    std::optional<ParameterImage> copy;
    int fillEditors = 0;
    for (int i = 0; i < 40; ++i) {
        auto e = rig.Tick();
        fillEditors += e.ImageChanged;
        QVERIFY(!e.EditorBeforeRead);
        if (e.UnitCopy)
            copy = e.UnitCopy;
    }
    QVERIFY(copy.has_value());
    QVERIFY(!rig.sequencer.UnitCopyRunning());
    QVERIFY(*copy == rig.unit.Image());
    QVERIFY(rig.image == editor);
    QCOMPARE(fillEditors, 0);
    QCOMPARE(rig.BlockCommands(), Commands(0x40, 0x47)); // no verify pass follows
    QCOMPARE(rig.sequencer.Display().Message, MessageId::MsgReading);
    QCOMPARE(rig.sequencer.Display().Suffix, std::string(": OK"));
    rig.sequencer.SetPaused(true);
    rig.sequencer.StartUnitCopyRead();
    QCOMPARE(rig.sequencer.State().Mode, TransferMode::Idle);
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
