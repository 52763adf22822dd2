// The window's image history: entries kept on Read, Program, Verify, Open and New against
// dorv-sim on a pseudo-terminal, File > History and its commands, a folder that cannot be written.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "AnsweredBoxes.h"
#include "ComPort.h"
#include "CompareImages.h"
#include "CompareView.h"
#include "EditUpDown.h"
#include "History.h"
#include "HistoryKeeper.h"
#include "HistoryWindow.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "ServoTable.h"
#include "SimWindow.h"
#include "StorageFiles.h"
#include "WindowTestEnv.h"

using namespace dorv;
using dorv::testing::SimProcess;
using dorv::testing::WindowTestEnv;
using dorv::testing::WriteImage;

Q_DECLARE_METATYPE(dorv::ParameterImage)

namespace {

constexpr int PassTimeoutMs = 8000;

// A parameter set unlike the defaults: servo 1's table rises along rows and columns.
ParameterImage UnitParameters(int lift = 0) {
    ParameterImage image;
    SetDefaultParameters(image);
    for (int r = 0; r < ThrottleRows; ++r)
        for (int k = 0; k < RpmColumns; ++k)
            image.ServoTable(0, r, k) = static_cast<Byte>(50 + 9 * r + k + lift);
    image.servo(0).TpEnable() = 1;
    image.PulsesMode() = 1;
    NormalizeRpmPoints(image);
    return image;
}

// Same parameters: what a .ign file (and so an entry) holds of the two.
bool SameParameters(const ParameterImage& a, const ParameterImage& b) {
    return ParameterFileText(a) == ParameterFileText(b);
}

QString HistoryFolder() {
    return HistoryFolderPath();
}

std::vector<HistoryEntry> EntriesOf(HistoryKind kind) {
    std::vector<HistoryEntry> found;
    for (HistoryEntry& e : ListHistory(HistoryFolder()))
        if (e.Name.Kind == kind)
            found.push_back(std::move(e));
    return found;
}

ParameterImage ImageOfEntry(const HistoryEntry& entry) {
    const ParameterFileResult read = LoadHistoryEntry(entry, ParameterImage());
    if (!read.Accepted())
        qWarning("entry %s cannot be read", qPrintable(entry.Stem));
    return read.Image;
}

using testing::SimWindow;

bool PassEnded(TFormHlav& w) {
    return QTest::qWaitFor([&] { return w.Sequencer().State().Mode == TransferMode::Idle; },
                           PassTimeoutMs);
}

bool PassEndedOk(TFormHlav& w) {
    return PassEnded(w) && w.Sequencer().Display().Suffix == ": OK";
}

void WaitWritten(TFormHlav& w) {
    w.HistoryKeeper->WaitUntilWritten();
}

// Writes count entries straight into the folder, a second apart from 2026-01-01 on, the oldest
// first; the cell (0, 0, 0) of each tells them apart.
void FillHistory(const QString& folder, int count) {
    QVERIFY(QDir().mkpath(folder));
    for (int i = 0; i < count; ++i) {
        HistoryStamp stamp{2026, 1, 1, i / 3600, i / 60 % 60, i % 60, 0, 0};
        const QString stem = QString::fromStdString(HistoryEntryStem(stamp, HistoryKind::Read));
        ParameterImage image = UnitParameters();
        image.ServoTable(0, 0, 0) = static_cast<Byte>(i % 200);
        HistorySidecar sidecar;
        sidecar.Time = HistoryTimeText(stamp);
        sidecar.Kind = HistoryKind::Read;
        sidecar.Unit = {"OLD01", "1.1.2026", "10:00", 56};
        sidecar.Pinned = i == 0;
        for (const auto& [suffix, text] : {std::pair{".ign", ParameterFileText(image)},
                                           std::pair{".txt", SidecarText(sidecar)}}) {
            QFile file(folder + "/" + stem + suffix);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(text.data(), qint64(text.size())), qint64(text.size()));
        }
    }
}

} // namespace

