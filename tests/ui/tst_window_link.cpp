// The main window against dorv-sim on a pseudo-terminal: live values, transfers, tuning, boxes.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QSettings>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidget>

#include <csignal>
#include <memory>
#include <set>

#include "Cgauges.h"
#include "ComPort.h"
#include "EditUpDown.h"
#include "EditorValues.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "PortSystem.h"
#include "PortsSection.h"
#include "ServoTable.h"
#include "SimProcess.h"
#include "SimWindow.h"
#include "WindowTestEnv.h"

using namespace dorv;
using dorv::testing::PassEndedOk;
using dorv::testing::SimProcess;
using dorv::testing::SimWindow;
using dorv::testing::WindowTestEnv;
using dorv::testing::WriteImage;

namespace {

constexpr int PassTimeoutMs = 8000;
const QColor Lime(0, 255, 0);

// A parameter set unlike the defaults: servo 1's table rises along rows and columns, TP enabled.
ParameterImage UnitParameters() {
    ParameterImage image;
    SetDefaultParameters(image);
    for (int r = 0; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k)
            image.ServoTable(0, r, k) = static_cast<Byte>(50 + 9 * r + k);
    image.servo(0).TpEnable() = 1;
    image.servo(0).PercentMode() = 0;
    image.PulsesMode() = 1;
    NormalizeRpmPoints(image);
    return image;
}

bool SameParameters(const ParameterImage& a, const ParameterImage& b) {
    for (int k = 1; k < BlockCount; ++k)
        if (!std::ranges::equal(a.Block(k), b.Block(k)))
            return false;
    return true;
}

// The bytes of blocks 1..7 in which two images differ.
int DifferingParameterBytes(const ParameterImage& a, const ParameterImage& b) {
    int differing = 0;
    for (int k = 1; k < BlockCount; ++k)
        for (int i = 0; i < BlockSize; ++i)
            differing += a.Block(k)[i] != b.Block(k)[i];
    return differing;
}

// Presses OK in each modal box once it has been open for openMs and keeps the boxes' texts; while
// a box is open, whileOpen runs every 20 ms.
class BoxCloser : public QObject {
public:
    explicit BoxCloser(int openMs, std::function<void()> whileOpen = {})
        : openMs_(openMs), whileOpen_(std::move(whileOpen)) {
        connect(&poll_, &QTimer::timeout, this, &BoxCloser::Poll);
        poll_.start(20);
    }
    QStringList Texts;

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (box != current_) {
            current_ = box;
            Texts << box->text();
            open_.start();
        }
        if (whileOpen_)
            whileOpen_();
        if (open_.elapsed() >= openMs_)
            box->button(QMessageBox::Ok)->click();
    }

    int openMs_;
    std::function<void()> whileOpen_;
    QTimer poll_;
    QElapsedTimer open_;
    QPointer<QMessageBox> current_;
};

// Waits until a Program pass and its Verify pass have ended well.
bool WaitForProgrammed(TFormHlav& w) {
    return QTest::qWaitFor([&] { return PassEndedOk(w) && w.Sequencer().State().ProgrammedOk; },
                           PassTimeoutMs);
}

QColor EditColour(QWidget* edit) {
    return edit->palette().color(QPalette::Base);
}

} // namespace

class TestWindowLink : public QObject {
    Q_OBJECT
private slots:
    void liveValuesAndRead();
    void changedCellProgramsAfterChange();
    void programThenUndoReachesUnit();
    void tableOperationProgramsOncePass();
    void plusRaisesHighlightedCell();
    void tpsCapture_data();
    void tpsCapture();
    void versionMismatchBoxStopsRead();
    void comMenuOpenErrorsAndUnplug();
    void cablePulledDuringReadThenDeviceReturns_data();
    void cablePulledDuringReadThenDeviceReturns();
    void comItemsAndSerialDevices();
    void busyPortToldAsBusy();
    void signalDuringProgramLetsItFinish();
};

