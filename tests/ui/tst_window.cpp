// Tests of the main window: geometry, editor binding, per-cent switch, pages, Enter, shortcuts.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include "About.h"
#include "ConfigFolder.h"
#include "Cspin.h"
#include "EditUpDown.h"
#include "Hints.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "LiveDisplay.h"
#include "Profile.h"
#include "ServoTable.h"
#include "WindowTestEnv.h"

using namespace dorv;
using dorv::testing::WindowTestEnv;

namespace {

QString Grouped(int v) {
    return QLocale::system().toString(v);
}

// Types a text into an editor as a user does: select all, type.
void TypeInto(TEditUpDown* editor, const QString& text) {
    editor->setFocus();
    editor->Edit()->selectAll();
    QTest::keyClicks(editor->Edit(), text);
}

// A cell of the servo table made current and typed into as a user does.
void TypeIntoCell(TFormHlav& w, TableCell cell, const QString& text) {
    w.ServoTable->SetCurrentCell(cell);
    QCOMPARE(w.ServoTable->CurrentCell(), cell);
    TypeInto(w.ServoTable->Editor(), text);
}

// A cell is seen: the table is, and the cell's row is shown.
bool CellVisible(const TFormHlav& w, TableCell cell) {
    return w.ServoTable->isVisible() && w.ServoTable->IsCellShown(cell);
}

// The window shown and active, so focus and shortcuts behave as on a desktop.
void ShowActive(TFormHlav& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// Closes every modal box (a message box of Help > Contents, the about box) as soon as it shows.
void CloseModalBoxesSoon(QObject* context) {
    auto* closer = new QTimer(context);
    QObject::connect(closer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    closer->start(20);
}

void SelectPage(TFormHlav& w, int page) {
    w.PageControl1->setCurrentIndex(page);
}

// The centre of an up-down's arrow (SC_SpinBoxUp or SC_SpinBoxDown), in its own coordinates.
QPoint ArrowCentre(const TEditUpDown* editor, QStyle::SubControl arrow) {
    QStyleOptionSpinBox option;
    option.initFrom(editor);
    option.subControls = arrow;
    option.rect = editor->rect();
    return editor->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, editor).center();
}

// Notches of the mouse wheel over the middle of a widget, as the window system delivers them:
// the application may give the focus by them, and an event left unhandled goes on to the parents.
void WheelNotch(QWidget* target, int notches, std::optional<QPointF> where = std::nullopt) {
    const QPointF at = where ? *where : QRectF(target->rect()).center();
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(target, &wheel); // as QTest delivers mouse events: kept spontaneous
}

int StyleHint(const QWidget* widget, QStyle::StyleHint hint) {
    return widget->style()->styleHint(hint, nullptr, widget);
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void geometryOfControls_data();
    void geometryOfControls();
    void servoTableGeometry_data();
    void servoTableGeometry();
    void widestRpmValueFitsItsCell_data();
    void widestRpmValueFitsItsCell();
    void windowCentredAndComPorts();
    void fillAndPackGeneralPage_data();
    void fillAndPackGeneralPage();
    void fillAndPackServoPage_data();
    void fillAndPackServoPage();
    void tpEnableHidesRowsButKeepsThem();
    void percentSwitchConvertsBothWays();
    void percentClickWithoutConversionStillCommits();
    void pageChangeShowsServo2InSameEditors();
    void enterMovesFocusAndCommits_data();
    void enterMovesFocusAndCommits();
    void arrowClickAndEditClickCommit();
    void heldArrowRepeatsUntilReleased_data();
    void heldArrowRepeatsUntilReleased();
    void wheelStepsOnlyTheFocusedEditor_data();
    void wheelStepsOnlyTheFocusedEditor();
    void focusStaysInEditorAfterCommand_data();
    void focusStaysInEditorAfterCommand();
    void startFocusInFirstEditorOfPage_data();
    void startFocusInFirstEditorOfPage();
    void focusedControlShowsFocus_data();
    void focusedControlShowsFocus();
    void progAfterChangeFaceFollowsTickAtOnce();
    void undoShortcutInsideCellEditor();
    void menuShortcutsActFromCellEditor_data();
    void menuShortcutsActFromCellEditor();
    void pulsesChoiceRecordedWithoutRefill();
    void columnSpinButtonStepsColumn();
    void storedPageOutsideRangeShowsPage0();
    void languageMenuSwitchesTextsAndMessages();
    void hintsOnStatusBarInEnglish();
    void aboutCaptionFollowsLanguage();
    void aboutBoxMadeOnFirstUse();
    void servoValuesStayInTheirColumns_data();
    void servoValuesStayInTheirColumns();
    void fittedSizeIsTheLargestThatFits();
    void hiddenLabelFitsItsTextWhenShown();
    void selectionByKeyboard();
    void selectionByMouse();
    void selectionSurvivesTickAndCommit();
    void arrowKeysMoveBetweenCells();
    void enterPastLastCellLeavesTable();
    void tableOperationOnSelection_data();
    void tableOperationOnSelection();
    void tableOperationWithoutSelectionChangesNothing();
    void statusNoteOutlivesTheNextHint();
    void copySelection_data();
    void copySelection();
    void copyAndPasteActOnTypedText();
    void pasteThenUndoRestoresImage();
    void replacedImageIsOneStep();
    void refusedPasteChangesNothing_data();
    void refusedPasteChangesNothing();
    void heatMapColoursCellsAndIsKept();
    void marksFromOutside();

private:
    WindowTestEnv env_; // a private configuration folder and a scripted port for every window
};

void TestWindow::geometryOfControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected"); // width/height 0: not checked
    QTest::newRow("toolbar") << "GroupBoxToolBar" << QRect(3, 0, 462, 43);
    QTest::newRow("print button") << "SpeedButtonPrint" << QRect(120, 12, 24, 23);
    QTest::newRow("redo button") << "SpeedButtonZnovu" << QRect(192, 13, 23, 22);
    QTest::newRow("program button") << "ButtonProgram" << QRect(370, 12, 81, 23);
    QTest::newRow("pages") << "PageControl1" << QRect(4, 45, 959, 476);
    QTest::newRow("tps group") << "GroupBoxSetTps" << QRect(8, 4, 284, 107);
    QTest::newRow("tps 100 up-down") << "UpDownTps100" << QRect(96, 66, 56, 21);
    QTest::newRow("pulses") << "RadioGroupPocPulsu" << QRect(326, 7, 235, 103);
    QTest::newRow("programming count") << "LabelPocetProgramovani" << QRect(722, 387, 0, 0);
    QTest::newRow("rpm gauge") << "CGaugeRpm" << QRect(13, 552, 240, 18);
    QTest::newRow("program gauge") << "CGaugeProgram" << QRect(456, 612, 203, 18);
    QTest::newRow("servo 2 measured") << "LabelServoMer2" << QRect(706, 569, 0, 0);
    QTest::newRow("programming after change") << "CheckBoxProgHned" << QRect(706, 600, 177, 16);
    QTest::newRow("test 8") << "LabelTest8" << QRect(824, 752, 0, 0);
    QTest::newRow("column spin 14") << "CSpinButtonColumn[14]" << QRect(899, 350, 17, 23);
    QTest::newRow("tp enable") << "CheckBoxTpEnable" << QRect(180, 390, 0, 0);
    QTest::newRow("per cent") << "CheckBoxProcenta" << QRect(180, 415, 0, 0);
    QTest::newRow("hysteresis mV") << "UpDownHystMv" << QRect(300, 388, 56, 21);
    QTest::newRow("hysteresis RPM label") << "LabelHystRpm" << QRect(370, 421, 0, 0);
    QTest::newRow("plus") << "ButtonPlus" << QRect(780, 388, 20, 20);
    QTest::newRow("all") << "CheckBoxAll" << QRect(840, 390, 0, 0);
}

void TestWindow::geometryOfControls() {
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    TFormHlav w;
    auto* control = w.findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->pos(), expected.topLeft());
    if (expected.width() > 0)
        QCOMPARE(control->size(), expected.size());
}

void TestWindow::widestRpmValueFitsItsCell_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("servo 1") << 1;
    QTest::newRow("servo 2") << 2;
}

// Started on the general page, the table takes its font when a servo page is first shown: the
// widest RPM value, with its thousands separator, fits the edit's text room (the edit without
// its up-down, frame and margins), in the cell and in the editor over it.
void TestWindow::widestRpmValueFitsItsCell() {
    QFETCH(int, page);
    constexpr int UpDownWidth = 16;
    constexpr int FrameAndMargins = 8;
    TFormHlav w;
    QCOMPARE(w.ActivePage(), 0);
    w.Image.servo(page == 1 ? 0 : 1).RpmPoints(14) = 255;
    SelectPage(w, page);
    const QString widest = w.ServoTable->CellText({RpmRow, 14});
    QCOMPARE(widest, Grouped(RpmRange.Max));
    QVERIFY(QFontMetrics(w.ServoTable->font()).horizontalAdvance(widest) <=
            TServoTable::CellWidth - UpDownWidth - FrameAndMargins);
    QCOMPARE(w.ServoTable->Editor()->font(), w.ServoTable->font());
}

void TestWindow::servoTableGeometry_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QRect>("expected"); // in GroupBoxServo
    QTest::newRow("first rpm point") << RpmRow << 0 << QRect(44, 21, 56, 21);
    QTest::newRow("last rpm point") << RpmRow << 14 << QRect(884, 21, 56, 21);
    QTest::newRow("first cell") << 0 << 0 << QRect(44, 53, 56, 21);
    QTest::newRow("middle cell") << 4 << 7 << QRect(464, 173, 56, 21);
    QTest::newRow("last cell") << 9 << 14 << QRect(884, 323, 56, 21);
}

// Each cell is drawn at the place and size of its designed editor, and the one real editor,
// with the table's font, covers the current cell exactly.
void TestWindow::servoTableGeometry() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QRect, expected);
    TFormHlav w;
    w.Image.servo(0).TpEnable() = 1;
    SelectPage(w, 1);
    const QRect cell = TServoTable::CellRect({row, column});
    QCOMPARE(QRect(w.ServoTable->mapTo(w.GroupBoxServo, cell.topLeft()), cell.size()), expected);
    QCOMPARE(w.ServoTable->CellAt(expected.center() - w.ServoTable->pos()),
             std::optional(TableCell{row, column}));
    w.ServoTable->SetCurrentCell({row, column});
    QCOMPARE(w.ServoTable->Editor()->geometry(), cell);
    QCOMPARE(w.ServoTable->Editor()->font(), w.ServoTable->font());
    // Between cells there is none; the row labels stand at their designed places.
    QCOMPARE(w.ServoTable->CellAt(expected.topLeft() - w.ServoTable->pos() - QPoint(2, 2)),
             std::nullopt);
    QCOMPARE(w.ServoTable->mapTo(w.GroupBoxServo, w.ServoTable->RowLabelRect(9).topLeft()),
             QPoint(4, 326));
    QCOMPARE(w.ServoTable->mapTo(w.GroupBoxServo, w.ServoTable->RowLabelRect(0).topLeft()),
             QPoint(16, 56));
}

