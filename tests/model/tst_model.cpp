// Tests of the parameter image, editor value conversions, edit history and editing commands.
#include <QTest>

#include "EditHistory.h"
#include "EditingCommands.h"
#include "EditorValues.h"
#include "ParameterImage.h"

using namespace dorv;

namespace {

using Points = std::array<int, RpmColumns>;

Points PointsOf(const ParameterImage& image, ServoIndex s) {
    Points p{};
    for (int k = 0; k < RpmColumns; ++k)
        p[k] = image.servo(s).RpmPoints(k);
    return p;
}

void SetPoints(ParameterImage& image, ServoIndex s, const Points& p) {
    for (int k = 0; k < RpmColumns; ++k)
        image.servo(s).RpmPoints(k) = static_cast<Byte>(p[k]);
}

ParameterImage DefaultImage() {
    ParameterImage image;
    SetDefaultParameters(image);
    return image;
}

void SetIdentity(ParameterImage& image, const char* name, int number, int day, int monthCode,
                 int year, int hour, int minute) {
    auto& b = image.bytes();
    for (int i = 0; i < 3; ++i)
        b[i] = static_cast<Byte>(name[i]);
    b[3] = static_cast<Byte>(number);
    b[4] = static_cast<Byte>(day);
    b[5] = static_cast<Byte>(monthCode);
    b[6] = static_cast<Byte>(year);
    b[7] = static_cast<Byte>(hour);
    b[8] = static_cast<Byte>(minute);
}

} // namespace

Q_DECLARE_METATYPE(Points)

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void defaultsInBothModes();
    void normalizeRpmPoints_data();
    void normalizeRpmPoints();
    void identityMonths_data();
    void identityMonths();
    void identityTexts();
    void editorConversions();
    void percentRoundTrips();
    void percentSwitch();
    void historyRingKeeps199UndoSteps();
    void undoThenChangeDropsRedo();
    void undoRestoresImageAndPage();
    void programmingAfterChangeArming();
    void snapshotOfReadLeavesArmingAlone();
    void operatingCell_data();
    void operatingCell();
    void plusMinusBounds_data();
    void plusMinusBounds();
    void allCellsRespectTpEnable();
    void columnSteps();
    void tpsCapture_data();
    void tpsCapture();
};

void TestModel::defaultsInBothModes() {
    ParameterImage image;
    image.bytes().fill(0xAB);
    image.servo(0).PercentMode() = 1;
    image.servo(1).PercentMode() = 0;
    const ParameterImage before = image;
    SetDefaultParameters(image);
    for (int k = 0; k < RpmColumns; ++k) {
        for (int r = 0; r < ThrottleRows; ++r) {
            QCOMPARE(int(image.ServoTable(0, r, k)), 40 + 2 * k);
            QCOMPARE(int(image.ServoTable(1, r, k)), 100 + 5 * k);
        }
    }
    const Points expected{0, 10, 20, 30, 40, 60, 65, 70, 75, 80, 85, 90, 100, 110, 120};
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        QCOMPARE(PointsOf(image, s), expected);
        QCOMPARE(int(image.servo(s).HysteresisMv()), 40);
        QCOMPARE(int(image.servo(s).HysteresisRpm()), 20);
        QCOMPARE(int(image.servo(s).ServoEnable()), 1);
        QCOMPARE(image.servo(s).TpEnable(), before.servo(s).TpEnable());
    }
    QCOMPARE(int(image.PulsesMode()), 1);
    QCOMPARE(int(image.Tps0()), 48);
    QCOMPARE(int(image.Tps100()), 197);
    // Block 0 and the bytes the tool does not interpret are carried unchanged.
    for (int i : {0, 9, 10, 15, 45, 49, 61, 64, 65, 66, 67, 69})
        QCOMPARE(image.bytes()[i], before.bytes()[i]);
}

