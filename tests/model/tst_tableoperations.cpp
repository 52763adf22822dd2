// Tests of the servo table editor's model: operations on a rectangle and the clipboard text.
#include <QtTest>

#include <cmath>

#include "ServoTableModel.h"
#include "TableOperations.h"

using namespace dorv;

Q_DECLARE_METATYPE(dorv::TableOperation)
Q_DECLARE_METATYPE(dorv::TableRect)
Q_DECLARE_METATYPE(dorv::TableCell)

namespace {

// A table whose cell (r, c) is 1000 + 100·c + 20·r (mV): every value on the 20 mV step.
CellValues Ramp() {
    CellValues cells{};
    for (int r = 0; r < ThrottleRows; ++r)
        for (int c = 0; c < RpmColumns; ++c)
            cells[r][c] = 1000 + 100 * c + 20 * r;
    return cells;
}

QList<int> Row(const CellValues& cells, int r, int left, int right) {
    QList<int> values;
    for (int c = left; c <= right; ++c)
        values << cells[r][c];
    return values;
}

QList<int> Column(const CellValues& cells, int c, int top, int bottom) {
    QList<int> values;
    for (int r = top; r <= bottom; ++r)
        values << cells[r][c];
    return values;
}

} // namespace

class TestTableOperations : public QObject {
    Q_OBJECT
private slots:
    void operationOnRectangle_data();
    void operationOnRectangle();
    void cellsOutsideTheRectangleStay();
    void bilinearFromCorners();
    void smoothAveragesInsideTheSelection();
    void oneCellWideNeverGivesNonNumbers_data();
    void oneCellWideNeverGivesNonNumbers();
    void copiedText_data();
    void copiedText();
    void shownNumbers_data();
    void shownNumbers();
    void pastedText_data();
    void pastedText();
    void copyThenPasteGivesTheSameCells();
    void movesBetweenCells();
};

void TestTableOperations::operationOnRectangle_data() {
    QTest::addColumn<TableOperation>("operation");
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("percent");
    QTest::addColumn<TableRect>("rect");
    QTest::addColumn<QList<int>>("row0"); // row rect.Top, columns Left..Right, afterwards
    QTest::addColumn<int>("clamped");
    const TableRect row{0, 0, 0, 3};
    QTest::newRow("set 1x1") << TableOperation::Set << 2040.0 << false << TableRect{0, 2, 0, 2}
                             << QList<int>{2040} << 0;
    QTest::newRow("set rounds to the step")
        << TableOperation::Set << 2047.0 << false << row << QList<int>{2040, 2040, 2040, 2040} << 0;
    QTest::newRow("set above the range")
        << TableOperation::Set << 6000.0 << false << row << QList<int>{5000, 5000, 5000, 5000} << 4;
    QTest::newRow("add") << TableOperation::Add << 60.0 << false << row
                         << QList<int>{1060, 1160, 1260, 1360} << 0;
    QTest::newRow("add below zero")
        << TableOperation::Add << -1050.0 << false << row << QList<int>{0, 60, 160, 260} << 1;
    QTest::newRow("scale") << TableOperation::Scale << 110.0 << false << row
                           << QList<int>{1100, 1220, 1320, 1440} << 0;
    QTest::newRow("scale per cent mode") << TableOperation::Scale << 150.0 << true
                                         << TableRect{0, 0, 0, 1} << QList<int>{60, 75} << 0;
    QTest::newRow("scale per cent mode clamped")
        << TableOperation::Scale << 300.0 << true << TableRect{0, 0, 0, 1} << QList<int>{100, 100}
        << 2;
    QTest::newRow("horizontal 1xN")
        << TableOperation::InterpolateHorizontal << 0.0 << false << TableRect{0, 0, 0, 4}
        << QList<int>{1000, 1100, 1200, 1300, 1400} << 0;
    QTest::newRow("vertical Nx1 keeps a single row")
        << TableOperation::InterpolateVertical << 0.0 << false << TableRect{0, 0, 0, 2}
        << QList<int>{1000, 1100, 1200} << 0;
}