void TestWindow::windowCentredAndComPorts() {
    TFormHlav w;
    QCOMPARE(w.size(), QSize(986, 849));
    const QRect screen = w.screen()->geometry();
    QCOMPARE(w.pos(), QPoint((screen.width() - 986) / 2, (screen.height() - 849) / 2));
    // The twenty port items, then a separator and the device list.
    const auto items = w.Commands.MenuCom->actions();
    QCOMPARE(items.size(), 22);
    QCOMPARE(items.first()->text(), QStringLiteral("Com 1"));
    QCOMPARE(items[19]->text(), QStringLiteral("Com 20"));
    QVERIFY(items[20]->isSeparator());
    QCOMPARE(items.last(), w.Commands.MenuSerialDevices);
    QCOMPARE(w.Timer1->interval(), 55);
    QVERIFY(w.Timer1->isActive());
    QCOMPARE(w.SaveDialog1->defaultSuffix(), QStringLiteral("ign"));
}

void TestWindow::fillAndPackGeneralPage_data() {
    QTest::addColumn<int>("tps0");
    QTest::addColumn<int>("tps100");
    QTest::addColumn<int>("pulses");
    QTest::addColumn<int>("shown0");
    QTest::addColumn<int>("shown100");
    QTest::addColumn<int>("packed0");
    QTest::addColumn<int>("packed100");
    QTest::newRow("in range") << 20 << 10 << 2 << 200 << 2600 << 20 << 10;
    QTest::newRow("range ends") << 10 << 0 << 0 << 100 << 2500 << 10 << 0;
    QTest::newRow("below and above") << 0 << 250 << 1 << 100 << 4900 << 10 << 240;
    QTest::newRow("tps0 above") << 255 << 240 << 1 << 2500 << 4900 << 250 << 240;
}

void TestWindow::fillAndPackGeneralPage() {
    QFETCH(int, tps0);
    QFETCH(int, tps100);
    QFETCH(int, pulses);
    TFormHlav w;
    w.Image.Tps0() = Byte(tps0);
    w.Image.Tps100() = Byte(tps100);
    w.Image.PulsesMode() = Byte(pulses);
    w.FillEditors();
    QTEST(w.General.UpDownTps0->Position(), "shown0");
    QTEST(w.General.UpDownTps100->Position(), "shown100");
    QCOMPARE(w.General.UpDownTps100->Edit()->text(), Grouped(w.General.UpDownTps100->Position()));
    QCOMPARE(
        w.General.RadioGroupPocPulsu
            ->findChild<QAbstractButton*>(QStringLiteral("RadioGroupPocPulsuItem%1").arg(pulses))
            ->isChecked(),
        true);
    const ParameterImage before = w.Image;
    w.PackEditors();
    QTEST(int(w.Image.Tps0()), "packed0");
    QTEST(int(w.Image.Tps100()), "packed100");
    QCOMPARE(int(w.Image.PulsesMode()), pulses);
    // Nothing of the servo pages is touched by a pack of page 0.
    for (int i = 0; i < TableCells; ++i)
        QCOMPARE(w.Image.servo(0).CellAt(i), before.servo(0).CellAt(i));

    // And the other way: typed values reach the image.
    TypeInto(w.General.UpDownTps0, QStringLiteral("1230"));
    TypeInto(w.General.UpDownTps100, QStringLiteral("4000"));
    w.PackEditors();
    QCOMPARE(int(w.Image.Tps0()), 123);
    QCOMPARE(int(w.Image.Tps100()), 150);
    // Below the range: not taken, the previous position stands until the refill.
    TypeInto(w.General.UpDownTps0, QStringLiteral("50"));
    QCOMPARE(w.General.UpDownTps0->Edit()->text(), QStringLiteral("50"));
    w.PackEditors();
    QCOMPARE(int(w.Image.Tps0()), 123);
    w.FillEditors();
    QCOMPARE(w.General.UpDownTps0->Edit()->text(), Grouped(1230));
}

void TestWindow::fillAndPackServoPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("shownCell");
    QTest::addColumn<int>("packedCell");
    QTest::newRow("servo 1 mV") << 1 << 0 << 123 << 2460 << 123;
    QTest::newRow("servo 1 mV above range") << 1 << 0 << 253 << 5000 << 250;
    QTest::newRow("servo 2 mV") << 2 << 0 << 7 << 140 << 7;
    QTest::newRow("servo 2 per cent") << 2 << 1 << 77 << 77 << 77;
    QTest::newRow("servo 1 per cent above range") << 1 << 1 << 180 << 100 << 100;
}

void TestWindow::fillAndPackServoPage() {
    QFETCH(int, page);
    QFETCH(int, percent);
    QFETCH(int, cell);
    TFormHlav w;
    const ServoIndex s = page == 1 ? 0 : 1;
    auto servo = w.Image.servo(s);
    servo.PercentMode() = Byte(percent);
    servo.TpEnable() = 1;
    servo.ServoEnable() = 0;
    servo.HysteresisMv() = 255;
    servo.HysteresisRpm() = 3;
    servo.RpmPoints(14) = 255;
    servo.Cell(4, 9) = Byte(cell);
    w.AllCellsFlag[s] = 1;
    SelectPage(w, page);
    QTEST(w.ServoTable->Position({4, 9}), "shownCell");
    QCOMPARE(w.ServoTable->CellText({4, 9}), Grouped(w.ServoTable->Position({4, 9})));
    QCOMPARE(w.ServoTable->Position({RpmRow, 14}), 25000);
    QCOMPARE(w.ServoTable->CellText({RpmRow, 14}), Grouped(25000));
    QCOMPARE(w.UpDownHystMv->Position(), 1250);
    QCOMPARE(w.UpDownHystRpm->Position(), 15);
    QCOMPARE(w.CheckBoxProcenta->isChecked(), percent != 0);
    QVERIFY(w.CheckBoxTpEnable->isChecked());
    QVERIFY(!w.CheckBoxServoEnable->isChecked());
    QVERIFY(w.CheckBoxAll->isChecked());

    const ParameterImage other = w.Image;
    w.PackEditors();
    QTEST(int(w.Image.servo(s).Cell(4, 9)), "packedCell");
    QCOMPARE(int(w.Image.servo(s).RpmPoints(14)), 250);
    QCOMPARE(int(w.Image.servo(s).HysteresisMv()), 250);
    QCOMPARE(int(w.Image.servo(s).HysteresisRpm()), 3);
    QCOMPARE(int(w.Image.servo(s).PercentMode()), percent);
    QCOMPARE(int(w.Image.servo(s).TpEnable()), 1);
    QCOMPARE(int(w.Image.servo(s).ServoEnable()), 0);
    for (int i = 0; i < TableCells; ++i)
        QCOMPARE(w.Image.servo(1 - s).CellAt(i), other.servo(1 - s).CellAt(i));
    QCOMPARE(w.Image.Tps0(), other.Tps0());

    // Editors to image: a typed cell and cleared boxes are stored.
    TypeIntoCell(w, {2, 3}, QStringLiteral("60"));
    w.CheckBoxAll->setChecked(false);
    w.PackEditors();
    QCOMPARE(int(w.Image.servo(s).Cell(2, 3)), percent ? 60 : 3);
    QCOMPARE(int(w.AllCellsFlag[s]), 0);
}

void TestWindow::tpEnableHidesRowsButKeepsThem() {
    TFormHlav w;
    auto servo = w.Image.servo(0);
    servo.TpEnable() = 0;
    for (int i = 0; i < TableCells; ++i)
        servo.CellAt(i) = Byte(i % 200);
    SelectPage(w, 1);
    ShowActive(w);
    for (int r = 1; r < ThrottleRows; ++r)
        QVERIFY(!CellVisible(w, {r, 5}));
    QVERIFY(CellVisible(w, {0, 5}));
    QVERIFY(CellVisible(w, {RpmRow, 5}));
    QVERIFY(!w.ServoTable->IsRowLabelShown(0));
    // A hidden cell cannot be made current: the editor stays on what is shown.
    w.ServoTable->SetCurrentCell({4, 5});
    QCOMPARE(w.ServoTable->CurrentCell().Row < 1, true);
    QVERIFY(!w.LabelAxisThrottle->isVisible());
    QVERIFY(!w.CSpinButtonColumn[3]->isVisible());
    QVERIFY(w.LabelAxisRpm->isVisible());

    const ParameterImage before = w.Image;
    w.PackEditors();
    QCOMPARE(w.Image, before);

    QTest::mouseClick(w.CheckBoxTpEnable, Qt::LeftButton);
    QCOMPARE(int(w.Image.servo(0).TpEnable()), 1);
    QVERIFY(CellVisible(w, {9, 14}));
    QVERIFY(w.ServoTable->IsRowLabelShown(9));
    QVERIFY(w.CSpinButtonColumn[3]->isVisible());
    QVERIFY(w.GroupBoxServo->isVisible());
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
    for (int i = 0; i < TableCells; ++i)
        QCOMPARE(w.Image.servo(0).CellAt(i), before.servo(0).CellAt(i));
}

void TestWindow::percentSwitchConvertsBothWays() {
    TFormHlav w;
    auto servo = w.Image.servo(0);
    servo.PercentMode() = 0;
    servo.TpEnable() = 1;
    for (int i = 0; i <= 70; ++i)
        servo.CellAt(i) = Byte(100 + i);
    SelectPage(w, 1);
    ShowActive(w);

    QTest::mouseClick(w.CheckBoxProcenta, Qt::LeftButton);
    QCOMPARE(int(w.Image.servo(0).PercentMode()), 1);
    for (int i = 0; i <= 70; ++i)
        QCOMPARE(int(w.Image.servo(0).CellAt(i)), (2 * (100 + i + 1)) / 5);
    QCOMPARE(int(w.Image.servo(0).CellAt(0)), 40);
    QCOMPARE(int(w.Image.servo(0).CellAt(70)), 68);
    w.ServoTable->SetCurrentCell({0, 0});
    QCOMPARE(w.ServoTable->Model().RangeOf({5, 5}), CellRangePercent);
    QCOMPARE(w.ServoTable->Editor()->maximum(), 100);
    QCOMPARE(w.ServoTable->Editor()->singleStep(), 1);
    QCOMPARE(w.ServoTable->Position({0, 0}), 40);

    QTest::mouseClick(w.CheckBoxProcenta, Qt::LeftButton);
    QCOMPARE(int(w.Image.servo(0).PercentMode()), 0);
    const std::array<int, 5> expected{100, 100, 102, 102, 105};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(int(w.Image.servo(0).CellAt(i)), expected[i]);
    for (int i = 0; i <= 70; ++i)
        QCOMPARE(int(w.Image.servo(0).CellAt(i)), (5 * ((2 * (100 + i + 1)) / 5)) / 2);
    QCOMPARE(w.ServoTable->Model().RangeOf({5, 5}), CellRangeMillivolts);
    QCOMPARE(w.ServoTable->Editor()->maximum(), 5000);
    QCOMPARE(w.ServoTable->Editor()->singleStep(), 20);
    QCOMPARE(w.ServoTable->Position({0, 2}), 2040);
    QCOMPARE(w.Session.History.CurrentIndex(), 2);
}

