// Tests of the image history: names, sidecar text, retention, the folder, the writer thread.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <unistd.h>

#include "History.h"
#include "HistoryText.h"
#include "StorageFiles.h"

using namespace dorv;

Q_DECLARE_METATYPE(HistoryStamp)
Q_DECLARE_METATYPE(HistoryKind)
Q_DECLARE_METATYPE(HistorySidecar)
Q_DECLARE_METATYPE(std::vector<RetentionItem>)
Q_DECLARE_METATYPE(std::vector<std::size_t>)

namespace {

// A parameter set told apart by one cell, from a unit told apart by its program number.
ParameterImage ImageOf(int cell, int unit = 1) {
    ParameterImage image;
    SetDefaultParameters(image);
    image.ServoTable(0, 2, 3) = static_cast<Byte>(cell);
    if (unit > 0) {
        image.ProgramNameChar(0) = 'S';
        image.ProgramNameChar(1) = 'I';
        image.ProgramNameChar(2) = 'M';
        image.ProgramNumber() = static_cast<Byte>(unit);
        image.BuildDay() = 10;
        image.BuildMonthCode() = 12; // December
        image.BuildYear() = 26;
        image.FormatVersion() = 56;
    }
    return image;
}

const QDateTime Noon(QDate(2026, 12, 10), QTime(12, 0, 0, 250));

HistoryRecord Record(HistoryKind kind, const ParameterImage& image, QDateTime time = Noon) {
    HistoryRecord record;
    record.Kind = kind;
    record.Image = image;
    record.Time = time;
    record.ProgramCount = 12;
    record.FileName = QStringLiteral("/tunes/track.ign");
    return record;
}

void PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList Stems(const std::vector<HistoryEntry>& entries) {
    QStringList stems;
    for (const HistoryEntry& e : entries)
        stems << e.Stem;
    return stems;
}

// The cell that tells the test images apart, as the entry's file holds it.
int CellOf(const HistoryEntry& entry) {
    const ParameterFileResult read = LoadHistoryEntry(entry, ParameterImage());
    return read.Accepted() ? read.Image.ServoTable(0, 2, 3) : -1;
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void entryNames_data();
    void entryNames();
    void foreignNamesRefused_data();
    void foreignNamesRefused();
    void sidecarRoundTrip_data();
    void sidecarRoundTrip();
    void damagedSidecarText_data();
    void damagedSidecarText();
    void unitOfImage();
    void retentionRule_data();
    void retentionRule();
    void folderFollowsDataHome_data();
    void folderFollowsDataHome();
    void entryOpensAsParameterFile();
    void sameAsNewestOfKindAndUnitNotWritten();
    void sameMillisecondNamesKeepBoth();
    void retentionOnDiskKeepsPinnedAndDamaged();
    void retentionByBytes();
    void damagedEntriesListedAndKept();
    void unwritableFolderFails_data();
    void unwritableFolderFails();
    void pinNoteDelete();
    void writerThreadWritesInOrder();
};

void TestHistory::entryNames_data() {
    QTest::addColumn<HistoryStamp>("stamp");
    QTest::addColumn<HistoryKind>("kind");
    QTest::addColumn<QString>("stem");
    QTest::newRow("read") << HistoryStamp{2026, 12, 10, 14, 22, 33, 123, 3600} << HistoryKind::Read
                          << "20261210-142233-123-read";
    QTest::newRow("programmed, small fields")
        << HistoryStamp{2027, 1, 2, 3, 4, 5, 6, 0} << HistoryKind::Programmed
        << "20270102-030405-006-programmed";
    QTest::newRow("unit-differs") << HistoryStamp{2026, 6, 30, 23, 59, 59, 999, -18000}
                                  << HistoryKind::UnitDiffers << "20260630-235959-999-unit-differs";
    QTest::newRow("before-read") << HistoryStamp{2026, 1, 1, 0, 0, 0, 0, 0}
                                 << HistoryKind::BeforeRead << "20260101-000000-000-before-read";
    QTest::newRow("before-open") << HistoryStamp{2026, 2, 3, 4, 5, 6, 70, 0}
                                 << HistoryKind::BeforeOpen << "20260203-040506-070-before-open";
    QTest::newRow("before-new") << HistoryStamp{2026, 2, 3, 4, 5, 6, 700, 0}
                                << HistoryKind::BeforeNew << "20260203-040506-700-before-new";
}

void TestHistory::entryNames() {
    QFETCH(HistoryStamp, stamp);
    QFETCH(HistoryKind, kind);
    QFETCH(QString, stem);
    QCOMPARE(QString::fromStdString(HistoryEntryStem(stamp, kind)), stem);
    const std::optional<HistoryName> parsed = ParseHistoryStem(stem.toStdString());
    QVERIFY(parsed);
    QCOMPARE(parsed->Kind, kind);
    HistoryStamp withoutOffset = stamp;
    withoutOffset.UtcOffsetSeconds = 0; // the name does not carry it; the sidecar does
    QCOMPARE(parsed->Stamp, withoutOffset);
}

void TestHistory::foreignNamesRefused_data() {
    QTest::addColumn<QString>("stem");
    QTest::newRow("unknown kind") << "20261210-142233-123-saved";
    QTest::newRow("no kind") << "20261210-142233-123-";
    QTest::newRow("kind with a tail") << "20261210-142233-123-read-2";
    QTest::newRow("letter in the time") << "20261210-14a233-123-read";
    QTest::newRow("month 13") << "20261310-142233-123-read";
    QTest::newRow("hour 24") << "20261210-242233-123-read";
    QTest::newRow("short") << "2026121-142233-123-read";
    QTest::newRow("a log's name") << "2026-12-10_14-22-33";
}

void TestHistory::foreignNamesRefused() {
    QFETCH(QString, stem);
    QVERIFY(!ParseHistoryStem(stem.toStdString()));
}

void TestHistory::sidecarRoundTrip_data() {
    QTest::addColumn<HistorySidecar>("sidecar");
    HistorySidecar full;
    full.Time = "2026-12-10 14:22:33.123 +01:00";
    full.Kind = HistoryKind::UnitDiffers;
    full.Unit = {"SIM01", "10.12.2026", "14:00", 56};
    full.ProgramCount = 12;
    full.FileName = "/home/tech/tunes/track=dry.ign";
    full.Note = "before the race\nsecond line with a \\ and = sign";
    full.Pinned = true;
    QTest::newRow("every field, escapes") << full;
    HistorySidecar bare;
    bare.Time = "2026-01-01 00:00:00.000 -05:30";
    bare.Kind = HistoryKind::BeforeNew;
    QTest::newRow("unknown unit, no count, no file") << bare;
    HistorySidecar zero = full;
    zero.ProgramCount = 0;
    zero.Pinned = false;
    zero.Note = "\r\n\\n";
    QTest::newRow("count 0, note of line ends and a written escape") << zero;
}

void TestHistory::sidecarRoundTrip() {
    QFETCH(HistorySidecar, sidecar);
    const std::string text = SidecarText(sidecar);
    QCOMPARE(std::ranges::count(text, '\n'), 10); // one line per field, whatever the note holds
    const std::optional<HistorySidecar> read = ReadSidecarText(text);
    QVERIFY(read);
    QVERIFY(*read == sidecar);
}

void TestHistory::damagedSidecarText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no time") << QByteArray("kind=read\npinned=0\n");
    QTest::newRow("no kind") << QByteArray("time=2026-12-10 14:22:33.123 +01:00\n");
    QTest::newRow("unknown kind") << QByteArray("time=t\nkind=saved\n");
    QTest::newRow("line without =") << QByteArray("time=t\nkind=read\ngarbage\n");
    QTest::newRow("bad escape") << QByteArray("time=t\nkind=read\nnote=a\\qb\n");
    QTest::newRow("escape at the end") << QByteArray("time=t\nkind=read\nnote=a\\\n");
    QTest::newRow("count no number") << QByteArray("time=t\nkind=read\nprogramming-count=12x\n");
    QTest::newRow("binary") << QByteArray("\x7f\x45\x4c\x46\x02\x01", 6);
}