void TestWindowLink::liveValuesAndRead() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({"--rpm", "4200", "--throttle", "37"}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    QTRY_COMPARE(w.Live.LabelRpm->text(), QStringLiteral("RPM = 4200 "));
    QCOMPARE(w.Live.CGaugeRpm->Progress(), 42);
    QVERIFY(w.Live.LabelTpsMon->text().startsWith(QStringLiteral("TP= 37 %=")));
    QCOMPARE(w.Live.CGaugeTps->Progress(), 37);
    QVERIFY(w.Live.LabelServoPoz1->text().startsWith(w.Messages.MsgServoDesired + " 1 = "));
    QCOMPARE(w.General.LabelPocetProgramovani->text(), w.Messages.MsgProgramCount + " 12");
    QVERIFY(w.Live.LabelNapeti->text().startsWith(QStringLiteral("U= ")));
    const QColor buttonFace = w.palette().color(QPalette::Button);
    QCOMPARE(w.Live.LabelNapeti->palette().color(QPalette::Window), buttonFace); // 13.2 V to 14 V
    QCOMPARE(w.Live.LabelTpsMon->palette().color(QPalette::Window), buttonFace);
    QVERIFY(w.Live.LabelTest[3]->text().startsWith(QStringLiteral("Test4=")));
    QVERIFY(w.Live.LabelVersion->isHidden());
    QVERIFY(w.Live.LabelEeDataErr->isHidden());

    w.General.LabelFile2->setText(QStringLiteral("old.ign"));
    w.Commands.ButtonRead->click();
    QCOMPARE(w.Live.LabelHlaseni->text(), w.Messages.MsgReading);
    QVERIFY(!w.Live.LabelHlaseni->isHidden() && !w.Live.CGaugeProgram->isHidden());
    QVERIFY(w.General.LabelFile2->text().isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return PassEndedOk(w); }, PassTimeoutMs));
    QCOMPARE(w.Live.LabelHlaseni->text(), w.Messages.MsgVerifying + ": OK");
    QCOMPARE(w.Live.CGaugeProgram->Progress(), w.Live.CGaugeProgram->MaxValue());
    QVERIFY(SameParameters(w.Image, unit));
    QCOMPARE(w.General.LabelVerze1->text(), QStringLiteral("SIM01"));
    QCOMPARE(w.General.LabelVerze2->text(), QStringLiteral("10.12.2026"));

    // The editors show the unit's tables: the general page, then servo 1.
    QCOMPARE(w.General.RadioGroupPocPulsuItems->checkedId(), 1);
    w.PageControl1->setCurrentIndex(1);
    for (int r = 0; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k)
            QCOMPARE(w.ServoTable->Position({r, k}), CellShown(unit.ServoTable(0, r, k), false));
    QCOMPARE(w.ServoTable->Position({RpmRow, 3}),
             RpmShown(std::as_const(unit).servo(0).RpmPoints(3)));
    QVERIFY(w.CheckBoxTpEnable->isChecked());
}

void TestWindowLink::changedCellProgramsAfterChange() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    w.PageControl1->setCurrentIndex(1);
    w.Live.CheckBoxProgHned->setChecked(true);
    const int before = w.ServoTable->Position({0, 6});
    w.ServoTable->SetCurrentCell({0, 6});
    w.ServoTable->Editor()->stepUp(); // an up-down arrow: pack and commit
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    QCOMPARE(w.Live.LabelHlaseni->text(), w.Messages.MsgProgramming);
    QVERIFY(WaitForProgrammed(w));
    QVERIFY(t.sim->Stop());

    const ParameterImage saved = t.sim->SavedImage();
    QCOMPARE(CellShown(saved.ServoTable(0, 0, 6), false), before + 20);
    QVERIFY(SameParameters(saved, w.Image));
    QVERIFY(!SameParameters(saved, unit));
}

// A bulk operation on the table is one change: with "Programming after change" the unit is
// programmed once (its programming count goes up by one) and keeps the whole result.
void TestWindowLink::tableOperationProgramsOncePass() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    QTRY_COMPARE(w.General.LabelPocetProgramovani->text(), w.Messages.MsgProgramCount + " 12");
    w.PageControl1->setCurrentIndex(1);
    w.Live.CheckBoxProgHned->setChecked(true);
    const int historyBefore = w.Session.History.CurrentIndex();
    w.ServoTable->SetCurrentCell({0, 0});
    w.ServoTable->SelectAll();
    w.AskTableAmount = [](const QString&, double) { return std::optional<double>(-40); };
    w.Commands.MenuTableAdd->trigger();
    QCOMPARE(w.Session.History.CurrentIndex(), historyBefore + 1);
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    QVERIFY(WaitForProgrammed(w));
    QTRY_COMPARE_WITH_TIMEOUT(w.General.LabelPocetProgramovani->text(),
                              w.Messages.MsgProgramCount + " 13", 3000);
    QTest::qWait(500);
    QCOMPARE(w.General.LabelPocetProgramovani->text(), w.Messages.MsgProgramCount + " 13");
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);
    QVERIFY(t.sim->Stop());
    QVERIFY(SameParameters(t.sim->SavedImage(), w.Image));
}