void TestWindow::percentClickWithoutConversionStillCommits() {
    TFormHlav w;
    SelectPage(w, 1);
    ShowActive(w);
    // The stored mode turns to per cent behind the editors' back (as a read does before its
    // refill): the box still shows millivolts.
    w.Image.servo(0).PercentMode() = 1;
    w.Image.servo(0).Cell(0, 0) = 60;
    w.Image.servo(0).RpmPoints(3) = 1; // below its neighbour: the commit normalises it
    QVERIFY(!w.CheckBoxProcenta->isChecked());
    QTest::mouseClick(w.CheckBoxProcenta, Qt::LeftButton);
    QCOMPARE(int(w.Image.servo(0).Cell(0, 0)), 60); // not converted
    QCOMPARE(w.ServoTable->Position({0, 0}), 60);   // refilled in per-cent units
    QCOMPARE(w.ServoTable->Model().RangeOf({0, 0}).Max, 100);
    QVERIFY(w.Image.servo(0).RpmPoints(3) > w.Image.servo(0).RpmPoints(2));
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
}

void TestWindow::pageChangeShowsServo2InSameEditors() {
    TFormHlav w;
    w.Image.servo(0).Cell(0, 0) = 10;
    w.Image.servo(1).Cell(0, 0) = 20;
    w.Image.servo(1).PercentMode() = 1;
    w.Image.servo(1).TpEnable() = 1;
    TServoTable* table = w.ServoTable;
    SelectPage(w, 1);
    table->SetCurrentCell({0, 0});
    TEditUpDown* cell = table->Editor();
    QCOMPARE(w.GroupBoxServo->parentWidget(), w.TabSheet_Servo1);
    QCOMPARE(table->Position({0, 0}), 200);
    cell->SetPosition(400); // typed but never packed: the page change discards it
    SelectPage(w, 2);
    QCOMPARE(w.GroupBoxServo->parentWidget(), w.TabSheet_Servo2);
    QCOMPARE(w.ServoTable, table);
    QCOMPARE(table->Editor(), cell);
    QCOMPARE(table->Position({0, 0}), 20);
    QCOMPARE(cell->maximum(), 100);
    QVERIFY(table->isVisibleTo(w.GroupBoxServo) && table->IsCellShown({5, 5}));
    QVERIFY(!w.GroupBoxServo->isHidden());
    QCOMPARE(int(w.Image.servo(0).Cell(0, 0)), 10);
    QCOMPARE(w.Session.History.CurrentIndex(), 0);
}

void TestWindow::enterMovesFocusAndCommits_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("number") << "1240" << 62;
    QTest::newRow("grouped number") << Grouped(1240) << 62;
    // A number beyond the range is refused whole; it never becomes a value nobody typed ("600").
    QTest::newRow("number beyond range") << "6000" << 50;
    QTest::newRow("grouped number beyond range") << Grouped(6000) << 50;
    QTest::newRow("not a number") << "abc" << 50;
    QTest::newRow("empty") << "" << 50;
}

void TestWindow::enterMovesFocusAndCommits() {
    QFETCH(QString, typed);
    TFormHlav w;
    w.Image.servo(0).Cell(0, 0) = 50;
    w.Session.ResetHistory();
    SelectPage(w, 1);
    ShowActive(w);
    TypeIntoCell(w, {0, 0}, typed);
    QTest::keyClick(w.ServoTable->Editor()->Edit(), Qt::Key_Return);
    QTEST(int(w.Image.servo(0).Cell(0, 0)), "stored");
    QCOMPARE(w.ServoTable->CellText({0, 0}), Grouped(20 * w.Image.servo(0).Cell(0, 0)));
    QCOMPARE(w.ServoTable->CurrentCell(), TableCell({0, 1}));
    QVERIFY(w.ServoTable->Editor()->hasFocus());
    QCOMPARE(w.ServoTable->Editor()->Edit()->text(), w.ServoTable->CellText({0, 1}));
    QCOMPARE(w.Session.History.CurrentIndex(), w.Image.servo(0).Cell(0, 0) != 50 ? 1 : 0);

    // Enter in "Programming after change" commits as well.
    w.Live.CheckBoxProgHned->setFocus();
    w.Image.servo(0).Cell(1, 1) = 9; // a change behind the editors, packed over by the commit
    TypeIntoCell(w, {0, 5}, QStringLiteral("300"));
    w.Live.CheckBoxProgHned->setFocus();
    QTest::keyClick(w.Live.CheckBoxProgHned, Qt::Key_Return);
    QCOMPARE(int(w.Image.servo(0).Cell(0, 5)), 15);
}

void TestWindow::arrowClickAndEditClickCommit() {
    TFormHlav w;
    w.Image.servo(1).Cell(0, 4) = 30;
    SelectPage(w, 2);
    ShowActive(w);
    // An arrow of a drawn cell: the cell becomes current and steps.
    QCOMPARE_NE(w.ServoTable->CurrentCell(), TableCell({0, 4}));
    QTest::mouseClick(w.ServoTable, Qt::LeftButton, {},
                      w.ServoTable->ArrowCentre({0, 4}, QStyle::SC_SpinBoxUp));
    QCOMPARE(int(w.Image.servo(1).Cell(0, 4)), 31);
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
    QCOMPARE(w.ServoTable->CurrentCell(), TableCell({0, 4}));

    TypeIntoCell(w, {RpmRow, 1}, QStringLiteral("1500"));
    QTest::mouseClick(w.ServoTable->Editor()->Edit(), Qt::LeftButton);
    QCOMPARE(int(w.Image.servo(1).RpmPoints(1)), 15);
    QCOMPARE(w.Session.History.CurrentIndex(), 2);
}

namespace {

// The editors of the tables and fields, each at a value with room to step up.
void AddSteppedEditors() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QPoint>("cell"); // of ServoTable: x the column, y the row
    QTest::addColumn<int>("step");
    QTest::newRow("table cell") << 1 << "ServoTable" << QPoint(4, 3) << 20;
    QTest::newRow("table cell per cent") << 2 << "ServoTable" << QPoint(9, 0) << 1;
    QTest::newRow("rpm point") << 1 << "ServoTable" << QPoint(14, RpmRow) << 100;
    QTest::newRow("hysteresis") << 2 << "UpDownHystRpm" << QPoint() << 5;
    QTest::newRow("tps 0 %") << 0 << "UpDownTps0" << QPoint() << 10;
}

// An editor of AddSteppedEditors as the mouse and the tests reach it: a cell through the table
// that draws it, any other editor itself.
struct SteppedEditor {
    TFormHlav& w;
    TEditUpDown* Single = nullptr; // null for a table cell
    TableCell Cell;

    static SteppedEditor Of(TFormHlav& w, const QString& name, QPoint cell) {
        return {w, name == QLatin1String("ServoTable") ? nullptr : w.findChild<TEditUpDown*>(name),
                TableCell{cell.y(), cell.x()}};
    }
    bool Shown() const { return Single ? Single->isVisible() : CellVisible(w, Cell); }
    // What gets the mouse, and the point of the up arrow and the middle in its coordinates.
    QWidget* Target() const { return Single ? Single : static_cast<QWidget*>(w.ServoTable); }
    QPoint Up() const {
        return Single ? ArrowCentre(Single, QStyle::SC_SpinBoxUp)
                      : w.ServoTable->ArrowCentre(Cell, QStyle::SC_SpinBoxUp);
    }
    QPointF Middle() const {
        return Single ? QRectF(Single->rect()).center()
                      : QRectF(TServoTable::CellRect(Cell)).center();
    }
    int Position() const { return Single ? Single->Position() : w.ServoTable->Position(Cell); }
    QString Text() const { return Single ? Single->Edit()->text() : w.ServoTable->CellText(Cell); }
    // The real editor that has the focus when this one is focused.
    TEditUpDown* Focusable() const {
        if (!Single)
            w.ServoTable->SetCurrentCell(Cell);
        return Single ? Single : w.ServoTable->Editor();
    }
    bool HasFocus() const {
        return Single ? Single->hasFocus()
                      : w.ServoTable->Editor()->hasFocus() && w.ServoTable->CurrentCell() == Cell;
    }
};

// A window on `page` whose editors all have room above their values; servo 2 in per cent.
void PrepareSteppedEditors(TFormHlav& w, int page) {
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        auto servo = w.Image.servo(s);
        servo.PercentMode() = s == 1 ? 1 : 0;
        servo.TpEnable() = 1;
        for (int i = 0; i < TableCells; ++i)
            servo.CellAt(i) = 40;
        servo.RpmPoints(14) = 200;
        servo.HysteresisRpm() = 10;
    }
    w.Image.Tps0() = 50;
    SelectPage(w, page);
    w.FillEditors();
    w.Session.ResetHistory();
}

} // namespace

void TestWindow::heldArrowRepeatsUntilReleased_data() {
    AddSteppedEditors();
}