void TestModel::normalizeRpmPoints_data() {
    QTest::addColumn<Points>("points");
    QTest::addColumn<Points>("expected");
    Points zero{}, full{}, ramp{}, capped{};
    for (int i = 0; i < RpmColumns; ++i) {
        full[i] = 255;
        ramp[i] = i;
        capped[i] = 236 + i;
    }
    QTest::newRow("all 0") << zero << ramp;
    QTest::newRow("all 255") << full << capped;
    QTest::newRow("descending") << Points{10, 10, 5, 4, 3, 2, 1, 30, 40, 50, 60, 70, 80, 90, 100}
                                << Points{10, 11, 12, 13, 14, 15, 16, 30,
                                          40, 50, 60, 70, 80, 90, 100};
    QTest::newRow("defaults unchanged")
        << Points{0, 10, 20, 30, 40, 60, 65, 70, 75, 80, 85, 90, 100, 110, 120}
        << Points{0, 10, 20, 30, 40, 60, 65, 70, 75, 80, 85, 90, 100, 110, 120};
}

void TestModel::normalizeRpmPoints() {
    QFETCH(Points, points);
    QFETCH(Points, expected);
    ParameterImage image;
    SetPoints(image, 0, points);
    SetPoints(image, 1, points);
    NormalizeRpmPoints(image);
    QCOMPARE(PointsOf(image, 0), expected);
    QCOMPARE(PointsOf(image, 1), expected);
}

void TestModel::identityMonths_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("month");
    const char* abbreviations[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 0; m < 12; ++m) {
        // The code is the low byte of the sum of the abbreviation's character codes.
        const char* a = abbreviations[m];
        const int code = (a[0] + a[1] + a[2]) & 0xFF;
        QTest::newRow(a) << code << QString::asprintf("%2d", m + 1);
    }
    QTest::newRow("unknown 0") << 0 << QString("00");
    QTest::newRow("unknown 26") << 26 << QString("00");
}

void TestModel::identityMonths() {
    QFETCH(int, code);
    QFETCH(QString, month);
    ParameterImage image;
    SetIdentity(image, "ABC", 1, 21, code, 24, 9, 5);
    QCOMPARE(QString::fromStdString(DecodeIdentityBlock(image).DateText),
             QString("21.%1.2024").arg(month));
}

void TestModel::identityTexts() {
    ParameterImage image;
    SetIdentity(image, "KRX", 7, 7, 12, 3, 8, 4);
    // Bytes 17.. hold text, but byte 16 is 0: the name and number stay.
    const char* tail = "IGNORED TEXT";
    for (int i = 0; tail[i]; ++i)
        image.bytes()[17 + i] = static_cast<Byte>(tail[i]);
    IdentityTexts texts = DecodeIdentityBlock(image);
    QCOMPARE(texts.VersionText, std::string("KRX07"));
    QCOMPARE(texts.DateText, std::string(" 7.12.2003"));
    QCOMPARE(texts.TimeText, std::string("08:04"));

    // A 30-character program text with no terminating zero inside its field.
    const std::string full = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    for (int i = 0; i < 30; ++i)
        image.bytes()[16 + i] = static_cast<Byte>(full[i]);
    image.bytes()[46] = 'X'; // beyond the field
    QCOMPARE(DecodeIdentityBlock(image).VersionText, full);

    // A shorter text ends at the first zero byte.
    image.bytes()[16 + 5] = 0;
    QCOMPARE(DecodeIdentityBlock(image).VersionText, std::string("ABCDE"));
}