void TestWindowLink::programThenUndoReachesUnit() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    const ParameterImage start = w.Image;
    w.PageControl1->setCurrentIndex(2);
    w.ServoTable->SetCurrentCell({0, 2});
    w.ServoTable->Editor()->stepUp(); // recorded, not programmed: the box is clear
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);
    const ParameterImage changed = w.Image;

    w.Commands.ButtonProgram->click();
    QVERIFY(WaitForProgrammed(w));
    // The unit stores the parameters once its saving countdown has run out.
    QTRY_VERIFY_WITH_TIMEOUT(t.sim->HasSavedImage() && SameParameters(t.sim->SavedImage(), changed),
                             6000);

    w.Live.CheckBoxProgHned->setChecked(true);
    w.Commands.SpeedButtonZpet->click();
    QVERIFY(SameParameters(w.Image, start));
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    QVERIFY(WaitForProgrammed(w));
    QVERIFY(t.sim->Stop());
    const ParameterImage saved = t.sim->SavedImage();
    QVERIFY(SameParameters(saved, start));
    QCOMPARE(DifferingParameterBytes(saved, changed), 1);
}

void TestWindowLink::plusRaisesHighlightedCell() {
    // 3000 RPM is column 3 of the default points; 15 % lies half-way between rows 3 (10 %) and
    // 4 (20 %) and selects row 4.
    const ParameterImage unit = UnitParameters();
    SimWindow t({"--rpm", "3000", "--throttle", "15"}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    w.Commands.ButtonRead->click();
    QVERIFY(QTest::qWaitFor([&] { return PassEndedOk(w); }, PassTimeoutMs));

    w.PageControl1->setCurrentIndex(1);
    TServoTable* table = w.ServoTable;
    QTRY_COMPARE(table->CellColour({4, 3}), Lime);
    QCOMPARE(w.OperatingCell, (OperatingCell{.Column = 3, .Row = 4}));
    QCOMPARE(table->CellColour({RpmRow, 3}), Lime);
    QCOMPARE(table->RowLabelColour(4), Lime);
    for (const TableCell other : {TableCell{4, 2}, TableCell{3, 3}, TableCell{5, 3},
                                  TableCell{4, 4}, TableCell{RpmRow, 2}, TableCell{RpmRow, 4}})
        QCOMPARE_NE(table->CellColour(other), Lime);
    QCOMPARE_NE(table->RowLabelColour(3), Lime);
    // Drawn so: the cell's ground on screen is lime; the editor over it takes the colour too.
    const QImage drawn = table->grab().toImage();
    QCOMPARE(drawn.pixelColor(TServoTable::CellRect({4, 3}).topLeft() + QPoint(4, 4)), Lime);
    QCOMPARE_NE(drawn.pixelColor(TServoTable::CellRect({4, 2}).topLeft() + QPoint(4, 4)), Lime);
    table->SetCurrentCell({4, 3});
    QCOMPARE(EditColour(table->Editor()), Lime);
    table->SetCurrentCell({4, 4});
    QCOMPARE_NE(EditColour(table->Editor()), Lime);

    w.Live.CheckBoxProgHned->setChecked(true);
    w.ButtonPlus->click();
    QVERIFY(WaitForProgrammed(w));
    QVERIFY(t.sim->Stop());
    const ParameterImage saved = t.sim->SavedImage();
    QCOMPARE(DifferingParameterBytes(saved, unit), 1);
    QCOMPARE(int(saved.ServoTable(0, 4, 3)), unit.ServoTable(0, 4, 3) + 1);
}

void TestWindowLink::tpsCapture_data() {
    QTest::addColumn<int>("throttle");
    QTest::addColumn<bool>("tps0Taken");
    QTest::addColumn<bool>("tps100Taken");
    // The unit's sensor gives 200 mV at 0 % and 4950 mV at 100 %.
    QTest::newRow("200 mV: below both windows") << 0 << false << false;
    QTest::newRow("2100 mV: TPS 0 %") << 40 << true << false;
    QTest::newRow("4000 mV: TPS 100 %") << 80 << false << true;
    QTest::newRow("4950 mV: above both windows") << 100 << false << false;
}

void TestWindowLink::tpsCapture() {
    QFETCH(int, throttle);
    QFETCH(bool, tps0Taken);
    QFETCH(bool, tps100Taken);
    ParameterImage unit = UnitParameters();
    unit.Tps0() = Tps0Stored(200);
    unit.Tps100() = Tps100Stored(4950);
    SimWindow t({"--rpm", "2000", "--throttle", QString::number(throttle)}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    QTRY_VERIFY(w.Live.LabelTpsMon->text().startsWith(QStringLiteral("TP= %1 %=").arg(throttle)));
    const int mv = w.Sequencer().Live().MonitorTpMv;
    QVERIFY2(std::abs(mv - (200 + 4750 * throttle / 100)) <= 5, qPrintable(QString::number(mv)));
    const Byte tps0 = w.Image.Tps0();
    const Byte tps100 = w.Image.Tps100();

    w.General.ButtonTps0->click();
    w.General.ButtonTps100->click();
    QCOMPARE(int(w.Image.Tps0()), tps0Taken ? mv / 10 : tps0);
    QCOMPARE(int(w.Image.Tps100()), tps100Taken ? mv / 10 - 250 : tps100);
    QCOMPARE(w.Session.History.CanUndo(), tps0Taken || tps100Taken);
    QCOMPARE(w.General.UpDownTps0->Position(), Tps0Shown(w.Image.Tps0()));
    QCOMPARE(w.General.UpDownTps100->Position(), Tps100Shown(w.Image.Tps100()));
}

void TestWindowLink::versionMismatchBoxStopsRead() {
    SimWindow t({"--format-version", "55"});
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    const QString mismatch = w.Messages.MsgVersionMismatch + QStringLiteral("  PC-56, IGN-55");
    QTRY_VERIFY(!w.Live.LabelVersion->isHidden());
    QCOMPARE(w.Live.LabelVersion->text(), mismatch);
    const ParameterImage before = w.Image;

    // While the box is open the ticks go on as idle ticks and keep polling the unit.
    std::set<int> tickCounts;
    bool connectionKept = true;
    bool idleThroughout = true;
    BoxCloser closer(1500, [&] {
        tickCounts.insert(w.Sequencer().State().TickCount);
        connectionKept = connectionKept && w.Live.LabelSpojeni->isHidden();
        idleThroughout = idleThroughout && w.Sequencer().State().Mode == TransferMode::Idle;
    });
    w.Commands.ButtonRead->click();
    QTRY_COMPARE_WITH_TIMEOUT(closer.Texts.size(), 1, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 3000);
    QCOMPARE(closer.Texts.first(), mismatch);
    QVERIFY(tickCounts.size() >= 4);
    QVERIFY(connectionKept);
    QVERIFY(idleThroughout);

    // The pass stopped at block 0: the unit's identity came in, nothing else, and no box follows.
    QTest::qWait(600);
    QCOMPARE(closer.Texts.size(), 1);
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);
    QCOMPARE(int(w.Sequencer().State().BlockCommand), 0x40);
    QVERIFY(w.Live.LabelHlaseni->isHidden());
    QVERIFY(w.Live.CGaugeProgram->isHidden());
    QCOMPARE(int(w.Image.FormatVersion()), 55);
    QVERIFY(SameParameters(w.Image, before));
}

void TestWindowLink::comMenuOpenErrorsAndUnplug() {
    SimWindow t({});
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    const QString missing = t.Path("no-such-tty");
    t.SetPort(2, missing);
    t.SetPort(20, missing);
    BoxCloser closer(50);

    w.Commands.MenuComPort[2]->trigger();
    QCOMPARE(w.PortIndex, 2);
    QTRY_COMPARE(closer.Texts.size(), 1);
    // The reason goes on to name the serial devices that are present (this machine's own).
    QVERIFY2(closer.Texts[0].startsWith(w.Messages.MsgComOpenError + "\n" + missing +
                                        QStringLiteral(": the device does not exist; ")),
             qPrintable(closer.Texts[0]));
    for (int k = 0; k < TFormHlav::ComPortCount; ++k)
        QCOMPARE(w.Commands.MenuComPort[k]->isChecked(), k == 2);
    QTRY_VERIFY_WITH_TIMEOUT(!w.Live.LabelSpojeni->isHidden(), 3000);

    // COM21 has no menu item: none is checked.
    w.PortIndex = 20;
    w.CloseComPort();
    w.OpenComPort();
    QTRY_COMPARE(closer.Texts.size(), 2);
    for (QAction* item : w.Commands.MenuComPort)
        QVERIFY(!item->isChecked());

    w.Commands.MenuComPort[0]->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(w.Live.LabelSpojeni->isHidden(), 3000);
    QVERIFY(w.Commands.MenuComPort[0]->isChecked());

    // The adapter goes away: the port closes and the no-connection label shows, nothing else.
    t.sim->Stop(SIGKILL);
    QTRY_VERIFY_WITH_TIMEOUT(!w.ComPort().IsOpen(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!w.Live.LabelSpojeni->isHidden(), 3000);
    QCOMPARE(closer.Texts.size(), 2);

    // Without a unit a Read ends in the red read error, about a second after its first frame.
    w.Commands.ButtonRead->click();
    QTRY_COMPARE_WITH_TIMEOUT(w.Live.LabelHlaseni->text(), w.Messages.MsgReadError, 4000);
    QCOMPARE(w.Live.LabelHlaseni->palette().color(QPalette::Window), QColor(Qt::red));
    QVERIFY(!w.Live.LabelHlaseni->isHidden());
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);
}

// The cable is pulled during a Read: the pass ends with its failure, the status bar says the
// device is gone, the live values turn grey. The device returns: the window reopens it by itself
// and polls again, without a click.
void TestWindowLink::cablePulledDuringReadThenDeviceReturns_data() {
    QTest::addColumn<bool>("duringRead");
    QTest::newRow("during a read") << true;
    QTest::newRow("during polling") << false;
}

void TestWindowLink::cablePulledDuringReadThenDeviceReturns() {
    QFETCH(bool, duringRead);
    const ParameterImage unit = UnitParameters();
    SimWindow t({"--rpm", "3100"}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    QTRY_COMPARE(w.Live.LabelRpm->text(), QStringLiteral("RPM = 3100 "));
    QVERIFY(w.Live.LabelRpm->isEnabled());

    if (duringRead) {
        w.Commands.ButtonRead->click();
        QCOMPARE(w.Sequencer().State().Mode, TransferMode::Read);
    }
    t.sim->Stop(SIGKILL);
    QTRY_VERIFY_WITH_TIMEOUT(w.LabelPortNote != nullptr, 3000);
    QCOMPARE(w.LabelPortNote->text(), QStringLiteral("Device disconnected"));
    if (duringRead) {
        QTRY_COMPARE_WITH_TIMEOUT(w.Live.LabelHlaseni->text(), w.Messages.MsgReadError, 3000);
        QCOMPARE(w.Live.LabelHlaseni->palette().color(QPalette::Window), QColor(Qt::red));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!w.Live.LabelSpojeni->isHidden(), 3000);
    QVERIFY(!w.Live.LabelRpm->isEnabled());
    QVERIFY(!w.Live.CGaugeRpm->isEnabled());
    QVERIFY(w.PortWatch->isActive());
    if (duringRead && !qEnvironmentVariableIsEmpty("DORV_KEEP_PORT_SHOTS")) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.grab().save(qEnvironmentVariable("DORV_KEEP_PORT_SHOTS") + "/disconnected.png");
        w.Commands.MenuCom->popup(w.mapToGlobal(QPoint(40, 20)));
        emit w.Commands.MenuCom->aboutToShow();
        QTest::qWait(200);
        w.Commands.MenuCom->grab().save(qEnvironmentVariable("DORV_KEEP_PORT_SHOTS") +
                                        "/com-menu.png");
        w.Commands.MenuCom->hide();
    }
    QVERIFY(!SameParameters(w.Image, unit)); // the failed Read applied nothing

    QVERIFY(t.RestartSim({"--rpm", "2500", "--load", t.Path("unit.bin")}));
    QTRY_VERIFY_WITH_TIMEOUT(w.ComPort().IsOpen(), 4000);
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 4000);
    QTRY_COMPARE(w.Live.LabelRpm->text(), QStringLiteral("RPM = 2500 "));
    QVERIFY(w.Live.LabelRpm->isEnabled());
    QVERIFY(!w.PortWatch->isActive());
    QCOMPARE(w.LabelPortNote->text(),
             QStringLiteral("Device %1 connected again").arg(t.sim->Link()));
    w.Commands.ButtonRead->click();
    QTRY_VERIFY_WITH_TIMEOUT(PassEndedOk(w), PassTimeoutMs);
    QVERIFY(SameParameters(w.Image, unit));
}