class TestHistoryWindow : public QObject {
    Q_OBJECT
private slots:
    void readEditReadKeepsEditsAndRestoreBringsThemBack();
    void programKeepsWhatTheUnitHolds();
    void verifyAgainstOtherUnitKeepsTheUnitsImage();
    void openAndNewKeepUnkeptEdits();
    void unwritableFolderToldOnceToolKeepsWorking();
    void retentionRemovesOldestUnpinnedOnly();
    void historyWindowFiltersPinsNotesDeletes();
    void damagedEntriesListedNeverChanged();
    void historyTextsFollowTheLanguage_data();
    void historyTextsFollowTheLanguage();
};

// Read, edit, Read again: the edits are in a before-read entry and Restore brings them back as one
// undoable step; each Read is an undo step of its own.
void TestHistoryWindow::readEditReadKeepsEditsAndRestoreBringsThemBack() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit, SimWindow::WindowMade::OnFirstUse); // made once the folders are set
    TFormHlav& w = t.Window();
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    const ParameterImage start = w.Image;
    w.Commands.ButtonRead->click();
    QVERIFY(PassEndedOk(w));
    WaitWritten(w);
    QCOMPARE(EntriesOf(HistoryKind::Read).size(), std::size_t(1));
    QVERIFY(SameParameters(ImageOfEntry(EntriesOf(HistoryKind::Read)[0]), unit));
    QCOMPARE(EntriesOf(HistoryKind::Read)[0].Sidecar->Unit.ProgramName, std::string("SIM01"));
    QCOMPARE(EntriesOf(HistoryKind::Read)[0].Sidecar->ProgramCount, std::optional<int>(12));
    // The start-up image had no entry yet: it is kept as well.
    QCOMPARE(EntriesOf(HistoryKind::BeforeRead).size(), std::size_t(1));
    QVERIFY(SameParameters(ImageOfEntry(EntriesOf(HistoryKind::BeforeRead)[0]), start));
    // The Read is one undo step.
    QVERIFY(w.Commands.SpeedButtonZpet->isEnabled());

    w.PageControl1->setCurrentIndex(1);
    w.ServoTable->SetCurrentCell({2, 5});
    w.ServoTable->Editor()->stepUp();
    w.ServoTable->SetCurrentCell({7, 9});
    w.ServoTable->Editor()->stepUp();
    const ParameterImage edited = w.Image;
    QVERIFY(!SameParameters(edited, unit));
    w.Commands.ButtonRead->click();
    QVERIFY(PassEndedOk(w));
    WaitWritten(w);
    QVERIFY(SameParameters(w.Image, unit));
    const std::vector<HistoryEntry> beforeRead = EntriesOf(HistoryKind::BeforeRead);
    QCOMPARE(beforeRead.size(), std::size_t(2));
    QVERIFY(SameParameters(ImageOfEntry(beforeRead[0]), edited));
    // The same image read again is not kept twice.
    QCOMPARE(EntriesOf(HistoryKind::Read).size(), std::size_t(1));
    // A third Read with nothing edited keeps no before-read: the read entry holds the image.
    w.Commands.ButtonRead->click();
    QVERIFY(PassEndedOk(w));
    WaitWritten(w);
    QCOMPARE(EntriesOf(HistoryKind::BeforeRead).size(), std::size_t(2));

    // File > History by its shortcut, typed in a cell editor (where Ctrl+H would erase a
    // character); the before-read entries, the newest one restored.
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.ServoTable->SetCurrentCell({0, 0});
    w.ServoTable->Editor()->setFocus();
    QLineEdit* cell = w.ServoTable->Editor()->Edit();
    const QString cellText = cell->text();
    cell->end(false);
    QTest::keyClick(cell, Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(cell->text(), cellText);
    THistoryWindow* h = w.HistoryKeeper->FormHistory;
    QVERIFY(h && h->isVisible());
    h->KindFilter->setCurrentIndex(1 + static_cast<int>(HistoryKind::BeforeRead));
    QCOMPARE(h->RowCount(), 2);
    h->SelectRow(0);
    QCOMPARE(h->SelectedEntry()->Stem, beforeRead[0].Stem);
    QCOMPARE(h->LabelDifferences->text(), QStringLiteral("Values that differ from the editor: 2"));
    w.General.LabelFile2->setText(QStringLiteral("/tunes/track.ign"));
    h->ButtonRestore->click();
    QVERIFY(SameParameters(w.Image, edited));
    QCOMPARE(w.ServoTable->Position({2, 5}), CellShown(edited.ServoTable(0, 2, 5), false));
    QVERIFY(w.General.LabelFile2->text().isEmpty());
    QCOMPARE(h->LabelDifferences->text(), QStringLiteral("Same as the editor"));
    // Back step by step: the second Read, the two edits, the first Read, the start.
    w.Commands.SpeedButtonZpet->click();
    QVERIFY(SameParameters(w.Image, unit));
    w.Commands.SpeedButtonZpet->click();
    QVERIFY(SameParameters(w.Image, edited));
    w.Commands.SpeedButtonZpet->click();
    QVERIFY(!SameParameters(w.Image, edited) && !SameParameters(w.Image, unit));
    w.Commands.SpeedButtonZpet->click();
    QVERIFY(SameParameters(w.Image, unit));
    w.Commands.SpeedButtonZpet->click();
    QVERIFY(SameParameters(w.Image, start));
    QVERIFY(!w.Commands.SpeedButtonZpet->isEnabled());
    // Nothing of this reached the unit.
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);
    QVERIFY(t.sim->Stop());
    QVERIFY(SameParameters(t.sim->SavedImage(), unit));
}

