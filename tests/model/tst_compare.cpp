// Tests of the comparison of two parameter images and of taking the other side's values.
#include <QtTest>

#include <algorithm>
#include <functional>

#include "CompareImages.h"
#include "EditorValues.h"

using namespace dorv;

using ImageChange = std::function<void(ParameterImage&)>;
Q_DECLARE_METATYPE(ImageChange)
Q_DECLARE_METATYPE(dorv::ImageDifference)
Q_DECLARE_METATYPE(dorv::ImageField)

namespace QTest {
template <> char* toString(const dorv::ImageDifference& d) {
    return qstrdup(QString::asprintf("{field %d servo %d row %d column %d offset %d: %d / %d}",
                                     static_cast<int>(d.Field), d.Servo, d.Row, d.Column, d.Offset,
                                     d.Mine, d.Other)
                       .toLatin1()
                       .constData());
}
} // namespace QTest

namespace {

ParameterImage Base() {
    ParameterImage image;
    SetDefaultParameters(image);
    for (ServoIndex s = 0; s < ServoCount; ++s)
        for (int i = 0; i < TableCells; ++i)
            image.servo(s).CellAt(i) = static_cast<Byte>(50 + i % 100);
    return image;
}

ImageDifference Diff(ImageField field, ServoIndex s, int row, int column, int offset, int mine,
                     int other) {
    return {field, s, row, column, offset, mine, other};
}

} // namespace

class TestCompare : public QObject {
    Q_OBJECT
private slots:
    void differences_data();
    void differences();
    void identityIsReportedApart();
    void takingEveryDifferenceMakesImagesEqual_data();
    void takingEveryDifferenceMakesImagesEqual();
    void takingOneCellTakesOnlyIt();
    void scopesAroundADifference_data();
    void scopesAroundADifference();
    void editedFieldsLeaveTheComparison();
};

void TestCompare::differences_data() {
    QTest::addColumn<ImageChange>("change");
    QTest::addColumn<QList<ImageDifference>>("expected");
    QTest::addColumn<QList<int>>("counts"); // general, RPM points, cells

    using F = ImageField;
    QTest::newRow("no difference")
        << ImageChange([](ParameterImage&) {}) << QList<ImageDifference>{} << QList<int>{0, 0, 0};
    QTest::newRow("one cell, servo 2 row 3 column 4")
        << ImageChange([](ParameterImage& i) { i.servo(1).Cell(3, 4) = 200; })
        << QList<ImageDifference>{Diff(F::Cell, 1, 3, 4, 100 + 150 + 45 + 4, 20 * (50 + 49), 4000)}
        << QList<int>{0, 0, 1};
    QTest::newRow("TPS 0 % and TPS 100 %")
        << ImageChange([](ParameterImage& i) {
               i.Tps0() = 60;
               i.Tps100() = 100;
           })
        << QList<ImageDifference>{Diff(F::Tps0, NoServo, -1, -1, 58, Tps0Shown(Base().Tps0()), 600),
                                  Diff(F::Tps100, NoServo, -1, -1, 59, Tps100Shown(Base().Tps100()),
                                       3500)}
        << QList<int>{2, 0, 0};
    QTest::newRow("pulses") << ImageChange([](ParameterImage& i) {
        i.PulsesMode() = 2;
    }) << QList<ImageDifference>{Diff(F::Pulses, NoServo, -1, -1, 60, Base().PulsesMode(), 2)}
                            << QList<int>{1, 0, 0};
    QTest::newRow("switches, hystereses of servo 2")
        << ImageChange([](ParameterImage& i) {
               i.servo(1).ServoEnable() = 0;
               i.servo(1).TpEnable() = i.servo(1).TpEnable() ? 0 : 1;
               i.servo(1).HysteresisMv() = 45;
               i.servo(1).HysteresisRpm() = 41;
           })
        << QList<ImageDifference>{Diff(F::ServoEnable, 1, -1, -1, 55, 1, 0),
                                  Diff(F::TpEnable, 1, -1, -1, 57,
                                       Base().servo(1).TpEnable() ? 1 : 0,
                                       Base().servo(1).TpEnable() ? 0 : 1),
                                  Diff(F::HysteresisMv, 1, -1, -1, 51,
                                       HysteresisShown(Base().servo(1).HysteresisMv()), 225),
                                  Diff(F::HysteresisRpm, 1, -1, -1, 53,
                                       HysteresisShown(Base().servo(1).HysteresisRpm()), 205)}
        << QList<int>{4, 0, 0};
    QTest::newRow("a switch on as 7 equals a switch on as 1")
        << ImageChange([](ParameterImage& i) { i.servo(0).ServoEnable() = 7; })
        << QList<ImageDifference>{} << QList<int>{0, 0, 0};
    QTest::newRow("RPM point 14 of servo 1")
        << ImageChange([](ParameterImage& i) { i.servo(0).RpmPoints(14) = 130; })
        << QList<ImageDifference>{Diff(F::RpmPoint, 0, -1, 14, 84, 12000, 13000)}
        << QList<int>{0, 1, 0};
    QTest::newRow("bytes the tool does not interpret are ignored")
        << ImageChange([](ParameterImage& i) {
               i.bytes()[61] = 9;
               i.bytes()[64] = 9;
               i.bytes()[69] = 9;
           })
        << QList<ImageDifference>{} << QList<int>{0, 0, 0};
}