void TestHistory::damagedSidecarText() {
    QFETCH(QByteArray, text);
    QVERIFY(!ReadSidecarText(std::string_view(text.constData(), text.size())));
}

void TestHistory::unitOfImage() {
    QVERIFY(!HistoryUnitOf(ImageOf(5, 0)).Known());
    QCOMPARE(HistoryUnitOf(ImageOf(5, 0)).Text(), std::string());
    const HistoryUnit unit = HistoryUnitOf(ImageOf(5, 1));
    QCOMPARE(unit.Text(), std::string("SIM01 10.12.2026 00:00 v56"));
    // The parameters do not make the unit: only the identity block does.
    QVERIFY(HistoryUnitOf(ImageOf(9, 1)) == unit);
    QVERIFY(!(HistoryUnitOf(ImageOf(5, 2)) == unit));
    ParameterImage odd = ImageOf(5, 1);
    odd.ProgramNameChar(1) = '\n';
    QCOMPARE(HistoryUnitOf(odd).ProgramName, std::string("S?M01"));
}

void TestHistory::retentionRule_data() {
    QTest::addColumn<std::vector<RetentionItem>>("oldestFirst");
    QTest::addColumn<int>("maxEntries");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<std::vector<std::size_t>>("removed");
    const RetentionItem plain{10, false, false};
    const RetentionItem pinned{10, true, false};
    const RetentionItem damaged{10, false, true};
    QTest::newRow("within both") << std::vector{plain, plain, plain} << 3 << qint64(30)
                                 << std::vector<std::size_t>{};
    QTest::newRow("one over by count") << std::vector{plain, plain, plain, plain} << 3
                                       << qint64(1000) << std::vector<std::size_t>{0};
    QTest::newRow("pinned oldest stays, next goes") << std::vector{pinned, plain, plain, plain} << 3
                                                    << qint64(1000) << std::vector<std::size_t>{1};
    QTest::newRow("damaged stays as pinned does")
        << std::vector{damaged, pinned, plain, plain, plain} << 3 << qint64(1000)
        << std::vector<std::size_t>{2, 3};
    QTest::newRow("over by bytes") << std::vector{RetentionItem{40, false, false}, plain, plain}
                                   << 100 << qint64(25) << std::vector<std::size_t>{0};
    QTest::newRow("bytes: oldest small ones go until under")
        << std::vector{plain, plain, RetentionItem{40, false, false}} << 100 << qint64(45)
        << std::vector<std::size_t>{0, 1};
    QTest::newRow("all pinned: nothing to remove")
        << std::vector{pinned, pinned, pinned} << 1 << qint64(1) << std::vector<std::size_t>{};
    QTest::newRow("kept ones over the limit: every other goes but the newest")
        << std::vector{pinned, plain, pinned, plain, plain} << 1 << qint64(1000)
        << std::vector<std::size_t>{1, 3};
    QTest::newRow("newest alone over the bytes: it stays")
        << std::vector{plain, RetentionItem{90, false, false}} << 100 << qint64(50)
        << std::vector<std::size_t>{0};
}