// The Com items show their devices and whether they are there, in the language in force; the
// device list opens with its columns; mapping a device stores it for the current COM number
// and opens it.
void TestWindowLink::comItemsAndSerialDevices() {
    SimWindow t({"--rpm", "1800"});
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    const QString missing = t.Path("gone-adapter");
    t.SetPort(4, missing);
    emit w.Commands.MenuCom->aboutToShow();
    QCOMPARE(w.Commands.MenuComPort[4]->text(), "Com 5\t" + missing + " (absent)");
    // The pty the window has open counts as present, though the system lists no such port.
    QCOMPARE(w.Commands.MenuComPort[w.PortIndex]->text(),
             QStringLiteral("Com %1\t%2 (present)").arg(w.PortIndex + 1).arg(t.sim->Link()));
    QCOMPARE(w.Commands.MenuComPort[4]->text().section('\t', 0, 0), QStringLiteral("Com 5"));
    QCOMPARE(w.Commands.MenuSerialDevices->text(), QStringLiteral("Serial devices…"));
    w.Commands.MenuGerman->trigger();
    emit w.Commands.MenuCom->aboutToShow();
    QCOMPARE(w.Commands.MenuComPort[4]->text(), "Com 5\t" + missing + " (nicht vorhanden)");
    QCOMPARE(w.Commands.MenuSerialDevices->text(), QStringLiteral("Serielle Geräte…"));

    w.Commands.MenuSerialDevices->trigger();
    auto* dialog = w.findChild<QDialog*>(QStringLiteral("SerialDevicesDialog"));
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->isVisible());
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("SerialDeviceList"));
    QVERIFY(list);
    QCOMPARE(list->columnCount(), 5);
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Fester Name"));
    QCOMPARE(list->topLevelItemCount(), int(PresentSerialDevices().size()));
    if (!qEnvironmentVariableIsEmpty("DORV_KEEP_PORT_SHOTS"))
        dialog->grab().save(qEnvironmentVariable("DORV_KEEP_PORT_SHOTS") + "/serial-devices.png");
    dialog->reject();
    QTRY_VERIFY(!w.findChild<QDialog*>(QStringLiteral("SerialDevicesDialog")));

    // A device chosen for COM5: stored in [PORTS] by its name and opened.
    w.PortIndex = 4;
    w.CloseComPort();
    SerialDevice chosen;
    chosen.Path = t.sim->Link().toStdString();
    w.MapDeviceToCurrentCom(chosen);
    QVERIFY(w.ComPort().IsOpen());
    QVERIFY(w.Commands.MenuComPort[4]->isChecked());
    QCOMPARE(ConfiguredPortDevice("COM5"), chosen.Path);
    QTRY_VERIFY(w.Live.LabelRpm->text().endsWith(QStringLiteral("= 1800 ")));
}