void TestModel::editorConversions() {
    // Tps100: shown 2500 .. 4900 mV is stored 0 .. 240.
    QCOMPARE(int(Tps100Stored(2500)), 0);
    QCOMPARE(int(Tps100Stored(4900)), 240);
    QCOMPARE(int(Tps100Stored(2600)), 10);
    for (int b = 0; b <= 240; ++b)
        QCOMPARE(int(Tps100Stored(Tps100Shown(static_cast<Byte>(b)))), b);
    for (int b = 10; b <= 250; ++b)
        QCOMPARE(int(Tps0Stored(Tps0Shown(static_cast<Byte>(b)))), b);
    QCOMPARE(int(RpmStored(1050)), 10);
    QCOMPARE(int(CellStored(2019, false)), 100);
    QCOMPARE(int(CellStored(55, true)), 55);
    QCOMPARE(int(HysteresisStored(1249)), 249);
    // A stored byte beyond an editor's range is shown at the range's end.
    QCOMPARE(CellRange(false).Clamp(CellShown(255, false)), 5000);
    QCOMPARE(CellRange(true).Clamp(CellShown(180, true)), 100);
    QCOMPARE(Tps0Range.Clamp(Tps0Shown(5)), 100);
}

void TestModel::percentRoundTrips() {
    // 20 mV steps -> per cent -> 20 mV steps moves a cell by at most one step.
    for (int b = 0; b <= 250; ++b) {
        const int back = ConvertToMillivolts(ConvertToPercent(static_cast<Byte>(b)));
        QVERIFY2(std::abs(back - b) <= 1, qPrintable(QString::number(b)));
    }
    // Per cent -> 20 mV steps -> per cent returns every value unchanged.
    for (int p = 0; p <= 100; ++p)
        QCOMPARE(int(ConvertToPercent(ConvertToMillivolts(static_cast<Byte>(p)))), p);
    QCOMPARE(int(ConvertToPercent(101)), 40);
    QCOMPARE(int(ConvertToMillivolts(41)), 102);
    QCOMPARE(int(ConvertToMillivolts(99)), 247);
    // Cells above 100 % (raised by older tools) saturate instead of wrapping past a byte.
    QCOMPARE(int(ConvertToMillivolts(103)), 250);
    QCOMPARE(int(ConvertToMillivolts(255)), 250);
}

void TestModel::percentSwitch() {
    ParameterImage image = DefaultImage();
    for (int k = 0; k < 5; ++k)
        image.servo(0).Cell(1, k) = static_cast<Byte>(100 + k);
    QVERIFY(SwitchPercentMode(image, 0, true));
    QCOMPARE(int(image.servo(0).PercentMode()), 1);
    for (int k = 0; k < RpmColumns; ++k)
        QCOMPARE(int(image.ServoTable(0, 9, k)), 40 + 2 * k);
    QCOMPARE(int(image.ServoTable(0, 1, 1)), 40); // 101 -> 40
    QVERIFY(!SwitchPercentMode(image, 0, true));  // same mode: nothing converted
    QVERIFY(SwitchPercentMode(image, 0, false));
    // Defaults come back exactly; cells between per-cent steps move by at most one step.
    QCOMPARE(image.servo(0).Cell(0, 14), DefaultImage().servo(0).Cell(0, 14));
    const int expected[] = {100, 100, 102, 102, 105};
    for (int k = 0; k < 5; ++k)
        QCOMPARE(int(image.ServoTable(0, 1, k)), expected[k]);
    QCOMPARE(image.servo(1).Cell(0, 0), DefaultImage().servo(1).Cell(0, 0));
}

void TestModel::historyRingKeeps199UndoSteps() {
    ParameterImage image = DefaultImage();
    EditHistory history;
    history.ResetHistory(image, 1);
    for (int i = 1; i <= 250; ++i) {
        image.Tps0() = static_cast<Byte>(i);
        QVERIFY(history.RecordChange(image, 1, false).Changed);
    }
    int steps = 0;
    while (history.Undo(false).Moved)
        ++steps;
    QCOMPARE(steps, 199);
    QVERIFY(!history.CanUndo());
    QCOMPARE(int(history.Current().Image[58]), 51); // the 51st change is the oldest kept
}