void TestHistory::retentionRule() {
    QFETCH(std::vector<RetentionItem>, oldestFirst);
    QFETCH(int, maxEntries);
    QFETCH(qint64, maxBytes);
    QFETCH(std::vector<std::size_t>, removed);
    QCOMPARE(EntriesToRemove(oldestFirst, maxEntries, maxBytes), removed);
}

void TestHistory::folderFollowsDataHome_data() {
    QTest::addColumn<QByteArray>("dataHome");
    QTest::addColumn<QString>("expected");
    const QString home = QDir::homePath();
    QTest::newRow("set") << QByteArray("/data/x") << QStringLiteral("/data/x/DORV/history");
    QTest::newRow("unset") << QByteArray() << home + QStringLiteral("/.local/share/DORV/history");
    QTest::newRow("relative") << QByteArray("rel/x")
                              << home + QStringLiteral("/.local/share/DORV/history");
}

void TestHistory::folderFollowsDataHome() {
    QFETCH(QByteArray, dataHome);
    QFETCH(QString, expected);
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);
    const QString folder = HistoryFolderPath();
    if (wasSet)
        qputenv("XDG_DATA_HOME", before);
    else
        qunsetenv("XDG_DATA_HOME");
    QCOMPARE(folder, expected);
}

// An entry is a parameter file as Save writes it, and its sidecar tells what happened.
void TestHistory::entryOpensAsParameterFile() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("DORV/history"); // made on the first write
    HistoryStore store(folder);
    const ParameterImage image = ImageOf(77);
    const HistoryWriteResult written = store.Write(Record(HistoryKind::Programmed, image));
    QCOMPARE(written.What, HistoryWriteResult::Outcome::Written);
    const std::vector<HistoryEntry> entries = ListHistory(folder);
    QCOMPARE(entries.size(), std::size_t(1));
    const HistoryEntry& entry = entries[0];
    QCOMPARE(entry.Stem, written.Stem);
    QCOMPARE(entry.Stem, QStringLiteral("20261210-120000-250-programmed"));
    QVERIFY(!entry.Damaged());
    QCOMPARE(QFile(entry.EntryPath()).size(), qint64(ParameterFileText(image).size()));
    const ParameterFileResult opened = OpenParameterFile(entry.EntryPath(), ParameterImage());
    QVERIFY(opened.Accepted());
    QCOMPARE(ParameterFileText(opened.Image), ParameterFileText(image));
    QCOMPARE(entry.Sidecar->Kind, HistoryKind::Programmed);
    QCOMPARE(entry.Sidecar->Unit.Text(), std::string("SIM01 10.12.2026 00:00 v56"));
    QCOMPARE(entry.Sidecar->ProgramCount, std::optional<int>(12));
    QCOMPARE(entry.Sidecar->FileName, std::string("/tunes/track.ign"));
    QVERIFY(QString::fromStdString(entry.Sidecar->Time).startsWith("2026-12-10 12:00:00.250 "));
    QVERIFY(!entry.Pinned());
}