// The first row of the rectangle after the operation, on the ramp (per-cent mode: cells 40, 50, ...
// in row 0), and the count of results kept in the range.
void TestTableOperations::operationOnRectangle() {
    QFETCH(TableOperation, operation);
    QFETCH(double, amount);
    QFETCH(bool, percent);
    QFETCH(TableRect, rect);
    CellValues cells = Ramp();
    if (percent)
        for (int c = 0; c < RpmColumns; ++c)
            cells[0][c] = 40 + 10 * c;
    if (operation == TableOperation::InterpolateHorizontal)
        cells[0][2] = 3000; // a bump the interpolation removes
    const int clamped = ApplyTableOperation(cells, rect, CellRange(percent), operation, amount);
    QTEST(Row(cells, rect.Top, rect.Left, rect.Right), "row0");
    QTEST(clamped, "clamped");
}

void TestTableOperations::cellsOutsideTheRectangleStay() {
    for (const TableOperation operation :
         {TableOperation::Set, TableOperation::Add, TableOperation::Scale,
          TableOperation::InterpolateHorizontal, TableOperation::InterpolateVertical,
          TableOperation::InterpolateBilinear, TableOperation::Smooth}) {
        CellValues cells = Ramp();
        cells[3][5] = 4000;
        const CellValues before = cells;
        const TableRect rect{2, 4, 5, 8};
        ApplyTableOperation(cells, rect, CellRangeMillivolts, operation, 1500);
        for (int r = 0; r < ThrottleRows; ++r)
            for (int c = 0; c < RpmColumns; ++c)
                if (!rect.Contains(r, c))
                    QCOMPARE(cells[r][c], before[r][c]);
    }
}

void TestTableOperations::bilinearFromCorners() {
    CellValues cells{};
    const TableRect whole = WholeTable(true);
    cells[0][0] = 0;
    cells[0][14] = 1400;
    cells[9][0] = 900;
    cells[9][14] = 2300 + 400; // a corner that is not on the plane of the other three
    cells[4][7] = 4980;        // inside: overwritten
    const int clamped =
        ApplyTableOperation(cells, whole, CellRangeMillivolts, TableOperation::InterpolateBilinear);
    QCOMPARE(clamped, 0);
    QCOMPARE(cells[0][14], 1400);
    QCOMPARE(cells[9][14], 2700);
    QCOMPARE(Row(cells, 0, 0, 3), QList<int>({0, 100, 200, 300}));
    QCOMPARE(Column(cells, 0, 0, 3), QList<int>({0, 100, 200, 300}));
    // Half-way across the bottom row: 900 + (2700 - 900) / 2 = 1800.
    QCOMPARE(cells[9][7], 1800);
    // (4, 7): top 700, bottom 1800 at 4/9 down: 700 + 1100·4/9 = 1188.9, on the 20 mV step 1180.
    QCOMPARE(cells[4][7], 1180);
    // Every value on the step.
    for (int r = 0; r < ThrottleRows; ++r)
        for (int c = 0; c < RpmColumns; ++c)
            QCOMPARE(cells[r][c] % 20, 0);
}

void TestTableOperations::smoothAveragesInsideTheSelection() {
    CellValues cells{};
    cells[1][1] = 900; // a spike in a 3 x 3 block of zeros
    ApplyTableOperation(cells, {0, 0, 2, 2}, CellRangeMillivolts, TableOperation::Smooth);
    QCOMPARE(cells[1][1], 100); // (900 + 8·0) / 9
    QCOMPARE(cells[0][0], 220); // corner: (900 + 3·0) / 4 = 225, on the step 220
    QCOMPARE(cells[0][1], 160); // edge: 900 / 6 = 150, half-way between steps: away from 0
    QCOMPARE(cells[3][3], 0);   // outside: untouched
    // Neighbours outside the selection do not count: a row alone averages along itself.
    CellValues row{};
    row[5][0] = 300;
    row[4][0] = 3000; // above, outside the selection
    ApplyTableOperation(row, {5, 0, 5, 2}, CellRangeMillivolts, TableOperation::Smooth);
    QCOMPARE(Row(row, 5, 0, 2), QList<int>({160, 100, 0}));
}