void TestModel::undoThenChangeDropsRedo() {
    ParameterImage image = DefaultImage();
    EditHistory history;
    history.ResetHistory(image, 0);
    QVERIFY(!history.CanUndo());
    QVERIFY(!history.CanRedo());
    image.Tps0() = 60;
    history.RecordChange(image, 0, false);
    image.Tps0() = 70;
    history.RecordChange(image, 0, false);
    QVERIFY(history.Undo(false).Moved);
    QVERIFY(history.CanRedo());
    RestoreSnapshot(image, history.Current());
    image.Tps0() = 80;
    QVERIFY(history.RecordChange(image, 0, false).Changed);
    QVERIFY(!history.CanRedo());
    QVERIFY(!history.Redo(false).Moved);
    QVERIFY(history.Undo(false).Moved);
    QCOMPARE(int(history.Current().Image[58]), 60);
    // An unchanged image adds no entry.
    RestoreSnapshot(image, history.Current());
    QVERIFY(!history.RecordChange(image, 0, false).Changed);
    QVERIFY(history.CanRedo());
}

void TestModel::undoRestoresImageAndPage() {
    ParameterImage image = DefaultImage();
    EditHistory history;
    history.ResetHistory(image, 0);
    image.PulsesMode() = 2;
    history.RecordChange(image, 0, false);
    image.servo(1).Cell(0, 0) = 7;
    history.RecordChange(image, 2, false);
    ParameterImage restored = image;
    restored.servo(0).Cell(3, 3) = 99; // not recorded
    QVERIFY(history.Undo(true).StartProgramming);
    QCOMPARE(RestoreSnapshot(restored, history.Current()), 0);
    QCOMPARE(int(restored.PulsesMode()), 2);
    QCOMPARE(restored.servo(1).Cell(0, 0), DefaultImage().servo(1).Cell(0, 0));
    QCOMPARE(restored.servo(0).Cell(3, 3), DefaultImage().servo(0).Cell(3, 3));
    QVERIFY(history.Redo(false).Moved);
    QCOMPARE(RestoreSnapshot(restored, history.Current()), 2);
    QCOMPARE(int(restored.servo(1).Cell(0, 0)), 7);
}

void TestModel::programmingAfterChangeArming() {
    ParameterImage image = DefaultImage();
    EditHistory history;
    history.ResetHistory(image, 1);
    // Ticked, but the first commit changes nothing: armed without programming.
    auto r = history.RecordChange(image, 1, true);
    QVERIFY(!r.Changed);
    QVERIFY(!r.StartProgramming);
    QVERIFY(history.AutoProgramArmed());
    // Armed: every later commit programs, changed or not.
    QVERIFY(history.RecordChange(image, 1, true).StartProgramming);
    image.Tps0() = 33;
    QVERIFY(history.RecordChange(image, 1, true).StartProgramming);
    // A commit with the box clear disarms.
    QVERIFY(!history.RecordChange(image, 1, false).StartProgramming);
    QVERIFY(!history.AutoProgramArmed());
    QVERIFY(!history.RecordChange(image, 1, true).StartProgramming);
    // Ticking it and committing a change programs at once.
    history.RecordChange(image, 1, false);
    image.Tps0() = 34;
    QVERIFY(history.RecordChange(image, 1, true).StartProgramming);
    // Undo and redo program whenever the box is ticked and they move.
    QVERIFY(!history.Undo(false).StartProgramming);
    QVERIFY(history.Redo(true).StartProgramming);
    QVERIFY(!history.Redo(true).StartProgramming); // at the newest: nothing happens
}

