// Tests of the simulated unit's answers, engine model, saving countdown and image files.
#include "ImageFile.h"
#include "SimUnit.h"

#include <QTemporaryDir>
#include <QTest>

using namespace dorv;

class TestLinkSim : public QObject {
    Q_OBJECT

private slots:
    void identityBlockDecodes();
    void answersWritesReadsAndPolls();
    void refusesUnknownAndDamagedFrames();
    void servoFollowsTableWithLag();
    void imageFiles();
};

void TestLinkSim::identityBlockDecodes() {
    sim::SimUnit unit(55);
    const IdentityTexts texts = DecodeIdentityBlock(unit.Image());
    QCOMPARE(texts.VersionText, std::string("SIM01"));
    QCOMPARE(texts.DateText, std::string("10.12.2026"));
    QCOMPARE(texts.TimeText, std::string("12:00"));
    QCOMPARE(int(unit.Image().FormatVersion()), 55);
    QCOMPARE(int(unit.Report().Version), 55);
}

void TestLinkSim::answersWritesReadsAndPolls() {
    sim::SimUnit unit;
    const ParameterImage original = unit.Image();
    std::array<Byte, 50> data{};
    data.fill(0xA5);
    // A write of block 0 is answered with the unit's own block 0, which stays.
    auto reply = unit.Answer(MakeFrame(0x00, data));
    QVERIFY(reply && IsFrameValid(*reply));
    QCOMPARE((*reply)[0], Byte(0x80));
    QVERIFY(std::ranges::equal(FrameData(*reply), original.Block(0)));
    // Blocks 1..7 are stored and echoed; block 7 ends the pass and starts the saving.
    for (Byte k = 1; k <= 7; ++k) {
        reply = unit.Answer(MakeFrame(k, data));
        QCOMPARE((*reply)[0], Byte(0x80 | k));
        QVERIFY(std::ranges::equal(FrameData(*reply), data));
    }
    QCOMPARE(unit.ProgramCount(), 13);
    QCOMPARE(unit.SaveCountdown(), 800);
    reply = unit.Answer(MakeFrame(0x45));
    QCOMPARE((*reply)[0], Byte(0xC5));
    QVERIFY(std::ranges::equal(FrameData(*reply), data));

    unit.Advance(1.0);
    reply = unit.Answer(MakeFrame(PollCommand));
    QCOMPARE((*reply)[0], MonitorReply);
    const auto live = DecodeMonitorFrame(*reply);
    QVERIFY(live);
    QCOMPARE(int(live->SaveCountdown), 400);
    QCOMPARE(int(live->Report.ProgramCount), 13);
    unit.Advance(5.0);
    QCOMPARE(unit.SaveCountdown(), 0);
    QVERIFY(!unit.IsSaving());
}

void TestLinkSim::refusesUnknownAndDamagedFrames() {
    sim::SimUnit unit;
    Frame damaged = MakeFrame(0x41);
    damaged[3] = 1;
    QVERIFY(!unit.Answer(damaged));
    QVERIFY(!unit.Answer(MakeFrame(0x48))); // block 8 does not exist
    QVERIFY(!unit.Answer(MakeFrame(0xB0)));
    QVERIFY(!unit.Answer(std::span<const Byte>(MakeFrame(0x30)).first(51)));
}

void TestLinkSim::servoFollowsTableWithLag() {
    sim::SimUnit unit(ImageFormatVersion, {.Rpm = 6000, .ThrottlePercent = 0});
    // Column 5 (6000 RPM) of the default table holds 2500 mV; make it 4000 mV for servo 1.
    unit.Image().ServoTable(0, 0, 5) = 200;
    unit.Advance(0.05);
    const MonitorReport early = unit.Report();
    QCOMPARE(int(early.Rpm), 6000);
    QCOMPARE(int(early.ServoRequiredMv[0]), 4000);
    QVERIFY(early.ServoMeasuredMv[0] < 3000); // still on its way
    unit.Advance(3.0);
    QVERIFY(std::abs(int(unit.Report().ServoMeasuredMv[0]) - 4000) <= 2);
    QCOMPARE(int(unit.Report().ServoFlag[0]), 1);
}

void TestLinkSim::imageFiles() {
    QTemporaryDir dir;
    sim::SimUnit unit;
    unit.Image().ServoTable(1, 2, 3) = 123;
    unit.Image().servo(0).RpmPoints(14) = 140;
    std::string error;
    // A raw file carries all 400 bytes.
    const std::string raw = dir.filePath("unit.bin").toStdString();
    QVERIFY(sim::SaveImage(raw, unit.Image(), error));
    ParameterImage loaded;
    QVERIFY(sim::LoadImage(raw, loaded, error));
    QVERIFY(loaded == unit.Image());
    // A parameter file carries the edited fields; the unit keeps its own identity block.
    const std::string ign = dir.filePath("set.ign").toStdString();
    QVERIFY(sim::SaveImage(ign, unit.Image(), error));
    sim::SimUnit other;
    QVERIFY(sim::LoadImage(ign, other.Image(), error));
    QCOMPARE(int(other.Image().ServoTable(1, 2, 3)), 123);
    QCOMPARE(int(other.Image().servo(0).RpmPoints(14)), 140);
    QCOMPARE(int(other.Image().FormatVersion()), ImageFormatVersion);

    ParameterImage untouched;
    QVERIFY(!sim::LoadImage(dir.filePath("missing.bin").toStdString(), untouched, error));
    QFile shortFile(dir.filePath("short.bin"));
    QVERIFY(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(399, 'x'));
    shortFile.close();
    QVERIFY(!sim::LoadImage(shortFile.fileName().toStdString(), untouched, error));
    QFile badIgn(dir.filePath("bad.ign"));
    QVERIFY(badIgn.open(QIODevice::WriteOnly));
    badIgn.write("KORVALEX_KEY 55\r\n");
    badIgn.close();
    QVERIFY(!sim::LoadImage(badIgn.fileName().toStdString(), untouched, error));
    QVERIFY(error.find("bad.ign") != std::string::npos);
    QVERIFY(untouched == ParameterImage());
}

QTEST_GUILESS_MAIN(TestLinkSim)
#include "tst_link_sim.moc"