// Held on an arrow, every up-down steps at once, then again and again after the style's delay,
// and stops on release. Each step is an arrow click: packed, committed and recorded.
void TestWindow::heldArrowRepeatsUntilReleased() {
    QFETCH(int, page);
    QFETCH(QString, editor);
    QFETCH(QPoint, cell);
    QFETCH(int, step);
    TFormHlav w;
    PrepareSteppedEditors(w, page);
    ShowActive(w);
    const SteppedEditor held = SteppedEditor::Of(w, editor, cell);
    QVERIFY(held.Shown());
    const int start = held.Position();
    const int startIndex = w.Session.History.CurrentIndex();
    const int delay = StyleHint(held.Target(), QStyle::SH_SpinBox_ClickAutoRepeatThreshold);
    const int rate = StyleHint(held.Target(), QStyle::SH_SpinBox_ClickAutoRepeatRate);
    const QPoint up = held.Up();

    QTest::mousePress(held.Target(), Qt::LeftButton, {}, up);
    QCOMPARE(held.Position(), start + step);
    QTRY_VERIFY_WITH_TIMEOUT(held.Position() >= start + 4 * step, delay + 40 * rate);
    QTest::mouseRelease(held.Target(), Qt::LeftButton, {}, up);
    const int released = held.Position();
    QTest::qWait(delay + 3 * rate);
    QCOMPARE(held.Position(), released);
    QCOMPARE(w.Session.History.CurrentIndex(), startIndex + (released - start) / step);
    w.PackEditors();
    const ParameterImage packed = w.Image;
    w.Session.RestoreSnapshot(); // the last recorded entry holds the last step
    QCOMPARE(w.Image, packed);
}

void TestWindow::wheelStepsOnlyTheFocusedEditor_data() {
    AddSteppedEditors();
}

// Scrolling over an editor without the keyboard focus changes nothing, records nothing and
// programs nothing, even with "Programming after change" ticked; the focused editor steps.
void TestWindow::wheelStepsOnlyTheFocusedEditor() {
    QFETCH(int, page);
    QFETCH(QString, editor);
    QFETCH(QPoint, cell);
    QFETCH(int, step);
    TFormHlav w;
    PrepareSteppedEditors(w, page);
    ShowActive(w);
    const SteppedEditor scrolled = SteppedEditor::Of(w, editor, cell);
    QVERIFY(scrolled.Shown());
    // The focus elsewhere: in the first cell of the table, or in TPS 100 % on the general page.
    if (page != 0)
        w.ServoTable->SetCurrentCell({0, 0});
    TEditUpDown* focused = page == 0 ? w.General.UpDownTps100 : w.ServoTable->Editor();
    focused->setFocus(Qt::MouseFocusReason);
    w.Live.CheckBoxProgHned->setChecked(true);
    const ParameterImage before = w.Image;
    const int start = scrolled.Position();
    const int startIndex = w.Session.History.CurrentIndex();

    if (scrolled.Single) {
        for (QWidget* part : {static_cast<QWidget*>(scrolled.Single->Edit()),
                              static_cast<QWidget*>(scrolled.Single)})
            for (int notches : {1, -1, 3})
                WheelNotch(part, notches);
    } else {
        for (int notches : {1, -1, 3})
            WheelNotch(w.ServoTable, notches, scrolled.Middle());
    }
    QCOMPARE(scrolled.Position(), start);
    QCOMPARE(scrolled.Text(), Grouped(start));
    QVERIFY(!scrolled.HasFocus());
    QVERIFY(focused->hasFocus());
    QCOMPARE(w.Image, before);
    QCOMPARE(w.Session.History.CurrentIndex(), startIndex);
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);

    TEditUpDown* now = scrolled.Focusable();
    now->setFocus(Qt::MouseFocusReason);
    QVERIFY(scrolled.HasFocus());
    WheelNotch(now->Edit(), 1);
    QCOMPARE(scrolled.Position(), start + step);
    QCOMPARE(w.Session.History.CurrentIndex(), startIndex + 1);
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
}

void TestWindow::focusStaysInEditorAfterCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("focused"); // the editor that has the focus after the command
    const QString cell = QStringLiteral("UpDownServoTable"); // the table's editor, in cell (0, 3)
    QTest::newRow("undo button") << "undo button" << cell;
    QTest::newRow("redo button") << "redo button" << cell;
    QTest::newRow("undo shortcut") << "undo shortcut" << cell;
    QTest::newRow("language menu") << "language menu" << cell;
    QTest::newRow("other servo page") << "servo 2 tab" << cell;
    QTest::newRow("general page") << "general tab"
                                  << "UpDownTps0";
    QTest::newRow("undo to the general page") << "undo twice"
                                              << "UpDownTps0";
}

// A command that refills the servo editors leaves the keyboard focus in the editor the user was
// in: a following Space must not tick "Programming after change".
void TestWindow::focusStaysInEditorAfterCommand() {
    QFETCH(QString, command);
    QFETCH(QString, focused);
    dorv::CurrentLanguage = dorv::Language::English;
    TFormHlav w;
    PrepareSteppedEditors(w, 1);
    ShowActive(w);
    // The history: an entry of the general page, then three changes on this page and one undo;
    // undo and redo stay on this page, a second undo goes to the general page.
    w.Session.History.ResetHistory(w.Image, 0);
    for (const Byte value : {1, 2, 3}) {
        w.Image.servo(0).Cell(0, 0) = value;
        w.Session.Commit();
    }
    w.OnUndo();
    QCOMPARE(w.ActivePage(), 1);
    QTest::mouseClick(w.ServoTable, Qt::LeftButton, {}, TServoTable::CellRect({0, 3}).center());
    TEditUpDown* cell = w.ServoTable->Editor();
    QVERIFY(cell->hasFocus());
    QCOMPARE(w.ServoTable->CurrentCell(), TableCell({0, 3}));

    if (command == QLatin1String("undo button")) {
        QTest::mouseClick(w.Commands.SpeedButtonZpet, Qt::LeftButton);
    } else if (command == QLatin1String("redo button")) {
        QTest::mouseClick(w.Commands.SpeedButtonZnovu, Qt::LeftButton);
    } else if (command == QLatin1String("undo shortcut")) {
        QTest::keyClick(cell->Edit(), Qt::Key_Z, Qt::ControlModifier);
    } else if (command == QLatin1String("language menu")) {
        // Through the menu as a user goes: Alt+L opens it, G picks German.
        QTest::keyClick(&w, Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_G);
        QTRY_COMPARE(dorv::LanguageNumber(dorv::CurrentLanguage), 2);
    } else if (command == QLatin1String("undo twice")) {
        QTest::mouseClick(w.Commands.SpeedButtonZpet, Qt::LeftButton);
        QTest::mouseClick(w.Commands.SpeedButtonZpet, Qt::LeftButton);
        QCOMPARE(w.ActivePage(), 0);
    } else {
        QTabBar* tabs = w.PageControl1->tabBar();
        const int page = command == QLatin1String("general tab") ? 0 : 2;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        QCOMPARE(w.ActivePage(), page);
    }
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    auto* expected = w.findChild<QWidget*>(focused);
    QVERIFY(expected && expected->isVisible());
    QVERIFY2(expected->hasFocus(), QApplication::focusWidget()
                                       ? qPrintable(QApplication::focusWidget()->objectName())
                                       : "no focus");
    if (expected == w.ServoTable->Editor())
        QCOMPARE(w.ServoTable->CurrentCell(), TableCell({0, 3}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(!w.Live.CheckBoxProgHned->isChecked());
    dorv::CurrentLanguage = dorv::Language::Czech;
}

void TestWindow::startFocusInFirstEditorOfPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focused");
    QTest::newRow("general page") << 0 << "UpDownTps0";
    QTest::newRow("servo 1") << 1 << "UpDownServoTable"; // in the first RPM point
    QTest::newRow("servo 2") << 2 << "UpDownServoTable";
}

// A window opening on any page has the focus in the page's first editor, not in a check box.
void TestWindow::startFocusInFirstEditorOfPage() {
    QFETCH(int, page);
    QFETCH(QString, focused);
    TFormHlav w;
    w.SetActivePage(page);
    w.FillEditors();
    ShowActive(w);
    auto* expected = w.findChild<QWidget*>(focused);
    QVERIFY(expected);
    QTRY_VERIFY2(expected->hasFocus(), QApplication::focusWidget()
                                           ? qPrintable(QApplication::focusWidget()->objectName())
                                           : "no focus");
    if (page != 0)
        QCOMPARE(w.ServoTable->CurrentCell(), TableCell({RpmRow, 0}));
}

void TestWindow::focusedControlShowsFocus_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("reason");
    QTest::newRow("prog after change, clicked") << "CheckBoxProgHned" << int(Qt::MouseFocusReason);
    QTest::newRow("prog after change, moved") << "CheckBoxProgHned" << int(Qt::OtherFocusReason);
    QTest::newRow("all, clicked") << "CheckBoxAll" << int(Qt::MouseFocusReason);
    QTest::newRow("read button, clicked") << "ButtonRead" << int(Qt::MouseFocusReason);
    QTest::newRow("table cell, clicked") << "UpDownServoTable" << int(Qt::MouseFocusReason);
    QTest::newRow("pulses item, moved") << "RadioGroupPocPulsuItem1" << int(Qt::OtherFocusReason);
}

// Whatever took the focus, and however, is drawn otherwise than without it.
void TestWindow::focusedControlShowsFocus() {
    QFETCH(QString, control);
    QFETCH(int, reason);
    TFormHlav w;
    SelectPage(w, control.startsWith(QLatin1String("Radio")) ? 0 : 1);
    ShowActive(w);
    auto* shown = w.findChild<QWidget*>(control);
    QVERIFY(shown && shown->isVisible());
    QWidget* other =
        w.ActivePage() == 0 ? static_cast<QWidget*>(w.General.UpDownTps0) : w.UpDownHystMv;
    other->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(other->hasFocus());
    const QImage without = shown->grab().toImage();
    shown->setFocus(static_cast<Qt::FocusReason>(reason));
    QTRY_VERIFY(shown->hasFocus());
    const QImage with = shown->grab().toImage();
    QVERIFY(with != without);
}

// The red face of "Programming after change" says at once whether it is ticked.
void TestWindow::progAfterChangeFaceFollowsTickAtOnce() {
    TFormHlav w;
    ShowActive(w);
    QCheckBox* box = w.Live.CheckBoxProgHned;
    const QColor face = w.palette().color(QPalette::Button);
    // Red, or red under the light tint of the focus mark.
    const auto redPixels = [box] {
        const QImage picture = box->grab().toImage();
        int red = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                red += c.red() >= 200 && c.green() <= 60 && c.blue() <= 60 ? 1 : 0;
            }
        return red;
    };
    QCOMPARE(redPixels(), 0);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(box->isChecked());
    QCOMPARE(box->palette().color(QPalette::Window), QColor(Qt::red));
    QVERIFY(redPixels() > box->width() * box->height() / 2);
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(!box->isChecked());
    QCOMPARE(box->palette().color(QPalette::Window), face);
    QCOMPARE(redPixels(), 0);
    box->setChecked(true); // as a stored or restored state sets it
    QCOMPARE(box->palette().color(QPalette::Window), QColor(Qt::red));
    QCOMPARE(w.Session.History.CurrentIndex(), 0); // a tick alone is no change of the image
}

