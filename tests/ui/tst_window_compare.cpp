// The comparison in the main window: marks on the servo tables, the list, taking the other
// values as one undo step, closing, comparing with a file.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "AnsweredBoxes.h"
#include "CompareView.h"
#include "EditUpDown.h"
#include "EditorValues.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "ServoTable.h"
#include "StorageFiles.h"
#include "WindowTestEnv.h"

using namespace dorv;
using dorv::testing::AnswerBoxes;
using dorv::testing::WindowTestEnv;

namespace {

// The editor's image with: TPS 0 % and servo 2's enable switched; servo 1's cells (2, 1),
// (2, 4), (5, 0); servo 2's cell (0, 5) and its RPM point 3.
ParameterImage OtherThan(const ParameterImage& mine) {
    ParameterImage other = mine;
    other.Tps0() = static_cast<Byte>(mine.Tps0() + 5);
    other.servo(1).ServoEnable() = mine.servo(1).ServoEnable() ? 0 : 1;
    for (const TableCell cell : {TableCell{2, 1}, TableCell{2, 4}, TableCell{5, 0}})
        other.servo(0).Cell(cell.Row, cell.Column) =
            static_cast<Byte>(mine.servo(0).Cell(cell.Row, cell.Column) + 7);
    other.servo(1).Cell(0, 5) = static_cast<Byte>(mine.servo(1).Cell(0, 5) + 3);
    other.servo(1).RpmPoints(2) = static_cast<Byte>(mine.servo(1).RpmPoints(2) + 1);
    return other;
}
constexpr int OtherDifferences = 7;

// The marked cells of the table as it shows its servo now.
QList<TableCell> MarkedCells(const TServoTable& table) {
    QList<TableCell> marked;
    for (int r = RpmRow; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k)
            if (table.CellMarkColour({r, k}, TCompareView::MarkLayer).isValid())
                marked << TableCell{r, k};
    return marked;
}

// A value with its unit as the list and the tooltips show it: the regional thousands separator.
QString Shown(const char* unit, int value) {
    return QLocale().toString(value) + QLatin1Char(' ') + QLatin1String(unit);
}

QTreeWidgetItem* ItemNamed(QTreeWidget* list, const QString& name) {
    for (QTreeWidgetItemIterator it(list); *it; ++it)
        if ((*it)->text(0) == name)
            return *it;
    return nullptr;
}

QStringList TopLevelTexts(QTreeWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (!list->topLevelItem(i)->isHidden())
            texts << list->topLevelItem(i)->text(0);
    return texts;
}

// The parameters (blocks 1..7) of two images are the same.
bool SameParameters(const ParameterImage& a, const ParameterImage& b) {
    for (int k = 1; k < BlockCount; ++k)
        if (!std::ranges::equal(a.Block(k), b.Block(k)))
            return false;
    return true;
}

// The window on servo 1's page with every throttle row of both tables shown, as the start of its
// history.
void ShowAllRows(TFormHlav& w) {
    for (ServoIndex s = 0; s < ServoCount; ++s)
        w.Image.servo(s).TpEnable() = 1;
    w.PageControl1->setCurrentIndex(1);
    w.FillEditors();
    w.Session.ResetHistory();
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

Q_DECLARE_METATYPE(dorv::TakeScope)

class TestWindowCompare : public QObject {
    Q_OBJECT
private slots:
    void init() { CurrentLanguage = dorv::Language::English; }
    void marksOnBothServosAndTheList();
    void activatingADifferenceShowsItsCell();
    void takingIsOneUndoStep_data();
    void takingIsOneUndoStep();
    void editingTheComparedCellEndsItsMark();
    void closingTakesTheMarksAway_data();
    void closingTakesTheMarksAway();
    void keptWidthLeavesThePanelOut();
    void compareWithFile();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();

private:
    WindowTestEnv env_;
    QTemporaryDir files_;
};

void TestWindowCompare::marksOnBothServosAndTheList() {
    TFormHlav w;
    ShowAllRows(w);
    const ParameterImage other = OtherThan(w.Image);
    w.ShowComparison(other, QStringLiteral("bench.ign"));
    TCompareView& view = *w.Comparison;
    QVERIFY(view.Comparing());
    QVERIFY(!view.isHidden());

    w.PageControl1->setCurrentIndex(1);
    QCOMPARE(MarkedCells(*w.ServoTable), (QList<TableCell>{{2, 1}, {2, 4}, {5, 0}}));
    const int theirs = CellShown(other.servo(0).Cell(2, 4), false);
    QCOMPARE(w.ServoTable->CellMarkTip({2, 4}), "bench.ign: " + Shown("mV", theirs));
    QCOMPARE(w.ServoTable->CellMarkColour({2, 4}, TCompareView::MarkLayer),
             TCompareView::MarkColour);
    w.PageControl1->setCurrentIndex(2);
    QCOMPARE(MarkedCells(*w.ServoTable), (QList<TableCell>{{RpmRow, 2}, {0, 5}}));
    w.PageControl1->setCurrentIndex(0);
    w.PageControl1->setCurrentIndex(1);
    QCOMPARE(MarkedCells(*w.ServoTable).size(), 3);

    // Groups with their counts, every difference by name with both values.
    QCOMPARE(TopLevelTexts(view.ListDifferences),
             (QStringList{"General: 2", "RPM points: 1", "Cells: 4"}));
    QCOMPARE(view.ListDifferences->headerItem()->text(2), QStringLiteral("bench.ign"));
    const struct {
        const char* Name;
        QString Mine;
        QString Other;
    } rows[] = {
        {"TPS 0 %", Shown("mV", Tps0Shown(w.Image.Tps0())), Shown("mV", Tps0Shown(other.Tps0()))},
        {"Servo 2: servo enable", w.Image.servo(1).ServoEnable() ? "on" : "off",
         other.servo(1).ServoEnable() ? "on" : "off"},
        {"Servo 2: RPM point 3",
         Shown("RPM", RpmShown(std::as_const(w.Image).servo(1).RpmPoints(2))),
         Shown("RPM", RpmShown(other.servo(1).RpmPoints(2)))},
        {"Servo 1: 5% / column 5",
         Shown("mV", CellShown(std::as_const(w.Image).servo(0).Cell(2, 4), false)),
         Shown("mV", theirs)},
        {"Servo 2: 0% / column 6",
         Shown("mV", CellShown(std::as_const(w.Image).servo(1).Cell(0, 5), false)),
         Shown("mV", CellShown(other.servo(1).Cell(0, 5), false))},
    };
    for (const auto& row : rows) {
        const QTreeWidgetItem* item = ItemNamed(view.ListDifferences, row.Name);
        QVERIFY2(item, row.Name);
        QCOMPARE(item->text(1), row.Mine);
        QCOMPARE(item->text(2), row.Other);
    }
}

// Activated in the list, a difference shows its page and cell; the editor over the cell carries
// the mark's tooltip, which the editor hides.
void TestWindowCompare::activatingADifferenceShowsItsCell() {
    TFormHlav w;
    ShowAllRows(w);
    const ParameterImage other = OtherThan(w.Image);
    w.ShowComparison(other, QStringLiteral("other"));
    QTreeWidget* list = w.Comparison->ListDifferences;
    emit list->itemActivated(ItemNamed(list, QStringLiteral("Servo 2: 0% / column 6")), 0);
    QCOMPARE(w.ActivePage(), 2);
    QCOMPARE(w.ServoTable->CurrentCell(), (TableCell{0, 5}));
    QCOMPARE(w.ServoTable->Editor()->toolTip(),
             "other: " + Shown("mV", CellShown(other.servo(1).Cell(0, 5), false)));
    emit list->itemActivated(ItemNamed(list, QStringLiteral("TPS 0 %")), 0);
    QCOMPARE(w.ActivePage(), 0);
    w.Comparison->CloseComparison();
    QVERIFY(w.ServoTable->Editor()->toolTip().isEmpty());
}

void TestWindowCompare::takingIsOneUndoStep_data() {
    QTest::addColumn<TakeScope>("scope");
    QTest::addColumn<int>("taken");
    // The list's current difference is servo 1's cell (2, 1).
    QTest::newRow("one") << TakeScope::One << 1;
    QTest::newRow("its row") << TakeScope::Row << 2;
    QTest::newRow("its table") << TakeScope::Table << 3;
    QTest::newRow("all") << TakeScope::All << OtherDifferences;
}

void TestWindowCompare::takingIsOneUndoStep() {
    QFETCH(TakeScope, scope);
    QFETCH(int, taken);
    TFormHlav w;
    ShowAllRows(w);
    w.PageControl1->setCurrentIndex(1);
    const ParameterImage before = w.Image;
    const ParameterImage other = OtherThan(before);
    w.ShowComparison(other, QStringLiteral("other"));
    TCompareView& view = *w.Comparison;
    QCOMPARE(int(view.Comparison().Differences.size()), OtherDifferences);
    view.SetCurrentDifference(1);
    QCOMPARE(view.ListDifferences->currentItem()->text(0),
             QStringLiteral("Servo 1: 5% / column 2"));
    const int historyBefore = w.Session.History.CurrentIndex();

    const std::pair<TakeScope, QPushButton*> buttons[] = {{TakeScope::One, view.ButtonTakeOne},
                                                          {TakeScope::Row, view.ButtonTakeRow},
                                                          {TakeScope::Table, view.ButtonTakeTable},
                                                          {TakeScope::All, view.ButtonTakeAll}};
    for (const auto& [each, button] : buttons)
        if (each == scope)
            button->click();
    QCOMPARE(w.Session.History.CurrentIndex(), historyBefore + 1);
    QCOMPARE(int(view.Comparison().Differences.size()), OtherDifferences - taken);
    QCOMPARE(int(CompareImages(w.Image, other).Differences.size()), OtherDifferences - taken);
    QCOMPARE(w.ServoTable->Position({2, 1}), CellShown(other.servo(0).Cell(2, 1), false));
    QCOMPARE(MarkedCells(*w.ServoTable).contains(TableCell{2, 1}), false);
    if (scope == TakeScope::All)
        QVERIFY(SameParameters(w.Image, other));

    w.OnUndo();
    QCOMPARE(w.Session.History.CurrentIndex(), historyBefore);
    QVERIFY(w.Image == before);
    QCOMPARE(int(view.Comparison().Differences.size()), OtherDifferences);
    QCOMPARE(MarkedCells(*w.ServoTable).size(), 3);
}

// A cell the user sets to a value of their own loses its mark; undoing the edit brings it back.
void TestWindowCompare::editingTheComparedCellEndsItsMark() {
    TFormHlav w;
    ShowAllRows(w);
    w.PageControl1->setCurrentIndex(1);
    w.ShowComparison(OtherThan(w.Image), QStringLiteral("other"));
    w.ServoTable->SetCurrentCell({2, 4});
    w.ServoTable->Editor()->stepUp(); // an arrow commits
    QCOMPARE(MarkedCells(*w.ServoTable), (QList<TableCell>{{2, 1}, {5, 0}}));
    QCOMPARE(int(w.Comparison->Comparison().Differences.size()), OtherDifferences - 1);
    QVERIFY(!ItemNamed(w.Comparison->ListDifferences, QStringLiteral("Servo 1: 5% / column 5")));
    w.OnUndo();
    QCOMPARE(MarkedCells(*w.ServoTable).size(), 3);
}

void TestWindowCompare::closingTakesTheMarksAway_data() {
    QTest::addColumn<bool>("byButton"); // else the panel's own close
    QTest::newRow("Close button") << true;
    QTest::newRow("panel closed") << false;
}

void TestWindowCompare::closingTakesTheMarksAway() {
    QFETCH(bool, byButton);
    TFormHlav w;
    ShowAllRows(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int width = w.width();
    w.PageControl1->setCurrentIndex(2);
    w.ShowComparison(OtherThan(w.Image), QStringLiteral("other"));
    QVERIFY(w.Comparison->isVisible());
    QCOMPARE(MarkedCells(*w.ServoTable).size(), 2);
    if (byButton)
        w.Comparison->ButtonClose->click();
    else
        w.Comparison->close();
    QVERIFY(!w.Comparison->Comparing());
    QVERIFY(w.Comparison->isHidden());
    QVERIFY(MarkedCells(*w.ServoTable).isEmpty());
    w.PageControl1->setCurrentIndex(1);
    QVERIFY(MarkedCells(*w.ServoTable).isEmpty());
    QCOMPARE(w.width(), width);
}

// The panel makes room for itself beside the pages while docked; the window's width kept for the
// next start is the one it had without the panel.
void TestWindowCompare::keptWidthLeavesThePanelOut() {
    int width = 0;
    {
        TFormHlav w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        width = w.width();
        w.ShowComparison(OtherThan(w.Image), QStringLiteral("other"));
        if (w.screen()->availableGeometry().width() < width + 400)
            QSKIP("needs a screen with room for the panel (CTest gives the tests one)");
        QVERIFY(w.width() > width);
        // Floating, the panel needs no room; docked again, it takes it again.
        w.Comparison->setFloating(true);
        QCOMPARE(w.width(), width);
        w.Comparison->setFloating(false);
        QVERIFY(w.width() > width);
        QVERIFY(w.SaveSettings().isEmpty());
    }
    TFormHlav next;
    QCOMPARE(next.width(), width);
}

void TestWindowCompare::compareWithFile() {
    TFormHlav w;
    ShowAllRows(w);
    const ParameterImage before = w.Image;
    const ParameterImage other = OtherThan(before);
    const QString path = files_.filePath(QStringLiteral("bench.ign"));
    QVERIFY(SaveParameterFile(path, other).Ok);
    w.FileChooser = [&](QFileDialog* dialog) { return dialog == w.OpenDialog1 ? path : QString(); };
    w.General.LabelFile2->setText(QStringLiteral("/kept.ign"));
    const int historyBefore = w.Session.History.CurrentIndex();
    QVERIFY(w.Commands.MenuTools->findChild<QMenu*>(QStringLiteral("MenuCompare")));
    w.Comparison->MenuCompareFile->trigger();
    QVERIFY(w.Comparison->Comparing());
    QCOMPARE(w.Comparison->OtherLabel(), QStringLiteral("bench.ign"));
    QCOMPARE(int(w.Comparison->Comparison().Differences.size()), OtherDifferences);
    QVERIFY(w.Image == before);
    QCOMPARE(w.Session.History.CurrentIndex(), historyBefore);
    QCOMPARE(w.General.LabelFile2->text(), QStringLiteral("/kept.ign"));
}

void TestWindowCompare::refusedFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << "Open file error!";
    QTest::newRow("wrong key") << QByteArray("KORVALEX_KEY 57\r\nTPS 1000 3000\r\n")
                               << "Unmatched version of *.ign file!";
    QTest::newRow("number missing") << QByteArray("KORVALEX_KEY 56\r\nTPS 1000 x\r\n")
                                    << "The file is damaged; nothing was changed.";
    QTest::newRow("blanks only") << QByteArray(" \r\n")
                                 << "The file is empty; nothing was changed.";
}

// A refused file is told as Open tells it; the comparison shown before stays as it was.
void TestWindowCompare::refusedFileChangesNothing() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    const QString path = files_.filePath(QStringLiteral("refused.ign"));
    QFile::remove(path);
    if (!contents.isEmpty())
        WriteText(path, contents);
    TFormHlav w;
    ShowAllRows(w);
    const ParameterImage before = w.Image;
    w.ShowComparison(OtherThan(before), QStringLiteral("earlier"));
    w.FileChooser = [&](QFileDialog*) { return path; };
    const auto seen = AnswerBoxes(&w, QMessageBox::Ok);
    w.Comparison->MenuCompareFile->trigger();
    QCOMPARE(seen->Count, 1);
    QCOMPARE(seen->Text, message);
    QVERIFY(w.Image == before);
    QVERIFY(!w.Session.History.CanUndo());
    QCOMPARE(w.Comparison->OtherLabel(), QStringLiteral("earlier"));
    QCOMPARE(int(w.Comparison->Comparison().Differences.size()), OtherDifferences);
}

void TestWindowCompare::textsFollowTheLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("beforeComparing");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QString>("cell");
    const QStringList czechGroups{"Obecné: 2", "Body RPM: 1", "Buňky: 4"};
    const QStringList germanGroups{"Allgemein: 2", "RPM-Punkte: 1", "Zellen: 4"};
    QTest::newRow("Czech") << 0 << false << "&Porovnat" << czechGroups << "Servo 1: 5% / sloupec 5";
    QTest::newRow("English") << 1 << false << "Co&mpare"
                             << QStringList{"General: 2", "RPM points: 1", "Cells: 4"}
                             << "Servo 1: 5% / column 5";
    QTest::newRow("German") << 2 << false << "&Unterschiede zeigen" << germanGroups
                            << "Servo 1: 5% / Spalte 5";
    QTest::newRow("French") << 3 << false << "&Comparer"
                            << QStringList{"Général : 2", "Points RPM : 1", "Cellules : 4"}
                            << "Servo 1 : 5% / colonne 5";
    // The panel's list and buttons are made at the first comparison, in the language then.
    QTest::newRow("Czech, switched before the first comparison")
        << 0 << true << "&Porovnat" << czechGroups << "Servo 1: 5% / sloupec 5";
    QTest::newRow("German, switched before the first comparison")
        << 2 << true << "&Unterschiede zeigen" << germanGroups << "Servo 1: 5% / Spalte 5";
}

