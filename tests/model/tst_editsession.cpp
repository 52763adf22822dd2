// Tests of the edit session: the order of the one path of a change, undo steps and programming.
#include <QTest>

#include "EditSession.h"

using namespace dorv;

namespace {

// Editors that log what the session asks of them. Packing writes the value "typed" into the
// first cell of servo 1; filling keeps the image it was given.
class LoggingEditors : public SessionEditors {
public:
    EditSession* Session = nullptr;
    QStringList Calls;
    Byte Typed = 0;
    bool ProgramTicked = false;
    int Page = 1;
    ParameterImage Filled;

    void PackEditors() override {
        Calls << QStringLiteral("pack");
        Session->Image.servo(0).Cell(0, 0) = Typed;
    }
    void FillEditors() override {
        Calls << QStringLiteral("fill");
        Filled = Session->Image;
    }
    int ActivePage() const override { return Page; }
    bool ProgramAfterChange() const override { return ProgramTicked; }
    void StartProgramming() override { Calls << QStringLiteral("program"); }
    void ShowUndoState(bool canUndo, bool canRedo) override {
        Calls << QStringLiteral("undo %1 redo %2").arg(canUndo).arg(canRedo);
    }
    void ShowRestored(int page) override {
        Calls << QStringLiteral("restored on %1").arg(page);
        Filled = Session->Image;
    }
};

// An image whose RPM points normalisation changes: all zero.
ParameterImage UnnormalisedImage() {
    ParameterImage image;
    image.servo(0).Cell(0, 0) = 40;
    return image;
}

enum class Entry { CommitEditors, EditThenCommit, ReplaceImage, Record, TakeEditors };

} // namespace

class TestEditSession : public QObject {
    Q_OBJECT
private slots:
    void pathOfAChange_data();
    void pathOfAChange();
    void replacedImageUndoesAndRedoesExactly();
};

void TestEditSession::pathOfAChange_data() {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<bool>("programTicked");
    QTest::addColumn<int>("newCell");
    QTest::addColumn<QStringList>("calls");

    const QString recorded = QStringLiteral("undo 1 redo 0");
    QTest::newRow("editor commit")
        << Entry::CommitEditors << false << 77 << QStringList{"pack", "fill", recorded};
    QTest::newRow("editor commit, programming after change")
        << Entry::CommitEditors << true << 77 << QStringList{"pack", "fill", recorded, "program"};
    QTest::newRow("editor commit of the value shown")
        << Entry::CommitEditors << true << 40 << QStringList{"pack", "fill"};
    QTest::newRow("edit of the image")
        << Entry::EditThenCommit << true << 77 << QStringList{"fill", recorded, "program"};
    QTest::newRow("whole image") << Entry::ReplaceImage << true << 77
                                 << QStringList{"fill", recorded, "program"};
    QTest::newRow("change the editors show already")
        << Entry::Record << true << 77 << QStringList{recorded, "program"};
    QTest::newRow("editors taken for a transfer")
        << Entry::TakeEditors << true << 77 << QStringList{"pack"};
}

void TestEditSession::pathOfAChange() {
    QFETCH(Entry, entry);
    QFETCH(bool, programTicked);
    QFETCH(int, newCell);
    QFETCH(QStringList, calls);

    LoggingEditors editors;
    EditSession session(editors);
    editors.Session = &session;
    session.Image = UnnormalisedImage();
    NormalizeRpmPoints(session.Image);
    session.ResetHistory();
    const ParameterImage before = session.Image;
    editors.Calls.clear();
    editors.ProgramTicked = programTicked;
    editors.Typed = static_cast<Byte>(newCell);
    // The change starts from an image whose RPM points are out of order again, as a transfer or a
    // file may leave them; the session puts them in order before the editors see the image.
    ParameterImage changed = UnnormalisedImage();
    changed.servo(0).Cell(0, 0) = static_cast<Byte>(newCell);

    switch (entry) {
    case Entry::CommitEditors:
        session.CommitEditors();
        break;
    case Entry::EditThenCommit:
        session.Image = changed;
        session.Commit();
        break;
    case Entry::ReplaceImage:
        session.ReplaceImage(changed);
        break;
    case Entry::Record:
        session.Image.servo(0).Cell(0, 0) = static_cast<Byte>(newCell);
        session.Record();
        break;
    case Entry::TakeEditors:
        session.TakeEditors();
        break;
    }

    QCOMPARE(editors.Calls, calls);
    ParameterImage expected = before;
    expected.servo(0).Cell(0, 0) = static_cast<Byte>(newCell);
    QVERIFY(session.Image.bytes() == expected.bytes());
    if (calls.contains(QStringLiteral("fill")))
        QVERIFY(editors.Filled.bytes() == expected.bytes());
    const bool recorded = newCell != 40 && entry != Entry::TakeEditors;
    QCOMPARE(session.History.CurrentIndex(), recorded ? 1 : 0);
    QCOMPARE(session.History.Current().PageIndex, recorded ? editors.Page : 1);
}

// Open, New and every other whole image: one step that undo takes back to the exact bytes before,
// with one programming pass for each step while programming after change is ticked.
void TestEditSession::replacedImageUndoesAndRedoesExactly() {
    LoggingEditors editors;
    EditSession session(editors);
    editors.Session = &session;
    for (std::size_t i = 0; i < static_cast<std::size_t>(ImageSize); ++i)
        session.Image.bytes()[i] = static_cast<Byte>(i * 7);
    NormalizeRpmPoints(session.Image);
    const ParameterImage original = session.Image;
    editors.Page = 2;
    session.ResetHistory();

    ParameterImage opened;
    SetDefaultParameters(opened);
    NormalizeRpmPoints(opened);
    editors.Page = 0;
    editors.ProgramTicked = true;
    editors.Calls.clear();
    session.ReplaceImage(opened);
    QVERIFY(session.Image.bytes() == opened.bytes());

    session.Undo();
    QVERIFY(session.Image.bytes() == original.bytes());
    QVERIFY(editors.Filled.bytes() == original.bytes());
    session.Redo();
    QVERIFY(session.Image.bytes() == opened.bytes());
    session.Redo(); // nothing to redo: no step, no pass
    QCOMPARE(editors.Calls,
             (QStringList{"fill", "undo 1 redo 0", "program", "restored on 2", "undo 0 redo 1",
                          "program", "restored on 0", "undo 1 redo 0", "program"}));
}

QTEST_APPLESS_MAIN(TestEditSession)
#include "tst_editsession.moc"