// A Read is one undo step of its own; programming after change stays as the commits left it.
void TestModel::snapshotOfReadLeavesArmingAlone() {
    for (const bool armed : {false, true}) {
        ParameterImage image = DefaultImage();
        EditHistory history;
        history.ResetHistory(image, 1);
        history.RecordChange(image, 1, armed);
        QCOMPARE(history.AutoProgramArmed(), armed);
        ParameterImage read = image;
        read.servo(0).Cell(4, 4) = 123;
        QVERIFY(history.RecordSnapshot(read, 2));
        QVERIFY(!history.RecordSnapshot(read, 2)); // the same image again: no second step
        QCOMPARE(history.AutoProgramArmed(), armed);
        QVERIFY(history.CanUndo());
        QVERIFY(!history.CanRedo());
        QVERIFY(history.Undo(false).Moved);
        QCOMPARE(RestoreSnapshot(read, history.Current()), 1);
        QCOMPARE(read.servo(0).Cell(4, 4), image.servo(0).Cell(4, 4));
        QVERIFY(history.Redo(false).Moved);
        QCOMPARE(RestoreSnapshot(read, history.Current()), 2);
        QCOMPARE(int(read.servo(0).Cell(4, 4)), 123);
    }
}

void TestModel::operatingCell_data() {
    QTest::addColumn<int>("rpm");
    QTest::addColumn<int>("throttle");
    QTest::addColumn<bool>("tpEnable");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    // Default points 0, 10, 20, ... hundreds of RPM.
    QTest::newRow("stopped") << 0 << 0 << true << 0 << 0;
    QTest::newRow("just below 1st half-way") << 499 << 0 << true << 0 << 0;
    QTest::newRow("1st half-way picks higher") << 500 << 0 << true << 1 << 0;
    QTest::newRow("1499") << 1499 << 0 << true << 1 << 0;
    QTest::newRow("1500") << 1500 << 0 << true << 2 << 0;
    QTest::newRow("below last half-way") << 11499 << 0 << true << 13 << 0;
    QTest::newRow("last half-way") << 11500 << 0 << true << 14 << 0;
    QTest::newRow("beyond the table") << 30000 << 0 << true << 14 << 0;
    QTest::newRow("throttle 14") << 0 << 14 << true << 0 << 3;
    QTest::newRow("throttle 15 half-way") << 0 << 15 << true << 0 << 4;
    QTest::newRow("throttle 1 half-way") << 0 << 1 << true << 0 << 1;
    QTest::newRow("throttle 90") << 0 << 90 << true << 0 << 9;
    QTest::newRow("throttle 89") << 0 << 89 << true << 0 << 8;
    QTest::newRow("throttle 101") << 0 << 101 << true << 0 << 9;
    QTest::newRow("tp enable clear") << 4000 << 90 << false << 4 << 0;
}

void TestModel::operatingCell() {
    QFETCH(int, rpm);
    QFETCH(int, throttle);
    QFETCH(bool, tpEnable);
    QFETCH(int, column);
    QFETCH(int, row);
    const ParameterImage image = DefaultImage();
    QCOMPARE(FindOperatingCell(image, 1, rpm, throttle, tpEnable), (OperatingCell{column, row}));
}

void TestModel::plusMinusBounds_data() {
    QTest::addColumn<bool>("percent");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("expected");
    QTest::newRow("mV plus to 249") << false << 248 << true << 249;
    QTest::newRow("mV plus stops at 249") << false << 249 << true << 249;
    QTest::newRow("mV plus leaves 250") << false << 250 << true << 250;
    QTest::newRow("mV minus") << false << 1 << false << 0;
    QTest::newRow("mV minus stops at 0") << false << 0 << false << 0;
    QTest::newRow("% plus to 100") << true << 99 << true << 100;
    QTest::newRow("% plus stops at 100") << true << 100 << true << 100;
    QTest::newRow("% minus stops at 0") << true << 0 << false << 0;
}