void TestHistoryWindow::programKeepsWhatTheUnitHolds() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit, SimWindow::WindowMade::OnFirstUse); // made once the folders are set
    TFormHlav& w = t.Window();
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    w.PageControl1->setCurrentIndex(2);
    w.ServoTable->SetCurrentCell({1, 1});
    w.ServoTable->Editor()->stepUp();
    w.General.LabelFile2->setText(QStringLiteral("/tunes/dry.ign"));
    w.Commands.ButtonProgram->click();
    QVERIFY(PassEndedOk(w));
    QVERIFY(w.Sequencer().State().ProgrammedOk);
    WaitWritten(w);
    const std::vector<HistoryEntry> programmed = EntriesOf(HistoryKind::Programmed);
    QCOMPARE(programmed.size(), std::size_t(1));
    QCOMPARE(programmed[0].Sidecar->FileName, std::string("/tunes/dry.ign"));
    QVERIFY(t.sim->Stop());
    const ParameterImage held = t.sim->SavedImage();
    QVERIFY(!SameParameters(held, unit));
    QVERIFY(SameParameters(ImageOfEntry(programmed[0]), held));
}

// A Verify against a unit that holds other parameters: the unit's image is read into a copy and
// kept as unit-differs; the editor keeps its own.
void TestHistoryWindow::verifyAgainstOtherUnitKeepsTheUnitsImage() {
    const ParameterImage unit = UnitParameters(30);
    SimWindow t({}, &unit, SimWindow::WindowMade::OnFirstUse); // made once the folders are set
    TFormHlav& w = t.Window();
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    const ParameterImage editor = w.Image;
    QVERIFY(!SameParameters(editor, unit));
    w.Commands.ButtonVerify->click();
    // The failed Verify and the copy read after it, on the same tick: idle only at the end.
    QVERIFY(PassEnded(w));
    WaitWritten(w);
    const std::vector<HistoryEntry> differs = EntriesOf(HistoryKind::UnitDiffers);
    QCOMPARE(differs.size(), std::size_t(1));
    QVERIFY(SameParameters(ImageOfEntry(differs[0]), unit));
    QCOMPARE(differs[0].Sidecar->Unit.ProgramName, std::string("SIM01"));
    QVERIFY(SameParameters(w.Image, editor));
    // The failure stays what the user is told, not the copy read's own "OK".
    QCOMPARE(w.Live.LabelHlaseni->text(), w.Messages.MsgVerifyError);
    QCOMPARE(w.Sequencer().Display().Colour, StatusColour::Red);
    QVERIFY(w.Sequencer().Display().MessageVisible);
    QVERIFY(EntriesOf(HistoryKind::Programmed).empty());
    // A Verify that fails again while the unit still holds the same keeps nothing new.
    w.Commands.ButtonVerify->click();
    QVERIFY(PassEnded(w));
    WaitWritten(w);
    QCOMPARE(EntriesOf(HistoryKind::UnitDiffers).size(), std::size_t(1));
    // A unit that holds the editor's parameters: Verify passes, no copy is read.
    w.Commands.ButtonRead->click();
    QVERIFY(PassEndedOk(w));
    w.Commands.ButtonVerify->click();
    QVERIFY(PassEndedOk(w));
    QCOMPARE(w.Live.LabelHlaseni->text(), w.Messages.MsgVerifying + ": OK");
}