void TestCompare::differences() {
    QFETCH(ImageChange, change);
    QFETCH(QList<ImageDifference>, expected);
    QFETCH(QList<int>, counts);
    const ParameterImage mine = Base();
    ParameterImage other = mine;
    change(other);
    const ImageComparison result = CompareImages(mine, other);
    QCOMPARE(QList<ImageDifference>(result.Differences.begin(), result.Differences.end()),
             expected);
    QCOMPARE(result.Count(DifferenceGroup::General), counts[0]);
    QCOMPARE(result.Count(DifferenceGroup::RpmPoints), counts[1]);
    QCOMPARE(result.Count(DifferenceGroup::Cells), counts[2]);
    QCOMPARE(result.Same(), expected.isEmpty());
    QVERIFY(!result.IdentityDiffers);
}

void TestCompare::identityIsReportedApart() {
    const ParameterImage mine = Base();
    ParameterImage other = mine;
    other.BuildDay() = 17;
    const ImageComparison result = CompareImages(mine, other);
    QVERIFY(result.Same());
    QVERIFY(result.IdentityDiffers);
    ParameterImage taken = mine;
    QCOMPARE(TakeOtherValues(taken, other, result.Differences), 0);
    QCOMPARE(taken.BuildDay(), mine.BuildDay());
}

void TestCompare::takingEveryDifferenceMakesImagesEqual_data() {
    QTest::addColumn<ImageChange>("change");
    QTest::newRow("scalars and a table") << ImageChange([](ParameterImage& i) {
        i.Tps0() = 70;
        i.servo(1).HysteresisRpm() = 3;
        i.servo(0).RpmPoints(3) = 33;
        for (int k = 0; k < RpmColumns; ++k)
            i.servo(0).Cell(9, k) = static_cast<Byte>(k);
    });
    // The other side's servo 1 is in per-cent mode: its table shows the same values in per cent,
    // so only the mode differs; taking it converts the editor's table as the switch does.
    QTest::newRow("per-cent mode on one side")
        << ImageChange([](ParameterImage& i) { SwitchPercentMode(i, 0, true); });
}

void TestCompare::takingEveryDifferenceMakesImagesEqual() {
    QFETCH(ImageChange, change);
    ParameterImage mine = Base();
    ParameterImage other = mine;
    change(other);
    const ImageComparison result = CompareImages(mine, other);
    QVERIFY(!result.Same());
    QVERIFY(TakeOtherValues(mine, other, result.Differences) > 0);
    QVERIFY(CompareImages(mine, other).Same());
    QCOMPARE(mine.servo(0).PercentMode(), other.servo(0).PercentMode());
}

void TestCompare::takingOneCellTakesOnlyIt() {
    ParameterImage mine = Base();
    ParameterImage other = mine;
    SwitchPercentMode(other, 0, true);
    other.servo(0).Cell(2, 2) = 90; // 90 % = 4500 mV
    other.servo(0).Cell(5, 5) = 10;
    const ImageComparison result = CompareImages(mine, other);
    // Mode, and the two cells in the editor's millivolts.
    QCOMPARE(result.Count(DifferenceGroup::Cells), 2);
    QCOMPARE(result.Count(DifferenceGroup::General), 1);
    const ImageDifference cell = result.Differences[1];
    QCOMPARE(cell.Row, 2);
    QCOMPARE(cell.Other, 4500);
    const ParameterImage before = mine;
    QCOMPARE(TakeOtherValues(mine, other, std::span(&cell, 1)), 1);
    QCOMPARE(CellShown(mine.servo(0).Cell(2, 2), false), 4500);
    QCOMPARE(mine.servo(0).Cell(5, 5), before.servo(0).Cell(5, 5));
    QCOMPARE(mine.servo(0).PercentMode(), Byte{0});
    QCOMPARE(CompareImages(mine, other).Differences.size(), std::size_t{2});
}

// The other side differs in TPS 0 %, servo 1's hysteresis, two RPM points of servo 1, cells of
// servo 1 in rows 2 and 5 and a cell of servo 2 in row 2.
ImageComparison ScopeFixture() {
    const ParameterImage mine = Base();
    ParameterImage other = mine;
    other.Tps0() = 70;
    other.servo(0).HysteresisMv() = 3;
    other.servo(0).RpmPoints(3) = 33;
    other.servo(0).RpmPoints(14) = 140;
    for (int k : {1, 4, 9})
        other.servo(0).Cell(2, k) = 1;
    other.servo(0).Cell(5, 0) = 1;
    other.servo(1).Cell(2, 4) = 1;
    return CompareImages(mine, other);
}