void TestTableOperations::oneCellWideNeverGivesNonNumbers_data() {
    QTest::addColumn<TableOperation>("operation");
    QTest::addColumn<TableRect>("rect");
    for (const auto& [name, operation] :
         {std::pair{"horizontal", TableOperation::InterpolateHorizontal},
          std::pair{"vertical", TableOperation::InterpolateVertical},
          std::pair{"bilinear", TableOperation::InterpolateBilinear},
          std::pair{"smooth", TableOperation::Smooth}}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 1x1").arg(name)))
            << operation << TableRect{3, 3, 3, 3};
        QTest::newRow(qPrintable(QStringLiteral("%1 column").arg(name)))
            << operation << TableRect{0, 6, 9, 6};
        QTest::newRow(qPrintable(QStringLiteral("%1 row").arg(name)))
            << operation << TableRect{2, 0, 2, 14};
    }
}

// A column interpolates linearly down, a row across; a single cell keeps its value; nothing is
// ever a non-number (which would have become 0 or a clamp).
void TestTableOperations::oneCellWideNeverGivesNonNumbers() {
    QFETCH(TableOperation, operation);
    QFETCH(TableRect, rect);
    CellValues cells = Ramp();
    const CellValues before = cells;
    const int clamped = ApplyTableOperation(cells, rect, CellRangeMillivolts, operation);
    QCOMPARE(clamped, 0);
    // The ramp is linear in both directions: interpolating and smoothing inside keep it.
    for (int r = rect.Top; r <= rect.Bottom; ++r)
        for (int c = rect.Left; c <= rect.Right; ++c) {
            const bool edge = (r == rect.Top || r == rect.Bottom) && rect.Rows() > 1 &&
                              operation == TableOperation::Smooth;
            const bool end = (c == rect.Left || c == rect.Right) && rect.Columns() > 1 &&
                             operation == TableOperation::Smooth;
            if (!edge && !end)
                QCOMPARE(cells[r][c], before[r][c]);
            QVERIFY(cells[r][c] >= 0 && cells[r][c] <= 5000);
        }
}

void TestTableOperations::copiedText_data() {
    QTest::addColumn<TableRect>("rect");
    QTest::addColumn<bool>("headers");
    QTest::addColumn<QString>("text");
    QTest::newRow("1x1") << TableRect{0, 0, 0, 0} << false << "1000\n";
    QTest::newRow("1xN") << TableRect{1, 2, 1, 4} << false << "1220\t1320\t1420\n";
    QTest::newRow("Nx1") << TableRect{0, 14, 2, 14} << false << "2400\n2420\n2440\n";
    QTest::newRow("with headers") << TableRect{3, 0, 4, 1} << true
                                  << "\t0\t1000\n10%\t1060\t1160\n20%\t1080\t1180\n";
}

void TestTableOperations::copiedText() {
    QFETCH(TableRect, rect);
    QFETCH(bool, headers);
    ServoTableModel model;
    model.Cells = Ramp();
    for (int c = 0; c < RpmColumns; ++c)
        model.Rpm[c] = 1000 * c;
    QTEST(QString::fromStdString(TableText(model, rect, headers)), "text");
}