void TestHistoryWindow::openAndNewKeepUnkeptEdits() {
    WindowTestEnv env;
    CurrentLanguage = dorv::Language::English;
    TFormHlav w;
    QTemporaryDir files;
    const QString path = files.filePath("other.ign");
    QVERIFY(SaveParameterFile(path, UnitParameters(5)).Ok);
    w.Image.Tps0() = 33;
    w.Session.Commit();
    const ParameterImage edited = w.Image;
    QVERIFY(w.OpenParameterFile(path));
    auto boxes = dorv::testing::AnswerBoxes(&w, QMessageBox::Yes);
    w.Commands.MenuNew->trigger();
    WaitWritten(w);
    QCOMPARE(EntriesOf(HistoryKind::BeforeOpen).size(), std::size_t(1));
    QVERIFY(SameParameters(ImageOfEntry(EntriesOf(HistoryKind::BeforeOpen)[0]), edited));
    QCOMPARE(EntriesOf(HistoryKind::BeforeNew).size(), std::size_t(1));
    const HistoryEntry beforeNew = EntriesOf(HistoryKind::BeforeNew)[0];
    QVERIFY(SameParameters(ImageOfEntry(beforeNew), UnitParameters(5)));
    QCOMPARE(beforeNew.Sidecar->FileName, path.toStdString());
    // A refused file replaces nothing and keeps nothing.
    w.Image.Tps0() = 44;
    w.Session.Commit();
    QVERIFY(!w.OpenParameterFile(files.filePath("missing.ign")));
    WaitWritten(w);
    QCOMPARE(EntriesOf(HistoryKind::BeforeOpen).size(), std::size_t(1));
}