// Switched with the comparison open, or before it, the menu, the groups, the names and the
// buttons take the language.
void TestWindowCompare::textsFollowTheLanguage() {
    QFETCH(int, language);
    QFETCH(bool, beforeComparing);
    QFETCH(QString, menu);
    QFETCH(QStringList, groups);
    QFETCH(QString, cell);
    TFormHlav w;
    ShowAllRows(w);
    if (!beforeComparing)
        w.ShowComparison(OtherThan(w.Image), QStringLiteral("other"));
    CurrentLanguage = dorv::LanguageOfNumber(language);
    w.ApplyLanguage();
    if (beforeComparing)
        w.ShowComparison(OtherThan(w.Image), QStringLiteral("other"));
    QCOMPARE(w.Comparison->MenuCompare->title(), menu);
    QCOMPARE(TopLevelTexts(w.Comparison->ListDifferences), groups);
    QVERIFY(ItemNamed(w.Comparison->ListDifferences, cell));
    const dorv::CompareTexts texts = dorv::CompareTextsFor(CurrentLanguage);
    QCOMPARE(w.Comparison->ButtonTakeAll->text(), texts.TakeAll);
    QCOMPARE(w.Comparison->ButtonClose->text(), texts.Close);
    QCOMPARE(w.Comparison->windowTitle(), texts.Title);
}

QTEST_MAIN(TestWindowCompare)
#include "tst_window_compare.moc"