void TestCompare::scopesAroundADifference_data() {
    QTest::addColumn<ImageField>("chosenField");
    QTest::addColumn<int>("chosenServo");
    QTest::addColumn<int>("chosenRow");
    QTest::addColumn<int>("scope");
    QTest::addColumn<int>("expected"); // how many differences are taken

    using F = ImageField;
    const int one = int(TakeScope::One), row = int(TakeScope::Row), table = int(TakeScope::Table),
              all = int(TakeScope::All);
    QTest::newRow("one cell") << F::Cell << 0 << 2 << one << 1;
    QTest::newRow("row of a cell: its servo only") << F::Cell << 0 << 2 << row << 3;
    QTest::newRow("table of a cell: RPM points and cells") << F::Cell << 0 << 2 << table << 6;
    QTest::newRow("row of an RPM point: the RPM points") << F::RpmPoint << 0 << -1 << row << 2;
    QTest::newRow("table of servo 2") << F::Cell << 1 << 2 << table << 1;
    QTest::newRow("row of TPS 0 %: itself") << F::Tps0 << int(NoServo) << -1 << row << 1;
    QTest::newRow("table of a hysteresis: itself") << F::HysteresisMv << 0 << -1 << table << 1;
    QTest::newRow("all") << F::Cell << 1 << 2 << all << 9;
}

void TestCompare::scopesAroundADifference() {
    QFETCH(ImageField, chosenField);
    QFETCH(int, chosenServo);
    QFETCH(int, chosenRow);
    QFETCH(int, scope);
    QFETCH(int, expected);
    const ImageComparison comparison = ScopeFixture();
    QCOMPARE(comparison.Differences.size(), std::size_t{9});
    const auto chosen = std::ranges::find_if(comparison.Differences, [&](const ImageDifference& d) {
        return d.Field == chosenField && d.Servo == chosenServo && d.Row == chosenRow;
    });
    QVERIFY(chosen != comparison.Differences.end());
    const std::vector<ImageDifference> taken =
        DifferencesIn(comparison.Differences, *chosen, static_cast<TakeScope>(scope));
    QCOMPARE(int(taken.size()), expected);
    QVERIFY(std::ranges::find(taken, *chosen) != taken.end());
    for (const ImageDifference& d : taken) {
        if (scope == int(TakeScope::All))
            break;
        QCOMPARE(d.Servo, chosen->Servo);
        if (scope == int(TakeScope::Row))
            QCOMPARE(d.Row, chosen->Row);
        if (scope != int(TakeScope::One) && !TableCellOf(*chosen))
            QCOMPARE(d, *chosen);
    }
}

// A field the user has set to a value of their own leaves the comparison; one that still holds a
// value given by the comparison (its value when compared, or one taken) stays, so that undoing an
// edit or a taking brings the difference back.
void TestCompare::editedFieldsLeaveTheComparison() {
    const ParameterImage compared = Base();
    ParameterImage other = compared;
    other.servo(0).Cell(4, 4) = 7;
    other.servo(0).Cell(4, 5) = 7;
    other.Tps100() = 99;
    SwitchPercentMode(other, 1, true);
    other.servo(1).Cell(0, 0) = 99;
    std::vector<ParameterImage> given{compared};

    ParameterImage mine = compared;
    mine.servo(0).Cell(4, 4) = 8; // edited, still differs
    mine.Tps100() = 98;
    ImageComparison result = CompareImages(mine, other);
    QCOMPARE(result.Differences.size(), std::size_t{5});
    KeepGivenFields(result, mine, given);
    QCOMPARE(result.Differences.size(), std::size_t{3});
    QCOMPARE(result.Differences[0].Column, 5);
    QCOMPARE(result.Differences[1].Field, ImageField::PercentMode);
    QCOMPARE(result.Count(DifferenceGroup::Cells), 2);
    QCOMPARE(result.Count(DifferenceGroup::General), 1);

    // Taking servo 2's mode converts its cells: the image after the taking is given as well, so
    // its cells are still compared.
    const ImageDifference mode = result.Differences[1];
    ParameterImage taken = compared;
    QVERIFY(TakeOtherValues(taken, other, std::span(&mode, 1)) > 0);
    given.push_back(taken);
    result = CompareImages(taken, other);
    KeepGivenFields(result, taken, given);
    QCOMPARE(result.Differences.size(), std::size_t{4});
    QCOMPARE(result.Differences.back().Servo, 1);
    // Undone, the image is the compared one again: all five differences show.
    result = CompareImages(compared, other);
    KeepGivenFields(result, compared, given);
    QCOMPARE(result.Differences.size(), std::size_t{5});
}

QTEST_APPLESS_MAIN(TestCompare)
#include "tst_compare.moc"