// The history folder cannot be made (a file stands in its place): Reads go on, the status bar
// says so once, no box interrupts; once the folder can be written again the note goes.
void TestHistoryWindow::unwritableFolderToldOnceToolKeepsWorking() {
    const ParameterImage unit = UnitParameters();
    SimWindow t({}, &unit, SimWindow::WindowMade::OnFirstUse); // made once the folders are set
    QVERIFY(QDir().mkpath(t.DataHome() + "/DORV"));
    {
        QFile blocker(t.DataHome() + "/DORV/history");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    TFormHlav& w = t.Window();
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    auto boxes = dorv::testing::AnswerBoxes(&w, QMessageBox::Ok);
    for (int pass = 0; pass < 2; ++pass) {
        w.Commands.ButtonRead->click();
        QVERIFY(PassEndedOk(w));
        WaitWritten(w);
        QVERIFY(SameParameters(w.Image, unit));
        w.Image.servo(0).Cell(0, 0) = static_cast<Byte>(20 + pass); // edits to keep next time
        w.Session.Commit();
    }
    QCOMPARE(boxes->Count, 0);
    const QList<QLabel*> notes = w.StatusBar1->findChildren<QLabel*>("LabelHistoryNote");
    QCOMPARE(notes.size(), 1);
    QVERIFY(notes[0]->isVisibleTo(w.StatusBar1));
    QVERIFY2(notes[0]->text().startsWith("History not kept: "), qPrintable(notes[0]->text()));
    w.Commands.MenuGerman->trigger();
    QVERIFY2(notes[0]->text().startsWith("Verlauf wird nicht gespeichert: "),
             qPrintable(notes[0]->text()));
    w.Commands.MenuEnglish->trigger();

    QVERIFY(QFile::remove(t.DataHome() + "/DORV/history"));
    w.Commands.ButtonRead->click();
    QVERIFY(PassEndedOk(w));
    WaitWritten(w);
    QVERIFY(!notes[0]->isVisibleTo(w.StatusBar1));
    QCOMPARE(EntriesOf(HistoryKind::BeforeRead).size(), std::size_t(1));
    QCOMPARE(EntriesOf(HistoryKind::Read).size(), std::size_t(1));
}

// A full history: the new entries push out the oldest unpinned ones; the pinned oldest stays.
void TestHistoryWindow::retentionRemovesOldestUnpinnedOnly() {
    const ParameterImage unit = UnitParameters(3);
    SimWindow t({}, &unit, SimWindow::WindowMade::OnFirstUse); // made once the folders are set
    const QString folder = t.DataHome() + "/DORV/history";
    FillHistory(folder, HistoryMaxEntries);
    TFormHlav& w = t.Window();
    QTRY_VERIFY_WITH_TIMEOUT(t.Connected(), 5000);
    const std::vector<HistoryEntry> before = ListHistory(folder);
    QCOMPARE(before.size(), std::size_t(HistoryMaxEntries));
    w.Commands.ButtonRead->click(); // keeps before-read and read
    QVERIFY(PassEndedOk(w));
    WaitWritten(w);
    const std::vector<HistoryEntry> after = ListHistory(folder);
    QCOMPARE(after.size(), std::size_t(HistoryMaxEntries));
    QCOMPARE(after[0].Name.Kind, HistoryKind::Read);
    QCOMPARE(after[1].Name.Kind, HistoryKind::BeforeRead);
    // The oldest (pinned) stays; the two after it went; the rest is as it was.
    QCOMPARE(after.back().Stem, before.back().Stem);
    QVERIFY(after.back().Pinned());
    const std::size_t n = before.size();
    QCOMPARE(after[after.size() - 2].Stem, before[n - 4].Stem);
    for (const HistoryEntry& gone : {before[n - 2], before[n - 3]})
        QVERIFY(!QFile::exists(gone.EntryPath()) && !QFile::exists(gone.SidecarPath()));
}

void TestHistoryWindow::historyWindowFiltersPinsNotesDeletes() {
    WindowTestEnv env;
    CurrentLanguage = dorv::Language::English;
    TFormHlav w;
    const QString folder = HistoryFolder();
    {
        HistoryStore store(folder);
        const QDateTime t0(QDate(2026, 12, 1), QTime(9, 0));
        ParameterImage a = UnitParameters();
        a.ProgramNameChar(0) = 'A', a.ProgramNameChar(1) = 'A', a.ProgramNameChar(2) = 'A';
        ParameterImage b = UnitParameters(1);
        b.ProgramNameChar(0) = 'B', b.ProgramNameChar(1) = 'B', b.ProgramNameChar(2) = 'B';
        store.Write({HistoryKind::Read, a, t0, 7, {}});
        store.Write({HistoryKind::Programmed, b, t0.addSecs(60), 8, "/t/b.ign"});
        store.Write({HistoryKind::Read, b, t0.addSecs(120), 9, {}});
        store.Write({HistoryKind::BeforeNew, a, t0.addSecs(180), {}, {}});
    }
    w.Image = UnitParameters();
    w.Session.Commit();
    QVERIFY(w.Commands.MenuFile->actions().contains(w.HistoryKeeper->MenuHistory));
    w.HistoryKeeper->MenuHistory->trigger();
    THistoryWindow* h = w.HistoryKeeper->FormHistory;
    QVERIFY(h && h->isVisible());
    QCOMPARE(h->RowCount(), 4);
    // Newest first, with its columns.
    const QAbstractItemModel* rows = h->EntryList->model();
    QCOMPARE(rows->index(0, THistoryModel::KindColumn).data().toString(), "Before new");
    QCOMPARE(rows->index(0, THistoryModel::TimeColumn).data().toString(), "2026-12-01 09:03:00");
    QCOMPARE(rows->index(2, THistoryModel::FileColumn).data().toString(), "/t/b.ign");
    QCOMPARE(rows->index(2, THistoryModel::CountColumn).data().toInt(), 8);
    QVERIFY(rows->index(0, THistoryModel::CountColumn).data().isNull());

    // Filters: unit, then kind, then both.
    QCOMPARE(h->UnitFilter->count(), 3);
    h->UnitFilter->setCurrentIndex(h->UnitFilter->findText("BBB00", Qt::MatchStartsWith));
    QCOMPARE(h->RowCount(), 2);
    h->KindFilter->setCurrentIndex(1 + static_cast<int>(HistoryKind::Read));
    QCOMPARE(h->RowCount(), 1);
    QCOMPARE(rows->index(0, THistoryModel::CountColumn).data().toInt(), 9);
    // Differences from the editor: the b images lie one step above a in 150 cells.
    QCOMPARE(h->LabelDifferences->text(), "Values that differ from the editor: 150");
    QSignalSpy compared(h, &THistoryWindow::CompareRequested);
    h->ButtonCompare->click();
    QCOMPARE(compared.size(), 1);
    QVERIFY(SameParameters(compared[0][0].value<ParameterImage>(), UnitParameters(1)));
    QVERIFY(compared[0][1].toString().startsWith("Read 2026-12-01 09:02:00"));
    // The window's comparison panel shows the entry's differences.
    QVERIFY(w.Comparison->Comparing());
    QCOMPARE(w.Comparison->Comparison().Count(DifferenceGroup::Cells), 150);
    QVERIFY(w.Comparison->OtherLabel().startsWith("Read 2026-12-01 09:02:00"));
    auto boxes = dorv::testing::AnswerBoxes(&w, QMessageBox::Ok);
    h->UnitFilter->setCurrentIndex(0);
    h->KindFilter->setCurrentIndex(0);
    QCOMPARE(h->RowCount(), 4);

    // Pin and note, kept in the sidecar.
    h->SelectRow(3);
    const QString oldest = h->SelectedEntry()->Stem;
    h->ButtonPin->click();
    QCOMPARE(h->SelectedEntry()->Stem, oldest);
    QVERIFY(h->SelectedEntry()->Pinned());
    QCOMPARE(h->ButtonPin->text(), "Un&pin");
    QCOMPARE(rows->index(3, THistoryModel::PinnedColumn).data().toString(), QString("\u2713"));
    h->AskNote = [](const QString&, const QString&) { return std::optional<QString>("dry\nday"); };
    h->ButtonNote->click();
    QCOMPARE(ListHistory(folder).back().Sidecar->Note, std::string("dry\nday"));
    QVERIFY(ListHistory(folder).back().Pinned());
    QCOMPARE(rows->index(3, THistoryModel::NoteColumn).data().toString(), "dry …");

    // Save as: the entry's parameters as a parameter file.
    QTemporaryDir files;
    h->ChooseSaveFile = [&] { return files.filePath("kept.ign"); };
    h->ButtonSaveAs->click();
    const ParameterFileResult saved = OpenParameterFile(files.filePath("kept.ign"), w.Image);
    QVERIFY(saved.Accepted());
    QVERIFY(SameParameters(saved.Image, UnitParameters()));

    // Delete asks; No keeps the entry, Yes removes it.
    QString asked;
    h->AskDelete = [&asked](const QString& question) {
        asked = question;
        return false;
    };
    h->ButtonDelete->click();
    QVERIFY(asked.startsWith("Delete the entry Read 2026-12-01 09:00:00"));
    QCOMPARE(ListHistory(folder).size(), std::size_t(4));
    h->AskDelete = [](const QString&) { return true; };
    h->ButtonDelete->click();
    QCOMPARE(ListHistory(folder).size(), std::size_t(3));
    QCOMPARE(h->RowCount(), 3);
    QCOMPARE(boxes->Count, 0); // Delete asks through AskDelete, no other box
}

void TestHistoryWindow::damagedEntriesListedNeverChanged() {
    WindowTestEnv env;
    CurrentLanguage = dorv::Language::English;
    TFormHlav w;
    const QString folder = HistoryFolder();
    QVERIFY(QDir().mkpath(folder));
    HistoryStore(folder).Write(
        {HistoryKind::Read, UnitParameters(), QDateTime::currentDateTime(), {}, {}});
    const QByteArray junk("\x01\x02garbage", 9);
    for (const char* name : {"20200101-000000-000-read.ign", "20200101-000000-000-read.txt",
                             "20200102-000000-000-programmed.txt"}) {
        QFile f(folder + "/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(junk);
    }
    w.HistoryKeeper->ShowHistory();
    THistoryWindow* h = w.HistoryKeeper->FormHistory;
    QCOMPARE(h->RowCount(), 3);
    for (int row = 1; row < 3; ++row) {
        h->SelectRow(row);
        QCOMPARE(h->LabelDifferences->text(), "Damaged entry: it cannot be read");
        for (QPushButton* b :
             {h->ButtonRestore, h->ButtonCompare, h->ButtonPin, h->ButtonNote, h->ButtonSaveAs})
            QVERIFY(!b->isEnabled());
        QVERIFY(h->ButtonDelete->isEnabled());
    }
    // New entries and retention leave them alone.
    w.Image.Tps0() = 40;
    w.HistoryKeeper->KeepBeforeReplace(HistoryKind::BeforeNew);
    WaitWritten(w);
    QCOMPARE(ListHistory(folder).size(), std::size_t(4));
    for (const char* name : {"20200101-000000-000-read.ign", "20200101-000000-000-read.txt",
                             "20200102-000000-000-programmed.txt"}) {
        QFile f(folder + "/" + name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), junk);
    }
}

void TestHistoryWindow::historyTextsFollowTheLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("restore");
    QTest::addColumn<QString>("kind");
    QTest::newRow("Czech") << 0 << "&Historie..."
                           << "Historie"
                           << "&Obnovit"
                           << "Před novým";
    QTest::newRow("English") << 1 << "&History..."
                             << "History"
                             << "&Restore"
                             << "Before new";
    QTest::newRow("German") << 2 << "&Verlauf..."
                            << "Verlauf"
                            << "&Wiederherstellen"
                            << "Vor Neu";
    QTest::newRow("French") << 3 << "&Historique..."
                            << "Historique"
                            << "&Restaurer"
                            << "Avant nouveau";
}