void TestWindow::undoShortcutInsideCellEditor() {
    TFormHlav w;
    const ParameterImage original = w.Image;
    SelectPage(w, 1);
    ShowActive(w);
    // With nothing to undo, Ctrl+Z does not undo the edit's text either.
    TypeIntoCell(w, {0, 2}, QStringLiteral("80"));
    QLineEdit* edit = w.ServoTable->Editor()->Edit();
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("80"));

    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(int(w.Image.servo(0).Cell(0, 2)), 4);
    QVERIFY(w.Commands.MenuZpet->isEnabled());
    SelectPage(w, 2);
    TypeIntoCell(w, {0, 7}, QStringLiteral("3"));
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Image, original);
    QCOMPARE(w.ActivePage(), 0); // the page of the restored entry
    QVERIFY(!w.Commands.MenuZpet->isEnabled());
    QVERIFY(w.Commands.MenuZnovu->isEnabled());
    QVERIFY(!w.Commands.SpeedButtonZpet->isEnabled());

    SelectPage(w, 1);
    w.ServoTable->SetCurrentCell({0, 0});
    w.ServoTable->Editor()->setFocus();
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(int(w.Image.servo(0).Cell(0, 2)), 4);
    QCOMPARE(w.ActivePage(), 1);
    QCOMPARE(w.ServoTable->CellText({0, 2}), QStringLiteral("80"));
}

void TestWindow::menuShortcutsActFromCellEditor_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("new") << "MenuNew" << QKeySequence(Qt::CTRL | Qt::Key_N);
    QTest::newRow("save") << "MenuSave" << QKeySequence(Qt::Key_F2);
    QTest::newRow("open") << "MenuOpen" << QKeySequence(Qt::Key_F3);
    QTest::newRow("print") << "MenuPrint" << QKeySequence(Qt::CTRL | Qt::Key_P);
    QTest::newRow("read") << "MenuRead" << QKeySequence(Qt::Key_F7);
    QTest::newRow("verify") << "MenuVerify" << QKeySequence(Qt::Key_F8);
    QTest::newRow("program") << "MenuProgram" << QKeySequence(Qt::Key_F9);
    QTest::newRow("minus") << "MenuToolsMinus" << QKeySequence(Qt::Key_F4);
    QTest::newRow("plus") << "MenuToolsPlus" << QKeySequence(Qt::Key_F5);
    QTest::newRow("undo") << "MenuZpet" << QKeySequence(Qt::CTRL | Qt::Key_Z);
    QTest::newRow("redo") << "MenuZnovu" << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z);
    QTest::newRow("contents") << "MenuContens" << QKeySequence(Qt::Key_F1);
}

void TestWindow::menuShortcutsActFromCellEditor() {
    QFETCH(QString, item);
    QFETCH(QKeySequence, keys);
    TFormHlav w;
    SelectPage(w, 1);
    ShowActive(w);
    // Two changes and one undo: both undo and redo are possible.
    w.Image.servo(0).Cell(0, 0) = 1;
    w.Session.Commit();
    w.Image.servo(0).Cell(0, 0) = 2;
    w.Session.Commit();
    w.OnUndo();
    auto* action = w.findChild<QAction*>(item);
    QVERIFY(action);
    QCOMPARE(action->shortcut(), keys);
    QSignalSpy triggered(action, &QAction::triggered);
    CloseModalBoxesSoon(&w);
    w.ServoTable->SetCurrentCell({0, 3});
    w.ServoTable->Editor()->setFocus();
    QVERIFY(w.ServoTable->Editor()->Edit()->hasFocus());
    QTest::keySequence(w.ServoTable->Editor()->Edit(), keys);
    QCOMPARE(triggered.size(), 1);
}

void TestWindow::pulsesChoiceRecordedWithoutRefill() {
    TFormHlav w;
    ShowActive(w);
    TypeInto(w.General.UpDownTps0, QStringLiteral("700")); // typed, not committed
    auto* item = w.General.RadioGroupPocPulsu->findChild<QAbstractButton*>(
        QStringLiteral("RadioGroupPocPulsuItem2"));
    QTest::mouseClick(item, Qt::LeftButton);
    QCOMPARE(int(w.Image.PulsesMode()), 2);
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
    QCOMPARE(w.Session.History.Current().PageIndex, 0);
    QCOMPARE(w.General.UpDownTps0->Edit()->text(), QStringLiteral("700"));
    QVERIFY(w.Image.Tps0() != 70);
}

void TestWindow::columnSpinButtonStepsColumn() {
    TFormHlav w;
    auto servo = w.Image.servo(1);
    servo.TpEnable() = 1;
    for (int r = 0; r < ThrottleRows; ++r)
        servo.Cell(r, 6) = Byte(100 + r);
    servo.Cell(9, 6) = 249;
    SelectPage(w, 2);
    ShowActive(w);
    TCSpinButton* spin = w.CSpinButtonColumn[6];
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 3));
    for (int r = 0; r < 9; ++r)
        QCOMPARE(int(w.Image.servo(1).Cell(r, 6)), 101 + r);
    QCOMPARE(int(w.Image.servo(1).Cell(9, 6)), 249);
    QCOMPARE(int(w.Image.servo(1).Cell(0, 7)), int(servo.Cell(0, 7)));
    QCOMPARE(w.ServoTable->Position({0, 6}), 2020);
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
}

void TestWindow::storedPageOutsideRangeShowsPage0() {
    TFormHlav w;
    w.SetActivePage(2);
    QCOMPARE(w.ActivePage(), 2);
    w.SetActivePage(7);
    QCOMPARE(w.ActivePage(), 0);
    w.SetActivePage(-1);
    QCOMPARE(w.ActivePage(), 0);
}

void TestWindow::languageMenuSwitchesTextsAndMessages() {
    dorv::CurrentLanguage = dorv::Language::Czech;
    TFormHlav w;
    ShowActive(w);
    QCOMPARE(w.windowTitle(), QStringLiteral("Nastavování jednotky \"DORV\""));
    QCOMPARE(w.CheckBoxAll->text(), QStringLiteral("Vše"));
    QVERIFY(w.Commands.MenuCzech->isChecked());
    w.Image.servo(1).Cell(0, 0) = 33;
    w.Commands.MenuEnglish->trigger();
    QCOMPARE(dorv::LanguageNumber(dorv::CurrentLanguage), 1);
    QVERIFY(w.Commands.MenuEnglish->isChecked() && !w.Commands.MenuCzech->isChecked() &&
            !w.Commands.MenuGerman->isChecked());
    QCOMPARE(w.windowTitle(), QStringLiteral("Programming of \"DORV\" unit"));
    QCOMPARE(w.Commands.MenuFile->title(), QStringLiteral("&File"));
    QCOMPARE(w.Commands.ButtonRead->text(), QStringLiteral("&Read"));
    QCOMPARE(w.LabelHystRpm->text(), QStringLiteral("Hysteresis [RPM]"));
    QCOMPARE(w.PageControl1->tabText(2), QStringLiteral("Servo 2"));
    QCOMPARE(w.Commands.MenuToolsMinus->text(), QStringLiteral("Minus "));
    QCOMPARE(w.Messages.MsgReadError, QStringLiteral("Read error!"));
    QCOMPARE(w.Messages.HelpFileName, QStringLiteral("DORV_manual_en.pdf"));
    // Not connected: the live labels show their placeholders in the new language.
    QVERIFY(w.Live.LabelSpojeni->isVisible());
    QCOMPARE(w.Live.LabelServoPoz1->text(), QStringLiteral("Servo desired 1 = --- mV"));
    QCOMPARE(w.General.LabelPocetProgramovani->text(),
             QStringLiteral("Number of Programing = ---"));
    // The label fits its new text.
    QVERIFY(w.Live.LabelServoPoz1->width() >= w.Live.LabelServoPoz1->sizeHint().width());

    // Connected: a switch keeps the live values; the editors are refilled.
    w.Live.LabelSpojeni->hide();
    w.Live.LabelServoPoz1->setText(QStringLiteral("Servo desired 1 = 2400 mV"));
    w.Commands.MenuGerman->trigger();
    QCOMPARE(w.Live.LabelServoPoz1->text(), QStringLiteral("Servo desired 1 = 2400 mV"));
    QCOMPARE(w.CheckBoxServoEnable->text(), QStringLiteral("Servo zulassen"));
    QCOMPARE(w.Messages.MsgDefaultQuestion,
             QStringLiteral("Wollen Sie Standardeinstellungen öffnen?"));
    SelectPage(w, 2);
    QCOMPARE(w.ServoTable->Position({0, 0}), 660);
    dorv::CurrentLanguage = dorv::Language::Czech;
}

void TestWindow::hintsOnStatusBarInEnglish() {
    dorv::CurrentLanguage = dorv::Language::English;
    TFormHlav w;
    ShowActive(w);
    QCOMPARE(w.Commands.ButtonProgram->toolTip(),
             QStringLiteral("Programing  set parametrs to ignition"));
    QTest::mouseMove(w.Commands.ButtonProgram);
    QTRY_COMPARE(w.StatusBar1->currentMessage(),
                 QStringLiteral("Programing  set parametrs to ignition"));
    // The offscreen platform passes no synthetic cursor move on to the menu bar: send one.
    const QPointF item =
        w.menuBar()->actionGeometry(w.Commands.MenuLanguage->menuAction()).center();
    QMouseEvent move(QEvent::MouseMove, item, w.menuBar()->mapToGlobal(item), Qt::NoButton,
                     Qt::NoButton, {});
    QCoreApplication::sendEvent(w.menuBar(), &move);
    QTRY_COMPARE(w.StatusBar1->currentMessage(), QStringLiteral("Set English or German or French"));
    QCOMPARE(w.Commands.SpeedButtonNew->toolTip(), QStringLiteral("New"));
    dorv::CurrentLanguage = dorv::Language::Czech;
}

void TestWindow::aboutCaptionFollowsLanguage() {
    dorv::CurrentLanguage = dorv::Language::Czech;
    TFormHlav w;
    TFormAbout about(&w);
    w.FormAbout = &about;
    ShowActive(w);
    QStringList captions;
    QList<bool> logoShown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&captions, &logoShown, &about] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            captions << box->windowTitle();
            const auto* logo = about.findChild<QLabel*>(QStringLiteral("Image1"));
            logoShown << (logo && !logo->pixmap().isNull());
            box->close();
        }
    });
    closer.start(20);
    w.Commands.MenuAbout->trigger();
    w.Commands.MenuGerman->trigger();
    w.Commands.MenuAbout->trigger();
    QCOMPARE(captions, QStringList({QStringLiteral("O programu DORV"),
                                    QStringLiteral("Über Programm DORV")}));
    // The logo, drawn at the first showing, is there at every showing.
    QCOMPARE(logoShown, QList<bool>({true, true}));
    dorv::CurrentLanguage = dorv::Language::Czech;
}