void TestTableOperations::shownNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "2040" << true << 2040.0;
    QTest::newRow("blanks around") << "  2040 " << true << 2040.0;
    QTest::newRow("thousands comma") << "2,040" << true << 2040.0;
    QTest::newRow("thousands point") << "2.040" << true << 2040.0;
    QTest::newRow("thousands blank") << "2 040" << true << 2040.0;
    QTest::newRow("thousands no-break blank") << "2\u00a0040" << true << 2040.0;
    QTest::newRow("decimal comma") << "20,5" << true << 20.5;
    QTest::newRow("decimal point") << "20.5" << true << 20.5;
    QTest::newRow("both, comma decimal") << "1.234,5" << true << 1234.5;
    QTest::newRow("both, point decimal") << "1,234.5" << true << 1234.5;
    QTest::newRow("grouped twice") << "1,234,567" << true << 1234567.0;
    QTest::newRow("negative") << "-40" << true << -40.0;
    QTest::newRow("bad group") << "12,34,5" << false << 0.0;
    QTest::newRow("word") << "abc" << false << 0.0;
    QTest::newRow("number and word") << "20 mV" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("separator alone") << "," << false << 0.0;
    QTest::newRow("two decimal marks") << "1.2.3,4" << false << 0.0;
}

void TestTableOperations::shownNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, number);
    double value = 0;
    QCOMPARE(ParseShownNumber(text.toStdString(), value), number);
    if (number)
        QTEST(value, "value");
}

void TestTableOperations::pastedText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<TableCell>("at");
    QTest::addColumn<bool>("tpEnable");
    QTest::addColumn<bool>("percent");
    QTest::addColumn<int>("error");
    QTest::addColumn<TableRect>("rect");
    QTest::addColumn<QList<int>>("firstRow");
    QTest::addColumn<TableCell>("badCell");
    const TableRect none{};
    const TableCell noCell{};
    QTest::newRow("1x1") << "2040" << TableCell{2, 3} << true << false << int(PasteError::None)
                         << TableRect{2, 3, 2, 3} << QList<int>{2040} << noCell;
    QTest::newRow("spreadsheet line ends")
        << "1000\t1100\r\n1200\t1300\r\n"
        << TableCell{0, 0} << true << false << int(PasteError::None) << TableRect{0, 0, 1, 1}
        << QList<int>{1000, 1100} << noCell;
    QTest::newRow("rounded to the step")
        << "2047\t2031" << TableCell{0, 0} << true << false << int(PasteError::None)
        << TableRect{0, 0, 0, 1} << QList<int>{2040, 2040} << noCell;
    QTest::newRow("headers skipped") << "\t0\t1000\n10%\t1060\t1160\n20%\t1080\t1180\n"
                                     << TableCell{5, 7} << true << false << int(PasteError::None)
                                     << TableRect{5, 7, 6, 8} << QList<int>{1060, 1160} << noCell;
    QTest::newRow("header column only")
        << "10%\t1,060\t1.160\n20%\t1 080\t1180" << TableCell{0, 0} << true << false
        << int(PasteError::None) << TableRect{0, 0, 1, 1} << QList<int>{1060, 1160} << noCell;
    QTest::newRow("header row with a word")
        << "RPM\t1000\n40\t50" << TableCell{0, 0} << true << true << int(PasteError::None)
        << TableRect{0, 0, 0, 1} << QList<int>{40, 50} << noCell;
    QTest::newRow("decimal comma, per cent")
        << "40,4\t50,6" << TableCell{0, 13} << true << true << int(PasteError::None)
        << TableRect{0, 13, 0, 14} << QList<int>{40, 51} << noCell;
    QTest::newRow("bad cell") << "1000\t1100\t1200\n1200\tabc\t1300" << TableCell{1, 1} << true
                              << false << int(PasteError::NotNumber) << none << QList<int>{}
                              << TableCell{2, 2};
    QTest::newRow("empty field") << "1000\t\t1100" << TableCell{0, 0} << true << false
                                 << int(PasteError::NotNumber) << none << QList<int>{}
                                 << TableCell{0, 1};
    QTest::newRow("out of range") << "1000\n5020" << TableCell{0, 0} << true << false
                                  << int(PasteError::OutOfRange) << none << QList<int>{}
                                  << TableCell{1, 0};
    QTest::newRow("out of range per cent")
        << "40\t101" << TableCell{0, 0} << true << true << int(PasteError::OutOfRange) << none
        << QList<int>{} << TableCell{0, 1};
    QTest::newRow("past the right edge")
        << "1\t2\t3" << TableCell{0, 13} << true << false << int(PasteError::PastEdge) << none
        << QList<int>{} << noCell;
    QTest::newRow("past the last row")
        << "1\n2" << TableCell{9, 0} << true << false << int(PasteError::PastEdge) << none
        << QList<int>{} << noCell;
    QTest::newRow("past row 0 without TP enable")
        << "1\n2" << TableCell{0, 0} << false << false << int(PasteError::PastEdge) << none
        << QList<int>{} << noCell;
    QTest::newRow("into the RPM row") << "1000" << TableCell{RpmRow, 0} << true << false
                                      << int(PasteError::NoCell) << none << QList<int>{} << noCell;
    QTest::newRow("nothing") << "\n\n"
                             << TableCell{0, 0} << true << false << int(PasteError::Empty) << none
                             << QList<int>{} << noCell;
}