void TestHistoryWindow::historyTextsFollowTheLanguage() {
    QFETCH(int, language);
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QString, restore);
    QFETCH(QString, kind);
    WindowTestEnv env;
    CurrentLanguage = dorv::Language::English;
    TFormHlav w;
    HistoryStore(HistoryFolder())
        .Write({HistoryKind::BeforeNew, UnitParameters(), QDateTime::currentDateTime(), {}, {}});
    w.HistoryKeeper->ShowHistory();
    // Switched while the window is open, as the language menu does.
    CurrentLanguage = dorv::LanguageOfNumber(language);
    w.ApplyLanguage();
    THistoryWindow* h = w.HistoryKeeper->FormHistory;
    QCOMPARE(w.HistoryKeeper->MenuHistory->text(), menu);
    QCOMPARE(h->windowTitle(), title);
    QCOMPARE(h->ButtonRestore->text(), restore);
    QCOMPARE(h->EntryList->model()->index(0, THistoryModel::KindColumn).data().toString(), kind);
    QCOMPARE(h->KindFilter->itemText(1 + static_cast<int>(HistoryKind::BeforeNew)), kind);
    CurrentLanguage = dorv::Language::English;
}

QTEST_MAIN(TestHistoryWindow)
#include "tst_history_window.moc"