void TestHistory::sameAsNewestOfKindAndUnitNotWritten() {
    QTemporaryDir dir;
    using O = HistoryWriteResult::Outcome;
    {
        HistoryStore store(dir.path());
        QCOMPARE(store.Write(Record(HistoryKind::Read, ImageOf(1))).What, O::Written);
        QCOMPARE(store.Write(Record(HistoryKind::Read, ImageOf(1))).What, O::SameAsNewest);
        // Another kind, another unit, or other parameters: written.
        QCOMPARE(store.Write(Record(HistoryKind::Programmed, ImageOf(1))).What, O::Written);
        QCOMPARE(store.Write(Record(HistoryKind::Read, ImageOf(1, 2))).What, O::Written);
        QCOMPARE(store.Write(Record(HistoryKind::Read, ImageOf(2))).What, O::Written);
        // The same as an older entry, but not as the newest of its kind and unit: written.
        QCOMPARE(store.Write(Record(HistoryKind::Read, ImageOf(1))).What, O::Written);
    }
    // A later run of the tool finds the newest entries in the folder.
    HistoryStore later(dir.path());
    QCOMPARE(later.Write(Record(HistoryKind::Read, ImageOf(1))).What, O::SameAsNewest);
    QCOMPARE(later.Write(Record(HistoryKind::Read, ImageOf(1, 2))).What, O::SameAsNewest);
    QCOMPARE(ListHistory(dir.path()).size(), std::size_t(5));
    // Once the user deletes the newest one, the same image is kept again.
    QVERIFY(DeleteHistoryEntry(ListHistory(dir.path()).front()));
    QCOMPARE(later.Write(Record(HistoryKind::Read, ImageOf(1))).What, O::Written);
}

void TestHistory::sameMillisecondNamesKeepBoth() {
    QTemporaryDir dir;
    HistoryStore store(dir.path());
    for (int cell = 1; cell <= 3; ++cell)
        QCOMPARE(store.Write(Record(HistoryKind::BeforeRead, ImageOf(cell))).What,
                 HistoryWriteResult::Outcome::Written);
    // Another writer (a second run of the tool) at the same moment takes the next free one.
    HistoryStore other(dir.path());
    QCOMPARE(other.Write(Record(HistoryKind::Read, ImageOf(4))).What,
             HistoryWriteResult::Outcome::Written);
    const std::vector<HistoryEntry> entries = ListHistory(dir.path());
    QCOMPARE(Stems(entries),
             QStringList({"20261210-120000-253-read", "20261210-120000-252-before-read",
                          "20261210-120000-251-before-read", "20261210-120000-250-before-read"}));
    QList<int> cells;
    for (const HistoryEntry& e : entries)
        cells << CellOf(e);
    QCOMPARE(cells, QList<int>({4, 3, 2, 1}));
}