// A refused block changes nothing and names its first bad cell; an accepted one goes in whole.
void TestTableOperations::pastedText() {
    QFETCH(QString, text);
    QFETCH(TableCell, at);
    QFETCH(bool, tpEnable);
    QFETCH(bool, percent);
    QFETCH(int, error);
    const PastedBlock block =
        ReadPastedText(text.toStdString(), at, WholeTable(tpEnable), CellRange(percent));
    QCOMPARE(int(block.Error), error);
    CellValues cells = Ramp();
    const CellValues before = cells;
    ApplyPastedBlock(cells, block);
    if (block.Error != PasteError::None) {
        QCOMPARE(cells, before);
        QTEST(block.BadCell, "badCell");
        return;
    }
    QTEST(block.Rect, "rect");
    QTEST(Row(cells, block.Rect.Top, block.Rect.Left, block.Rect.Right), "firstRow");
    for (int r = 0; r < ThrottleRows; ++r)
        for (int c = 0; c < RpmColumns; ++c)
            if (!block.Rect.Contains(r, c))
                QCOMPARE(cells[r][c], before[r][c]);
}

void TestTableOperations::copyThenPasteGivesTheSameCells() {
    ServoTableModel model;
    model.Cells = Ramp();
    for (const bool headers : {false, true}) {
        const std::string text = TableText(model, WholeTable(true), headers);
        const PastedBlock block =
            ReadPastedText(text, {0, 0}, WholeTable(true), CellRangeMillivolts);
        QCOMPARE(int(block.Error), int(PasteError::None));
        CellValues cells{};
        ApplyPastedBlock(cells, block);
        QCOMPARE(cells, model.Cells);
    }
}

void TestTableOperations::movesBetweenCells() {
    ServoTableModel model;
    QCOMPARE(model.Moved({0, 0}, -1, -1), TableCell({RpmRow, 0}));
    QCOMPARE(model.Moved({9, 14}, 1, 1), TableCell({9, 14}));
    QCOMPARE(model.Next({RpmRow, 14}), std::optional(TableCell{0, 0}));
    QCOMPARE(model.Next({9, 14}), std::nullopt);
    model.TpEnable = false;
    QCOMPARE(model.Moved({0, 3}, 4, 0), TableCell({0, 3}));
    QCOMPARE(model.Next({0, 14}), std::nullopt);
    QVERIFY(!model.IsShown({1, 0}));
    QCOMPARE(RectBetween({5, 9}, {2, 3}), (TableRect{2, 3, 5, 9}));
}

QTEST_MAIN(TestTableOperations)
#include "tst_tableoperations.moc"