void TestModel::plusMinusBounds() {
    QFETCH(bool, percent);
    QFETCH(int, start);
    QFETCH(bool, up);
    QFETCH(int, expected);
    const auto direction = up ? StepDirection::Up : StepDirection::Down;
    ParameterImage image = DefaultImage();
    image.servo(0).PercentMode() = percent ? 1 : 0;
    const OperatingCell cell{4, 2};
    image.servo(0).Cell(2, 4) = static_cast<Byte>(start);
    ParameterImage expectedImage = image;
    expectedImage.servo(0).Cell(2, 4) = static_cast<Byte>(expected);
    StepServoCells(image, 0, direction, false, true, cell);
    QCOMPARE(image, expectedImage); // only the operating cell moves

    // The column steps follow the same bounds for all ten rows.
    ParameterImage column = DefaultImage();
    column.servo(1).PercentMode() = percent ? 1 : 0;
    for (int r = 0; r < ThrottleRows; ++r)
        column.servo(1).Cell(r, 7) = static_cast<Byte>(start);
    StepServoColumn(column, 1, 7, direction);
    for (int r = 0; r < ThrottleRows; ++r)
        QCOMPARE(int(column.servo(1).Cell(r, 7)), expected);
}

void TestModel::allCellsRespectTpEnable() {
    const ParameterImage start = DefaultImage();
    ParameterImage image = start;
    StepServoCells(image, 0, StepDirection::Up, true, false, {});
    for (int k = 0; k < RpmColumns; ++k) {
        QCOMPARE(image.servo(0).Cell(0, k), Byte(start.servo(0).Cell(0, k) + 1));
        for (int r = 1; r < ThrottleRows; ++r)
            QCOMPARE(image.servo(0).Cell(r, k), start.servo(0).Cell(r, k));
    }
    image = start;
    StepServoCells(image, 1, StepDirection::Down, true, true, {});
    for (int i = 0; i < TableCells; ++i)
        QCOMPARE(image.servo(1).CellAt(i), Byte(start.servo(1).CellAt(i) - 1));
    QCOMPARE(image.servo(0).Cell(5, 5), start.servo(0).Cell(5, 5));
}

void TestModel::columnSteps() {
    const ParameterImage start = DefaultImage();
    ParameterImage image = start;
    StepServoColumn(image, 0, 3, StepDirection::Up);
    for (int r = 0; r < ThrottleRows; ++r) {
        QCOMPARE(image.servo(0).Cell(r, 3), Byte(start.servo(0).Cell(r, 3) + 1));
        QCOMPARE(image.servo(0).Cell(r, 2), start.servo(0).Cell(r, 2));
        QCOMPARE(image.servo(0).Cell(r, 4), start.servo(0).Cell(r, 4));
    }
}

void TestModel::tpsCapture_data() {
    QTest::addColumn<bool>("full");
    QTest::addColumn<int>("mv");
    QTest::addColumn<int>("stored"); // -1: ignored
    QTest::newRow("0 % at 299 mV ignored") << false << 299 << -1;
    QTest::newRow("0 % at 300 mV") << false << 300 << 30;
    QTest::newRow("0 % at 2500 mV") << false << 2500 << 250;
    QTest::newRow("0 % at 2501 mV ignored") << false << 2501 << -1;
    QTest::newRow("100 % at 2499 mV ignored") << true << 2499 << -1;
    QTest::newRow("100 % at 2500 mV") << true << 2500 << 0;
    QTest::newRow("100 % at 4470 mV") << true << 4470 << 197;
    QTest::newRow("100 % at 4900 mV") << true << 4900 << 240;
    QTest::newRow("100 % at 4910 mV ignored") << true << 4910 << -1;
}

void TestModel::tpsCapture() {
    QFETCH(bool, full);
    QFETCH(int, mv);
    QFETCH(int, stored);
    ParameterImage image = DefaultImage();
    const ParameterImage before = image;
    const bool taken = full ? CaptureTps100(image, mv) : CaptureTps0(image, mv);
    QCOMPARE(taken, stored >= 0);
    if (stored < 0) {
        QCOMPARE(image, before);
    } else {
        QCOMPARE(int(full ? image.Tps100() : image.Tps0()), stored);
    }
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