void TestHistory::retentionOnDiskKeepsPinnedAndDamaged() {
    QTemporaryDir dir;
    HistoryStore store(dir.path(), 3);
    QVERIFY(store.Write(Record(HistoryKind::Read, ImageOf(1))).What ==
            HistoryWriteResult::Outcome::Written);
    QVERIFY(SetHistoryPinned(ListHistory(dir.path()).front(), true).Ok);
    // A damaged entry (its sidecar unreadable) older than everything else.
    PutFile(dir.filePath("20200101-000000-000-read.ign"), QByteArray("KORVALEX_KEY 56"));
    PutFile(dir.filePath("20200101-000000-000-read.txt"), QByteArray("not a sidecar"));
    for (int cell = 2; cell <= 6; ++cell)
        store.Write(Record(HistoryKind::Read, ImageOf(cell), Noon.addSecs(cell)));
    const std::vector<HistoryEntry> entries = ListHistory(dir.path());
    QList<int> cells;
    for (const HistoryEntry& e : entries)
        cells << (e.Damaged() ? -1 : CellOf(e));
    // Three entries at most: the newest unpinned one, plus the pinned and the damaged ones,
    // which never go even when they alone fill the limit.
    QCOMPARE(cells, QList<int>({6, 1, -1}));
    QVERIFY(entries[1].Pinned());
}

void TestHistory::retentionByBytes() {
    QTemporaryDir dir;
    const qint64 entryBytes = qint64(ParameterFileText(ImageOf(1)).size());
    // Room for two entries and their sidecars, not three.
    HistoryStore store(dir.path(), 2000, 2 * entryBytes + 600);
    for (int cell = 1; cell <= 4; ++cell)
        store.Write(Record(HistoryKind::Programmed, ImageOf(cell), Noon.addSecs(cell)));
    const std::vector<HistoryEntry> entries = ListHistory(dir.path());
    QCOMPARE(entries.size(), std::size_t(2));
    QCOMPARE(CellOf(entries[0]), 4);
    QCOMPARE(CellOf(entries[1]), 3);
}

void TestHistory::damagedEntriesListedAndKept() {
    QTemporaryDir dir;
    HistoryStore store(dir.path(), 1);
    store.Write(Record(HistoryKind::Read, ImageOf(1)));
    PutFile(dir.filePath("20260101-000000-000-read.ign"), QByteArray("KORVALEX_KEY 56\r\n"));
    PutFile(dir.filePath("20260101-000001-000-programmed.txt"),
            QByteArray("time=x\nkind=programmed\npinned=0\n")); // no entry beside it
    PutFile(dir.filePath("20260101-000002-000-read.ign"), QByteArray("KORVALEX_KEY 56\r\n"));
    PutFile(dir.filePath("20260101-000002-000-read.txt"), QByteArray("\x01\x02\x03"));
    QVERIFY(QDir(dir.path()).mkdir("20260101-000003-000-read.txt")); // a folder, not a file
    PutFile(dir.filePath("notes.txt"), QByteArray("not ours"));
    PutFile(dir.filePath("20260101-000004-000-saved.ign"), QByteArray("not ours"));

    store.Write(Record(HistoryKind::Read, ImageOf(2), Noon.addSecs(1)));
    const std::vector<HistoryEntry> entries = ListHistory(dir.path());
    QCOMPARE(Stems(entries),
             QStringList({"20261210-120001-250-read", "20260101-000002-000-read",
                          "20260101-000001-000-programmed", "20260101-000000-000-read"}));
    QVERIFY(!entries[0].Damaged());
    for (std::size_t i = 1; i < entries.size(); ++i)
        QVERIFY2(entries[i].Damaged(), qPrintable(entries[i].Stem));
    QVERIFY(!entries[2].EntryPresent);
    // The damaged ones are never changed by the tool.
    QVERIFY(!SetHistoryPinned(entries[1], true).Ok);
    QVERIFY(!SetHistoryNote(entries[3], "x").Ok);
    QVERIFY(QFileInfo::exists(dir.filePath("20260101-000002-000-read.txt")));
    QCOMPARE(QFile(dir.filePath("20260101-000002-000-read.txt")).size(), 3);
    QVERIFY(QFileInfo::exists(dir.filePath("notes.txt")));
}