// The window starts without the about box; Help > About makes it, shows it with its logo and
// keeps it for the next time.
void TestWindow::aboutBoxMadeOnFirstUse() {
    dorv::CurrentLanguage = dorv::Language::Czech;
    TFormHlav w;
    ShowActive(w);
    QVERIFY(!w.FormAbout);
    QList<QWidget*> shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            const auto* logo = box->findChild<QLabel*>(QStringLiteral("Image1"));
            if (logo && !logo->pixmap().isNull() && box->windowTitle() == "O programu DORV")
                shown << box;
            box->close();
        }
    });
    closer.start(20);
    w.Commands.MenuAbout->trigger();
    QVERIFY(w.FormAbout);
    w.Commands.MenuAbout->trigger();
    QCOMPARE(shown, QList<QWidget*>({w.FormAbout, w.FormAbout}));
}

void TestWindow::servoValuesStayInTheirColumns_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("Czech") << 0;
    QTest::newRow("English") << 1;
    QTest::newRow("German") << 2;
    QTest::newRow("French") << 3;
}

// Counts the layout requests a widget receives.
struct LayoutRequestCounter : QObject {
    explicit LayoutRequestCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        Count += event->type() == QEvent::LayoutRequest;
        return false;
    }
    int Count = 0;
};

// The four servo labels share one size per language, whatever the values; the widest values the
// unit can report stay in their columns.
void TestWindow::servoValuesStayInTheirColumns() {
    QFETCH(int, language);
    dorv::CurrentLanguage = dorv::LanguageOfNumber(language);
    TFormHlav w;
    const std::array<QLabel*, 4> labels{w.Live.LabelServoPoz1, w.Live.LabelServoMer1,
                                        w.Live.LabelServoPoz2, w.Live.LabelServoMer2};
    const int size = w.Live.LabelServoPoz1->font().pixelSize();
    QVERIFY(size >= dorv::MinimumFittedPixelSize && size <= TFormHlav::ServoLabelPixelSize);
    const QStringList widest = dorv::WidestServoTexts(w.Messages);
    QCOMPARE(widest.size(), 4);
    QVERIFY2(widest[0].contains(QStringLiteral("65535")), qPrintable(widest[0]));
    for (const QString& shown : {QStringLiteral("---"), QStringLiteral("1 = 480 mV")}) {
        for (int i = 0; i < 4; ++i) {
            dorv::SetLabelText(labels[i], widest[i]);
            QCoreApplication::processEvents(); // the layout requests the texts post
            QCOMPARE(labels[i]->font().pixelSize(), size);
        }
        for (QLabel* left : {w.Live.LabelServoPoz1, w.Live.LabelServoMer1})
            QVERIFY2(left->geometry().right() < w.Live.LabelServoPoz2->x(),
                     qPrintable(left->text()));
        for (QLabel* right : {w.Live.LabelServoPoz2, w.Live.LabelServoMer2})
            QVERIFY2(right->geometry().right() < TFormHlav::DesignWidth, qPrintable(right->text()));
        dorv::SetLabelText(w.Live.LabelServoMer1, shown);
        QCoreApplication::processEvents();
        QCOMPARE(w.Live.LabelServoMer1->font().pixelSize(), size);
    }
    // Once the texts are shown the window settles: fitting the labels asks for no new layout.
    QCoreApplication::processEvents();
    LayoutRequestCounter requests(w.findChild<QWidget*>(QStringLiteral("ClientArea")));
    QTest::qWait(100);
    QCOMPARE(requests.Count, 0);
    dorv::CurrentLanguage = dorv::Language::Czech;
}

// The size estimated from another font is the one a scan from the largest size down finds, for the
// widest servo texts of every language, rooms around each size's width and guides of other sizes.
void TestWindow::fittedSizeIsTheLargestThatFits() {
    const auto scanned = [](QFont font, int room, const QStringList& texts) {
        int size = font.pixelSize();
        for (; size > dorv::MinimumFittedPixelSize; --size) {
            font.setPixelSize(size);
            const QFontMetrics metrics(font);
            if (std::all_of(texts.cbegin(), texts.cend(), [&](const QString& text) {
                    return metrics.horizontalAdvance(text) <= room;
                }))
                break;
        }
        return size;
    };
    QFont designed;
    designed.setPixelSize(TFormHlav::ServoLabelPixelSize);
    for (int language = 0; language < dorv::LanguageCount; ++language) {
        const QStringList texts =
            dorv::WidestServoTexts(dorv::MessagesFor(dorv::LanguageOfNumber(language)));
        for (int guideSize : {11, 19, 23}) {
            QFont guide = designed;
            guide.setPixelSize(guideSize);
            for (int size = dorv::MinimumFittedPixelSize; size <= designed.pixelSize(); ++size) {
                QFont at = designed;
                at.setPixelSize(size);
                int width = 0;
                for (const QString& text : texts)
                    width = std::max(width, QFontMetrics(at).horizontalAdvance(text));
                for (int room : {width - 1, width, width + 1}) {
                    QCOMPARE(dorv::FittedPixelSize(designed, room, texts, guide),
                             scanned(designed, room, texts));
                }
            }
        }
    }
}

// A label made hidden is measured only when it is shown; it then fits its text, also one a change
// of language set while it was hidden.
void TestWindow::hiddenLabelFitsItsTextWhenShown() {
    TFormHlav w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QLabel* label = w.Live.LabelEeDataErr;
    QVERIFY(label->isHidden());
    dorv::SetLabelText(label, QStringLiteral("A much longer text than the designed one"));
    label->show();
    QCOMPARE(label->size(), label->sizeHint());
    label->hide();
    label->setText(QStringLiteral("Short")); // as a change of language sets it
    label->show();
    QCOMPARE(label->size(), label->sizeHint());
}

namespace {

// A window on servo page 1 with TP Enable, its table the ramp 1000 + 100·c + 20·r mV.
void PrepareRamp(TFormHlav& w) {
    auto servo = w.Image.servo(0);
    servo.TpEnable() = 1;
    servo.PercentMode() = 0;
    for (int r = 0; r < ThrottleRows; ++r)
        for (int c = 0; c < RpmColumns; ++c)
            servo.Cell(r, c) = Byte((1000 + 100 * c + 20 * r) / 20);
    SelectPage(w, 1);
    w.FillEditors();
    w.Session.ResetHistory();
}

// The colour the table draws a cell's ground in, a little inside its frame.
QColor DrawnGround(TServoTable* table, TableCell cell) {
    return table->grab().toImage().pixelColor(TServoTable::CellRect(cell).topLeft() + QPoint(5, 4));
}

// The text of the next modal box, closed as soon as it shows.
void CaptureNextBox(QObject* context, QString* text) {
    QTimer::singleShot(0, context, [text] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box)
            *text = box->text();
        QApplication::activeModalWidget()->close();
    });
}

} // namespace

void TestWindow::selectionByKeyboard() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    TServoTable* table = w.ServoTable;
    QTest::mouseClick(table, Qt::LeftButton, {}, TServoTable::CellRect({2, 3}).center());
    QCOMPARE(table->Selection(), std::optional(TableRect{2, 3, 2, 3}));
    QWidget* keys = table->Editor();
    QVERIFY(keys->hasFocus());
    QTest::keyClick(keys, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(keys, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(keys, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(table->Selection(), std::optional(TableRect{2, 3, 3, 5}));
    QCOMPARE(table->CurrentCell(), TableCell({2, 3})); // the editor stays where typing goes
    // Back over the anchor: the rectangle turns round it.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(keys, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(table->Selection(), std::optional(TableRect{2, 1, 3, 3}));
    // Drawn: selected cells on a ground of their own, the others on the base.
    const QColor base = QApplication::palette().color(QPalette::Base);
    QCOMPARE_NE(DrawnGround(table, {3, 1}), base);
    QCOMPARE(DrawnGround(table, {5, 5}), base);
    // Ctrl+A: the whole table.
    QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(table->Selection(), std::optional(TableRect{0, 0, 9, 14}));
    QCOMPARE_NE(DrawnGround(table, {9, 14}), base);
    // The printed report shows the values, not the selection.
    table->SetPrintLook(true);
    QCOMPARE(DrawnGround(table, {9, 14}), base);
    table->SetPrintLook(false);
    QCOMPARE_NE(DrawnGround(table, {9, 14}), base);
    // A plain arrow: back to one cell.
    QTest::keyClick(keys, Qt::Key_Down);
    QCOMPARE(table->CurrentCell(), TableCell({3, 3}));
    QCOMPARE(table->Selection(), std::optional(TableRect{3, 3, 3, 3}));
    QCOMPARE(w.Session.History.CurrentIndex(), 0); // selecting is no change
}

void TestWindow::selectionByMouse() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    TServoTable* table = w.ServoTable;
    // Dragging from one cell to another.
    QTest::mousePress(table, Qt::LeftButton, {}, TServoTable::CellRect({1, 1}).center());
    QTest::mouseMove(table, TServoTable::CellRect({2, 4}).center());
    QTest::mouseMove(table, TServoTable::CellRect({4, 6}).center());
    QTest::mouseRelease(table, Qt::LeftButton, {}, TServoTable::CellRect({4, 6}).center());
    QCOMPARE(table->Selection(), std::optional(TableRect{1, 1, 4, 6}));
    QCOMPARE(table->CurrentCell(), TableCell({1, 1}));
    // Shift+click stretches it from the same corner.
    QTest::mouseClick(table, Qt::LeftButton, Qt::ShiftModifier,
                      TServoTable::CellRect({6, 8}).center());
    QCOMPARE(table->Selection(), std::optional(TableRect{1, 1, 6, 8}));
    // A click selects one cell again; the values never moved.
    QTest::mouseClick(table, Qt::LeftButton, {}, TServoTable::CellRect({7, 2}).center());
    QCOMPARE(table->Selection(), std::optional(TableRect{7, 2, 7, 2}));
    QCOMPARE(table->CurrentCell(), TableCell({7, 2}));
    // A right click inside the selection keeps it and opens the Table menu; outside it selects
    // its cell first.
    table->SetSelection({5, 2, 7, 4});
    for (const TableCell clicked : {TableCell{6, 3}, TableCell{1, 9}}) {
        const QPoint at = TServoTable::CellRect(clicked).center();
        QTest::mousePress(table, Qt::RightButton, {}, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, table->mapToGlobal(at));
        QCoreApplication::sendEvent(table, &menu);
        QTRY_COMPARE(QApplication::activePopupWidget(), w.Commands.MenuTable);
        w.Commands.MenuTable->close();
        QTest::mouseRelease(table, Qt::RightButton, {}, at);
        if (clicked == TableCell{6, 3})
            QCOMPARE(table->Selection(), std::optional(TableRect{5, 2, 7, 4}));
    }
    QCOMPARE(table->Selection(), std::optional(TableRect{1, 9, 1, 9}));
    QCOMPARE(w.Session.History.CurrentIndex(), 0);
}

void TestWindow::selectionSurvivesTickAndCommit() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    w.ServoTable->SetCurrentCell({2, 2});
    w.ServoTable->SetSelection({2, 2, 5, 9});
    const QColor selected = DrawnGround(w.ServoTable, {4, 8});
    w.OnTick();
    w.OnTick();
    w.Image.servo(0).Cell(0, 0) = 7;
    w.Session.Commit(); // a refill from the image
    QCOMPARE(w.ServoTable->Selection(), std::optional(TableRect{2, 2, 5, 9}));
    QCOMPARE(DrawnGround(w.ServoTable, {4, 8}), selected);
    // Rows hidden by TP Enable leave the selection on row 0.
    QTest::mouseClick(w.CheckBoxTpEnable, Qt::LeftButton);
    QCOMPARE(w.ServoTable->Selection(), std::optional(TableRect{0, 2, 0, 9}));
}