// A second window on a port the first holds: the box says busy, never "no permission" (the port
// layer calls the held lock a permission error, even for root).
void TestWindowLink::busyPortToldAsBusy() {
    SimWindow t({});
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    BoxCloser closer(50);
    TFormHlav second;
    QTRY_COMPARE(closer.Texts.size(), 1);
    QVERIFY2(closer.Texts[0].contains(t.sim->Link() +
                                      QStringLiteral(": the device is in use by another program")),
             qPrintable(closer.Texts[0]));
    QVERIFY(!closer.Texts[0].contains(QStringLiteral("permission")));
    QVERIFY(!second.ComPort().IsOpen());
    QVERIFY(t.window->ComPort().IsOpen());
}

// A signal that comes during a Program pass closes the window only once the pass and its Verify
// have ended: the unit holds the whole parameter set.
void TestWindowLink::signalDuringProgramLetsItFinish() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit);
    TFormHlav& w = *t.window;
    w.show();
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    w.PageControl1->setCurrentIndex(1);
    w.ServoTable->SetCurrentCell({2, 3});
    w.ServoTable->Editor()->SetPosition(w.ServoTable->Position({2, 3}) + 40);
    w.Commands.ButtonProgram->click();
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    w.CloseForSignal();
    QVERIFY(w.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), TFormHlav::SignalCloseWaitMs + 1000);
    QVERIFY(PassEndedOk(w));
    QVERIFY(w.Sequencer().State().ProgrammedOk);
    QVERIFY(t.sim->Stop());
    QVERIFY(!SameParameters(unit, w.Image));
    QVERIFY(SameParameters(t.sim->SavedImage(), w.Image));
}

QTEST_MAIN(TestWindowLink)
#include "tst_window_link.moc"