void TestHistory::unwritableFolderFails_data() {
    QTest::addColumn<bool>("fileInPlace");
    QTest::newRow("a file where the folder should be") << true;
    QTest::newRow("a folder without write permission") << false;
}

void TestHistory::unwritableFolderFails() {
    QFETCH(bool, fileInPlace);
    if (!fileInPlace && ::geteuid() == 0)
        QSKIP("permissions do not hold back the superuser");
    QTemporaryDir dir;
    const QString folder = dir.filePath("history");
    if (fileInPlace) {
        PutFile(folder, QByteArray("x"));
    } else {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    HistoryStore store(folder);
    const HistoryWriteResult result = store.Write(Record(HistoryKind::Read, ImageOf(1)));
    QCOMPARE(result.What, HistoryWriteResult::Outcome::Failed);
    QVERIFY(!result.Failure.Ok);
    QVERIFY(result.Failure.Kind != FileWriteError::None);
    QVERIFY(ListHistory(folder).empty());
    if (!fileInPlace)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestHistory::pinNoteDelete() {
    QTemporaryDir dir;
    HistoryStore store(dir.path());
    store.Write(Record(HistoryKind::BeforeOpen, ImageOf(1)));
    store.Write(Record(HistoryKind::BeforeNew, ImageOf(2)));
    HistoryEntry entry = ListHistory(dir.path()).back();
    QVERIFY(SetHistoryPinned(entry, true).Ok);
    QVERIFY(SetHistoryNote(entry, "good for\nthe wet").Ok);
    entry = ListHistory(dir.path()).back();
    QVERIFY(entry.Pinned());
    QCOMPARE(entry.Sidecar->Note, std::string("good for\nthe wet"));
    QCOMPARE(entry.Sidecar->Kind, HistoryKind::BeforeOpen); // the rest of the sidecar stays
    QCOMPARE(CellOf(entry), 1);
    QVERIFY(SetHistoryPinned(entry, false).Ok);
    QVERIFY(!ListHistory(dir.path()).back().Pinned());
    QVERIFY(DeleteHistoryEntry(entry));
    QCOMPARE(Stems(ListHistory(dir.path())), QStringList({"20261210-120000-251-before-new"}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void TestHistory::writerThreadWritesInOrder() {
    QTemporaryDir dir;
    std::atomic<int> written = 0;
    std::atomic<int> same = 0;
    {
        HistoryWriter writer(dir.path(), [&](const HistoryWriteResult& result) {
            if (result.What == HistoryWriteResult::Outcome::Written)
                ++written;
            else if (result.What == HistoryWriteResult::Outcome::SameAsNewest)
                ++same;
        });
        for (int cell = 1; cell <= 20; ++cell)
            writer.Queue(Record(HistoryKind::Read, ImageOf(cell)));
        writer.Queue(Record(HistoryKind::Read, ImageOf(20)));
        writer.WaitUntilWritten();
        QCOMPARE(written.load(), 20);
        QCOMPARE(same.load(), 1);
        writer.Queue(Record(HistoryKind::Programmed, ImageOf(21)));
    } // the destructor writes what is still queued
    QCOMPARE(written.load(), 21);
    const std::vector<HistoryEntry> entries = ListHistory(dir.path());
    QCOMPARE(entries.size(), std::size_t(21));
    for (std::size_t i = 0; i < entries.size(); ++i)
        QCOMPARE(CellOf(entries[i]), 21 - int(i)); // newest first is the order they were queued
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