void TestWindow::arrowKeysMoveBetweenCells() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    TServoTable* table = w.ServoTable;
    table->SetCurrentCell({RpmRow, 0});
    table->Editor()->setFocus();
    QTest::keyClick(table->Editor(), Qt::Key_Up); // stays at the edge
    QCOMPARE(table->CurrentCell(), TableCell({RpmRow, 0}));
    QTest::keyClick(table->Editor(), Qt::Key_Down);
    QTest::keyClick(table->Editor(), Qt::Key_Right);
    QCOMPARE(table->CurrentCell(), TableCell({0, 1}));
    QCOMPARE(table->Editor()->Position(), 1100);
    QCOMPARE(table->Editor()->geometry(), TServoTable::CellRect({0, 1}));
    // A typed value goes with the move into the table's values (not yet into the image), and Left
    // and Right move in the typed text.
    TypeInto(table->Editor(), QStringLiteral("1240"));
    QTest::keyClick(table->Editor(), Qt::Key_Left);
    QCOMPARE(table->CurrentCell(), TableCell({0, 1}));
    QTest::keyClick(table->Editor(), Qt::Key_Down);
    QCOMPARE(table->CurrentCell(), TableCell({1, 1}));
    QCOMPARE(table->Position({0, 1}), 1240);
    QCOMPARE(int(w.Image.servo(0).Cell(0, 1)), 55);
    // Refused whole when beyond the range: the cell keeps its value.
    TypeInto(table->Editor(), QStringLiteral("6000"));
    QTest::keyClick(table->Editor(), Qt::Key_Up);
    QCOMPARE(table->Position({1, 1}), 1120);
    // Tab leaves the table for the next control.
    QTest::keyClick(table->Editor(), Qt::Key_Tab);
    QVERIFY(!table->Editor()->hasFocus());
    QCOMPARE(w.Session.History.CurrentIndex(), 0);
}

void TestWindow::enterPastLastCellLeavesTable() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    TypeIntoCell(w, {9, 14}, QStringLiteral("2000"));
    QTest::keyClick(w.ServoTable->Editor(), Qt::Key_Return);
    QCOMPARE(int(w.Image.servo(0).Cell(9, 14)), 100);
    QVERIFY(!w.ServoTable->Editor()->hasFocus());
    QVERIFY(QApplication::focusWidget() != nullptr);
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
}

void TestWindow::tableOperationOnSelection_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QKeySequence>("keys"); // empty: through the menu item
    QTest::addColumn<double>("amount");
    QTest::addColumn<QList<int>>("cells"); // (1, 2), (1, 5), (3, 2), (3, 5), (2, 3) in mV
    QTest::addColumn<int>("clamped");
    // The selection is rows 1..3, columns 2..5 of the ramp, with (2, 3) raised to 3000.
    QTest::newRow("set") << "MenuTableSet" << QKeySequence() << 2500.0
                         << QList<int>{2500, 2500, 2500, 2500, 2500} << 0;
    QTest::newRow("set by key") << "MenuTableSet" << QKeySequence(Qt::CTRL | Qt::Key_1) << 2500.0
                                << QList<int>{2500, 2500, 2500, 2500, 2500} << 0;
    QTest::newRow("add clamped") << "MenuTableAdd" << QKeySequence() << 3500.0
                                 << QList<int>{4720, 5000, 4760, 5000, 5000} << 4;
    QTest::newRow("scale") << "MenuTableScale" << QKeySequence(Qt::CTRL | Qt::Key_3) << 50.0
                           << QList<int>{620, 760, 640, 780, 1500} << 0; // 610, 630 rounded up
    QTest::newRow("horizontal") << "MenuTableInterpolateH" << QKeySequence() << 0.0
                                << QList<int>{1220, 1520, 1260, 1560, 1340} << 0;
    QTest::newRow("vertical") << "MenuTableInterpolateV" << QKeySequence(Qt::CTRL | Qt::Key_5)
                              << 0.0 << QList<int>{1220, 1520, 1260, 1560, 1340} << 0;
    QTest::newRow("2-D") << "MenuTableInterpolate2D" << QKeySequence() << 0.0
                         << QList<int>{1220, 1520, 1260, 1560, 1340} << 0;
    // (2, 3): the average of its 3 x 3 block, 13720 / 9 = 1524.4, on the step 1520; a corner the
    // average of the four cells of the selection round it: (1, 2) 6780 / 4 = 1695 -> 1700.
    QTest::newRow("smooth") << "MenuTableSmooth" << QKeySequence(Qt::CTRL | Qt::Key_7) << 0.0
                            << QList<int>{1700, 1480, 1720, 1500, 1520} << 0;
}

// Each operation acts on the selection only, is one undo step, and with "Programming after
// change" starts programming once.
void TestWindow::tableOperationOnSelection() {
    QFETCH(QString, action);
    QFETCH(QKeySequence, keys);
    QFETCH(double, amount);
    QFETCH(QList<int>, cells);
    TFormHlav w;
    PrepareRamp(w);
    w.Image.servo(0).Cell(2, 3) = 150; // 3000 mV
    w.Session.Commit();
    w.Session.ResetHistory();
    ShowActive(w);
    QStringList asked;
    w.AskTableAmount = [&](const QString& prompt, double) -> std::optional<double> {
        asked << prompt;
        return amount;
    };
    w.Live.CheckBoxProgHned->setChecked(true);
    w.ServoTable->SetCurrentCell({1, 2});
    w.ServoTable->Editor()->setFocus();
    w.ServoTable->SetSelection({1, 2, 3, 5});
    const ParameterImage before = w.Image;
    auto* item = w.findChild<QAction*>(action);
    QVERIFY(item);
    if (keys.isEmpty())
        item->trigger();
    else
        QTest::keySequence(w.ServoTable->Editor(), keys);
    const bool asks = action == QLatin1String("MenuTableSet") ||
                      action == QLatin1String("MenuTableAdd") ||
                      action == QLatin1String("MenuTableScale");
    QCOMPARE(asked.size(), asks ? 1 : 0);
    const auto servo = std::as_const(w.Image).servo(0);
    const QList<int> after{20 * servo.Cell(1, 2), 20 * servo.Cell(1, 5), 20 * servo.Cell(3, 2),
                           20 * servo.Cell(3, 5), 20 * servo.Cell(2, 3)};
    QCOMPARE(after, cells);
    for (int r = 0; r < ThrottleRows; ++r)
        for (int c = 0; c < RpmColumns; ++c)
            if (!TableRect{1, 2, 3, 5}.Contains(r, c))
                QCOMPARE(servo.Cell(r, c), before.servo(0).Cell(r, c));
    QCOMPARE(w.ServoTable->Position({3, 5}), cells[3]); // the table shows it at once
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    QFETCH(int, clamped);
    if (clamped > 0)
        QVERIFY2(w.StatusBar1->currentMessage().contains(QString::number(clamped)),
                 qPrintable(w.StatusBar1->currentMessage()));
    QCOMPARE(w.ServoTable->Selection(), std::optional(TableRect{1, 2, 3, 5}));
    w.OnUndo();
    QCOMPARE(w.Image, before);
}

// What a command did stays in the status bar when the pointer passes over another control right
// after; once its moment is over, the hints show again.
void TestWindow::statusNoteOutlivesTheNextHint() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    w.ServoTable->SetCurrentCell({RpmRow, 4});
    w.Commands.MenuTableSmooth->trigger();
    const QString note = w.Messages.MsgTableNoSelection;
    QCOMPARE(w.StatusBar1->currentMessage(), note);
    QPushButton* other = w.Commands.ButtonRead;
    QVERIFY(!other->statusTip().isEmpty());
    QStatusTipEvent hint(other->statusTip());
    QApplication::sendEvent(other, &hint);
    QCOMPARE(w.StatusBar1->currentMessage(), note);
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(w.StatusBar1, &none);
    QCOMPARE(w.StatusBar1->currentMessage(), note);
    w.Hints->NoteHoldMs = 0;
    QTest::qWait(5);
    QApplication::sendEvent(other, &hint);
    QCOMPARE(w.StatusBar1->currentMessage(), other->statusTip());
}

void TestWindow::tableOperationWithoutSelectionChangesNothing() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    w.ServoTable->SetCurrentCell({RpmRow, 4}); // an RPM point: no cell selected
    const ParameterImage before = w.Image;
    w.Commands.MenuTableSmooth->trigger();
    QCOMPARE(w.Image, before);
    QCOMPARE(w.Session.History.CurrentIndex(), 0);
    QCOMPARE(w.StatusBar1->currentMessage(), w.Messages.MsgTableNoSelection);
    // A cancelled question changes nothing either.
    w.ServoTable->SetCurrentCell({0, 0});
    w.AskTableAmount = [](const QString&, double) { return std::optional<double>(); };
    w.Commands.MenuTableSet->trigger();
    QCOMPARE(w.Image, before);
    // Nor on the general page.
    SelectPage(w, 0);
    QVERIFY(!w.Commands.MenuTable->isEnabled());
}

