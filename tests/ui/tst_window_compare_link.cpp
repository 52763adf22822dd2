// The comparison with the unit against dorv-sim on a pseudo-terminal: the unit read into a copy,
// and a Verify against a unit that holds other parameters offering the differences.
#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "CompareView.h"
#include "EditorValues.h"
#include "Hlav.h"
#include "ServoTable.h"
#include "SimWindow.h"
#include "StorageFiles.h"

using namespace dorv;
using dorv::testing::PassEndedOk;
using dorv::testing::SimWindow;

namespace {

constexpr int PassTimeoutMs = 10000;

// A parameter set unlike the editor's defaults: servo 1's cells rise along rows and columns, the
// pulses differ.
ParameterImage UnitParameters() {
    ParameterImage image;
    SetDefaultParameters(image);
    for (int r = 0; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k)
            image.ServoTable(0, r, k) = static_cast<Byte>(60 + 9 * r + k);
    image.servo(0).TpEnable() = 1;
    image.PulsesMode() = 2;
    NormalizeRpmPoints(image);
    return image;
}

// The differences the panel shows are those between the editor and the unit.
bool ShowsTheUnit(TFormHlav& w, const ParameterImage& unit) {
    const ImageComparison expected = CompareImages(w.Image, unit);
    return w.Comparison->Comparing() && !expected.Same() &&
           w.Comparison->Comparison().Differences == expected.Differences &&
           w.Comparison->OtherLabel() == QStringLiteral("unit");
}

} // namespace

class TestWindowCompareLink : public QObject {
    Q_OBJECT
private slots:
    void compareWithUnitLeavesTheEditorAlone();
    void readDuringAComparisonComparesWhatWasRead();
    void verifyAgainstADifferingUnitOffersTheDifferences_data();
    void verifyAgainstADifferingUnitOffersTheDifferences();
};

void TestWindowCompareLink::compareWithUnitLeavesTheEditorAlone() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    w.PageControl1->setCurrentIndex(1);
    const ParameterImage before = w.Image;
    w.Comparison->MenuCompareUnit->trigger();
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Read);
    QTRY_VERIFY_WITH_TIMEOUT(w.Comparison->Comparing(), PassTimeoutMs);
    QVERIFY(w.Image == before);
    QVERIFY(!w.Session.History.CanUndo());
    QVERIFY(ShowsTheUnit(w, unit));
    // Servo 1's cells differ wherever the unit's rise above the editor's.
    int marked = 0;
    for (int r = 0; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k) {
            const bool differs = before.ServoTable(0, r, k) != unit.ServoTable(0, r, k);
            const bool hasMark =
                w.ServoTable->CellMarkColour({r, k}, TCompareView::MarkLayer).isValid();
            QCOMPARE(hasMark, differs);
            marked += hasMark;
        }
    QVERIFY(marked > 0);
    QVERIFY(t.sim->Stop());
}

// A Read replaces the editor's image: what it read is compared, not taken for the user's edits.
void TestWindowCompareLink::readDuringAComparisonComparesWhatWasRead() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    ParameterImage tune = unit;
    tune.Tps0() = static_cast<Byte>(unit.Tps0() + 4);
    tune.servo(0).Cell(3, 3) = static_cast<Byte>(unit.servo(0).Cell(3, 3) + 4);
    const QString path = t.Path("tune.ign");
    QVERIFY(SaveParameterFile(path, tune).Ok);
    w.FileChooser = [&](QFileDialog*) { return path; };
    w.Comparison->MenuCompareFile->trigger();
    QVERIFY(w.Comparison->Comparing());

    w.Commands.ButtonRead->click();
    QVERIFY(QTest::qWaitFor([&] { return PassEndedOk(w); }, PassTimeoutMs));
    const std::vector<ImageDifference>& shown = w.Comparison->Comparison().Differences;
    QCOMPARE(shown.size(), std::size_t{2});
    QCOMPARE(shown[0].Field, ImageField::Tps0);
    QCOMPARE(shown[1].Row, 3);
}

void TestWindowCompareLink::verifyAgainstADifferingUnitOffersTheDifferences_data() {
    QTest::addColumn<bool>("accepted");
    QTest::newRow("shown") << true;
    QTest::newRow("declined") << false;
}

void TestWindowCompareLink::verifyAgainstADifferingUnitOffersTheDifferences() {
    QFETCH(bool, accepted);
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit);
    TFormHlav& w = *t.window;
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    const ParameterImage before = w.Image;
    w.Commands.ButtonVerify->click();
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Verify);
    QTRY_VERIFY_WITH_TIMEOUT(w.Comparison->DifferencesOffer(), PassTimeoutMs);
    QMessageBox* offer = w.Comparison->DifferencesOffer();
    QVERIFY(offer->text().startsWith(w.Messages.MsgVerifyError));
    // The tick went on: the history reads the unit's image into a copy meanwhile, and the
    // comparison shares that copy.
    QVERIFY(w.Sequencer().State().Mode != TransferMode::Verify);
    offer->button(accepted ? QMessageBox::Yes : QMessageBox::No)->click();
    if (!accepted) {
        QTRY_COMPARE_WITH_TIMEOUT(w.Sequencer().State().Mode, TransferMode::Idle, PassTimeoutMs);
        QTest::qWait(200);
        QVERIFY(!w.Comparison->Comparing());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(w.Comparison->Comparing(), PassTimeoutMs);
    QVERIFY(ShowsTheUnit(w, unit));
    QVERIFY(w.Image == before);
}

QTEST_MAIN(TestWindowCompareLink)
#include "tst_window_compare_link.moc"