void TestWindow::copySelection_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("copied");
    QTest::newRow("values") << QKeySequence(QKeySequence::Copy) << "1220\t1320\n1240\t1340\n";
    QTest::newRow("with headers") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)
                                  << "\t2000\t3000\n2%\t1220\t1320\n5%\t1240\t1340\n";
}

void TestWindow::copySelection() {
    QFETCH(QKeySequence, keys);
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    w.ServoTable->SetCurrentCell({1, 2});
    w.ServoTable->Editor()->setFocus();
    QTest::keyClick(w.ServoTable->Editor(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(w.ServoTable->Editor(), Qt::Key_Down, Qt::ShiftModifier);
    QGuiApplication::clipboard()->clear();
    QTest::keySequence(w.ServoTable->Editor(), keys);
    QTEST(QGuiApplication::clipboard()->text(), "copied");
}

// While text is being typed, Ctrl+C and Ctrl+V are the editor's own.
void TestWindow::copyAndPasteActOnTypedText() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    const ParameterImage before = w.Image;
    TypeIntoCell(w, {0, 0}, QStringLiteral("1480"));
    QLineEdit* edit = w.ServoTable->Editor()->Edit();
    edit->selectAll();
    QTest::keyClick(w.ServoTable->Editor(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1480"));
    QGuiApplication::clipboard()->setText(QStringLiteral("2\t3\n4\t5"));
    edit->setCursorPosition(edit->text().size());
    QTest::keyClick(w.ServoTable->Editor(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY2(edit->text().startsWith(QStringLiteral("1480")), qPrintable(edit->text()));
    QCOMPARE(w.Image, before);
    QCOMPARE(w.Session.History.CurrentIndex(), 0);
}

void TestWindow::pasteThenUndoRestoresImage() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    const ParameterImage before = w.Image;
    w.Live.CheckBoxProgHned->setChecked(true);
    w.ServoTable->SetCurrentCell({4, 6});
    w.ServoTable->Editor()->setFocus();
    // From a spreadsheet: headers, a decimal comma, a thousands separator, Windows line ends.
    QGuiApplication::clipboard()->setText(
        QStringLiteral("\t3000\t4000\r\n20%\t2000\t2,040\r\n30%\t1990,5\t4980\r\n"));
    QTest::keyClick(w.ServoTable->Editor(), Qt::Key_V, Qt::ControlModifier);
    const auto servo = std::as_const(w.Image).servo(0);
    QCOMPARE(int(servo.Cell(4, 6)), 100);
    QCOMPARE(int(servo.Cell(4, 7)), 102);
    QCOMPARE(int(servo.Cell(5, 6)), 100); // 1990.5 on the 20 mV step
    QCOMPARE(int(servo.Cell(5, 7)), 249);
    int differing = 0;
    for (int i = 0; i < ImageSize; ++i)
        differing += w.Image.bytes()[i] != before.bytes()[i] ? 1 : 0;
    QCOMPARE(differing, 4);
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    QCOMPARE(w.ServoTable->Selection(), std::optional(TableRect{4, 6, 5, 7}));
    w.Live.CheckBoxProgHned->setChecked(false);
    QTest::keyClick(w.ServoTable->Editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Image, before);
    QCOMPARE(w.ServoTable->Position({5, 7}), 1000 + 700 + 100);
}

// A whole image put back at once (as Open does) is one step through the window's editors: they
// show it, undo is offered and brings back the exact image on the page it was recorded on, and
// with "Programming after change" the replaced image is programmed.
void TestWindow::replacedImageIsOneStep() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    SelectPage(w, 0);
    w.Session.ResetHistory();
    const ParameterImage before = w.Image;
    ParameterImage other = before;
    other.servo(1).Cell(0, 3) = before.servo(1).Cell(0, 3) == 60 ? 61 : 60;
    other.Tps0() = static_cast<Byte>(before.Tps0() + 1);
    SelectPage(w, 2);
    QVERIFY(!w.Commands.SpeedButtonZpet->isEnabled());

    w.Session.ReplaceImage(other);
    QCOMPARE(w.Image, other);
    QCOMPARE(w.ServoTable->Position({0, 3}),
             dorv::CellShown(other.servo(1).Cell(0, 3), other.servo(1).PercentMode() != 0));
    QVERIFY(w.Commands.SpeedButtonZpet->isEnabled() && w.Commands.MenuZpet->isEnabled());
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);

    QTest::mouseClick(w.Commands.SpeedButtonZpet, Qt::LeftButton);
    QCOMPARE(w.Image, before);
    QCOMPARE(w.ActivePage(), 0);
    QCOMPARE(w.General.UpDownTps0->Position(), dorv::Tps0Shown(before.Tps0()));
    QVERIFY(!w.Commands.SpeedButtonZpet->isEnabled() && w.Commands.SpeedButtonZnovu->isEnabled());

    w.Live.CheckBoxProgHned->setChecked(true);
    w.Session.ReplaceImage(other);
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    QCOMPARE(w.Session.History.CurrentIndex(), 1);
    w.Live.CheckBoxProgHned->setChecked(false);
}

void TestWindow::refusedPasteChangesNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named"); // the refused text and the cell, in the box's text
    QTest::newRow("not a number") << "1000\t1100\n1200\tx1"
                                  << "cell 20% / column 6 holds no number (\"x1\")";
    QTest::newRow("out of range") << "1000\n5100"
                                  << "value 5100 in cell 20% / column 5 is out of range";
    QTest::newRow("past the edge") << "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12"
                                   << "runs past the table";
}

void TestWindow::refusedPasteChangesNothing() {
    QFETCH(QString, text);
    QFETCH(QString, named);
    dorv::CurrentLanguage = dorv::Language::English;
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    const ParameterImage before = w.Image;
    w.ServoTable->SetCurrentCell({3, 4});
    QGuiApplication::clipboard()->setText(text);
    QString box;
    CaptureNextBox(&w, &box);
    w.Commands.MenuTablePaste->trigger();
    QVERIFY2(box.contains(QStringLiteral("nothing was changed")), qPrintable(box));
    QVERIFY2(box.contains(named), qPrintable(box));
    QCOMPARE(w.Image, before);
    QCOMPARE(w.Session.History.CurrentIndex(), 0);
    dorv::CurrentLanguage = dorv::Language::Czech;
}

namespace {

// Relative luminance and contrast ratio of two colours, as legibility guides measure them.
double Luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

void TestWindow::heatMapColoursCellsAndIsKept() {
    {
        TFormHlav w;
        PrepareRamp(w);
        ShowActive(w);
        QVERIFY(!w.Commands.MenuViewHeatMap->isChecked());
        const QColor base = QApplication::palette().color(QPalette::Base);
        QCOMPARE(w.ServoTable->CellColour({9, 14}), base);
        w.Commands.MenuViewHeatMap->trigger();
        QVERIFY(w.ServoTable->HeatMap());
        // Lowest blue, highest red, and every colour different along a row of rising values.
        const QColor low = w.ServoTable->CellColour({0, 0});
        const QColor high = w.ServoTable->CellColour({9, 14});
        QVERIFY2(low.blue() > low.red(), qPrintable(low.name()));
        QVERIFY2(high.red() > high.blue(), qPrintable(high.name()));
        QSet<QRgb> colours;
        for (int c = 0; c < RpmColumns; ++c)
            colours << w.ServoTable->CellColour({0, c}).rgb();
        QVERIFY(colours.size() >= 10);
        // Text legible on every colour of the scale.
        const QColor text = w.ServoTable->palette().color(QPalette::Text);
        for (int r = 0; r < ThrottleRows; ++r)
            for (int c = 0; c < RpmColumns; ++c)
                QVERIFY2(Contrast(text, w.ServoTable->CellColour({r, c})) >= 7.0,
                         qPrintable(w.ServoTable->CellColour({r, c}).name()));
        // The operating cell keeps a mark: an outline in lime around its own colour.
        w.OnTick();
        const OperatingCell cell = w.OperatingCell;
        const QRect place = TServoTable::CellRect({cell.Row, cell.Column});
        const QImage drawn = w.ServoTable->grab().toImage();
        QCOMPARE(drawn.pixelColor(place.left() - 1, place.center().y()), QColor(0, 255, 0));
        QCOMPARE_NE(w.ServoTable->CellColour({cell.Row, cell.Column}), QColor(0, 255, 0));
        QCOMPARE(w.ServoTable->RowLabelColour(cell.Row), QColor(0, 255, 0));
        w.close();
    }
    // Kept in a section of its own; the sections of the original layout do not hold it.
    const dorv::Profile ini(dorv::ConfigFilePath(QStringLiteral("DORV.ini")));
    QCOMPARE(ini.ReadString(QStringLiteral("SERVO_TABLE"), QStringLiteral("HeatMap"), {}),
             QStringLiteral("1"));
    QCOMPARE(ini.ReadString(QStringLiteral("FORM_HLAV"), QStringLiteral("HeatMap"), QString()),
             QString());
    {
        TFormHlav w;
        QVERIFY(w.Commands.MenuViewHeatMap->isChecked());
        QVERIFY(w.ServoTable->HeatMap());
        w.Commands.MenuViewHeatMap->trigger();
        w.close();
    }
    QCOMPARE(ini.ReadString(QStringLiteral("SERVO_TABLE"), QStringLiteral("HeatMap"), {}),
             QStringLiteral("0"));
}

void TestWindow::marksFromOutside() {
    TFormHlav w;
    PrepareRamp(w);
    ShowActive(w);
    TServoTable* table = w.ServoTable;
    const QColor orange(255, 128, 0);
    const QRect place = TServoTable::CellRect({3, 7});
    const QColor before = table->grab().toImage().pixelColor(place.topLeft() + QPoint(2, 2));
    table->SetCellMark({3, 7}, orange, QStringLiteral("differs: 1200 in the other image"));
    QCOMPARE(table->CellMarkTip({3, 7}), QStringLiteral("differs: 1200 in the other image"));
    QCOMPARE(table->CellMarkTip({3, 8}), QString());
    QCOMPARE(table->grab().toImage().pixelColor(place.topLeft() + QPoint(2, 2)), orange);
    // The mark stays over refills and ticks, and its text shows as the cell's tooltip.
    w.Session.Commit();
    w.OnTick();
    QCOMPARE(table->grab().toImage().pixelColor(place.topLeft() + QPoint(2, 2)), orange);
    QHelpEvent help(QEvent::ToolTip, place.center(), table->mapToGlobal(place.center()));
    QCoreApplication::sendEvent(table, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("differs: 1200 in the other image"));
    table->ClearCellMarks();
    QCOMPARE(table->CellMarkTip({3, 7}), QString());
    QCOMPARE(table->grab().toImage().pixelColor(place.topLeft() + QPoint(2, 2)), before);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
