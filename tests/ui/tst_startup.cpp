// Tests of the window's files: New, Save, Open, the settings kept between runs, the test display.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMargins>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

#include <memory>

#include "AnsweredBoxes.h"
#include "Cgauges.h"
#include "ConfigFolder.h"
#include "EditUpDown.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "ParameterFile.h"
#include "Placement.h"
#include "ServoTable.h"
#include "SettingsData.h"
#include "WindowTestEnv.h"

using namespace dorv;
using dorv::testing::AnswerBoxes;

namespace {

QString ConfigFile(const char* name) {
    return ConfigFilePath(QString::fromLatin1(name));
}

void WriteText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QByteArray ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ParameterImage DefaultImage() {
    ParameterImage image;
    SetDefaultParameters(image);
    return image;
}

// The window's state that a refused or cancelled file command must leave alone.
struct WindowState {
    ParameterImage Image;
    int HistoryIndex;
    QString File;
    QString LastFile;

    explicit WindowState(const TFormHlav& w)
        : Image(w.Image), HistoryIndex(w.Session.History.CurrentIndex()),
          File(w.General.LabelFile2->text()), LastFile(w.LastFilePath) {}
    bool operator==(const WindowState&) const = default;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newAsksWithYesNoCancel_data();
    void newAsksWithYesNoCancel();
    void saveThenOpenIsUndoable();
    void saveThatFailsChangesNothing();
    void fileLabelShowsCurrentFile_data();
    void fileLabelShowsCurrentFile();
    void openRefusedChangesNothing_data();
    void openRefusedChangesNothing();
    void openCancelledHidesTransferIndication();
    void typedPathLeavesNoCompletionPopup();
    void closeKeepsEverySettingAndForeignKeys();
    void firstRunDefaults();
    void storedPlacementOffScreenIsCentred_data();
    void storedPlacementOffScreenIsCentred();
    void keepInside_data();
    void keepInside();
    void storedPlacementIsKeptOnScreen_data();
    void storedPlacementIsKeptOnScreen();
    void storedComPort_data();
    void storedComPort();
    void damagedStoreIsKeptAndTold_data();
    void damagedStoreIsKeptAndTold();
    void unwritableFolderIsTold();
    void exitDuringTransferAsks_data();
    void exitDuringTransferAsks();
    void testMarkerShowsTestLabels_data();
    void testMarkerShowsTestLabels();

private:
    std::unique_ptr<testing::WindowTestEnv> env_; // a fresh configuration folder, a scripted port
    std::unique_ptr<QTemporaryDir> files_;
};

void TestStartup::init() {
    env_ = std::make_unique<testing::WindowTestEnv>();
    files_ = std::make_unique<QTemporaryDir>();
    QVERIFY(files_->isValid());
    CurrentLanguage = Language::English;
}

void TestStartup::cleanup() {
    env_.reset();
    files_.reset();
}

void TestStartup::newAsksWithYesNoCancel_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("setsDefaults");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
}

void TestStartup::newAsksWithYesNoCancel() {
    QFETCH(int, answer);
    QFETCH(bool, setsDefaults);
    WriteText(ConfigFile(SettingsFileName), "[FORM_HLAV]\nLanguage=1\nFile=/old/set.ign\n");
    TFormHlav w;
    w.SetActivePage(1);
    w.Image.ServoTable(0, 3, 4) = 7;
    w.Session.Commit();
    // The link's tick sets the message line from the sequencer; held here, so that only New
    // decides about the line however long the box stays open on a busy machine.
    w.Timer1->stop();
    w.Live.LabelHlaseni->show();
    const WindowState before(w);

    const auto seen = AnswerBoxes(&w, QMessageBox::StandardButton(answer));
    w.Commands.MenuNew->trigger();
    QCOMPARE(seen->Count, 1);
    QCOMPARE(seen->Text, QStringLiteral("Do you want default setting?"));
    QCOMPARE(seen->Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (!setsDefaults) {
        QVERIFY(WindowState(w) == before);
        QVERIFY(!w.Live.LabelHlaseni->isHidden());
        return;
    }
    QVERIFY(w.Image == DefaultImage());
    QCOMPARE(w.General.LabelFile2->text(), QString());
    QVERIFY(w.Live.LabelHlaseni->isHidden());
    QVERIFY(w.Live.CGaugeProgram->isHidden());
    QCOMPARE(w.LastFilePath, before.LastFile);
    // New is an edit like any other: undo brings the table back.
    w.OnUndo();
    QCOMPARE(w.Image.ServoTable(0, 3, 4), 7);
}

void TestStartup::saveThenOpenIsUndoable() {
    TFormHlav w;
    const QString path = files_->filePath(QStringLiteral("engine.ign"));
    QString saveFilter;
    w.FileChooser = [&](QFileDialog* dialog) {
        if (dialog == w.SaveDialog1)
            saveFilter = dialog->selectedNameFilter();
        return path;
    };
    // A value typed on servo page 2 and not yet committed is what Save writes.
    w.PageControl1->setCurrentIndex(2);
    // (Row 0: the cell typed into is shown whether TP Enable is ticked or not.)
    w.ServoTable->SetCurrentCell({0, 5});
    w.ServoTable->Editor()->SetPosition(3300);
    const int historyBefore = w.Session.History.CurrentIndex();
    w.Commands.MenuSave->trigger();
    QCOMPARE(w.Image.ServoTable(1, 0, 5), 3300 / 20);
    QCOMPARE(ReadText(path), QByteArray::fromStdString(ParameterFileText(w.Image)));
    QCOMPARE(w.General.LabelFile2->text(), path);
    QCOMPARE(w.LastFilePath, path);
    QCOMPARE(w.OpenDialog1->directory().absolutePath(), files_->path());
    QCOMPARE(w.Session.History.CurrentIndex(), historyBefore); // a save is not an edit
    QCOMPARE(saveFilter, QStringLiteral("Ignition Parametrs(*.ign)"));
    const ParameterImage saved = w.Image;

    const auto seen = AnswerBoxes(&w, QMessageBox::Yes);
    w.Commands.MenuNew->trigger();
    QVERIFY(w.Image == DefaultImage());
    QCOMPARE(w.General.LabelFile2->text(), QString());

    w.Live.LabelHlaseni->show();
    w.Commands.MenuOpen->trigger();
    QCOMPARE(seen->Count, 1); // only New's question: the file was accepted
    QVERIFY(w.Image == saved);
    QCOMPARE(w.General.LabelFile2->text(), path);
    QCOMPARE(w.SaveDialog1->directory().absolutePath(), files_->path());
    QVERIFY(w.Live.LabelHlaseni->isHidden());
    QCOMPARE(w.ServoTable->Position({0, 5}), 3300); // editors show the loaded table
    w.OnUndo();
    QVERIFY(w.Image == DefaultImage());
}

void TestStartup::fileLabelShowsCurrentFile_data() {
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("folder");
    const QString longFolder =
        QStringLiteral("settings of the engines on the test bench/second bench/servo tuning 2026");
    QTest::newRow("save, short path") << false << 1 << QStringLiteral(".");
    QTest::newRow("save, long path, German") << false << 2 << longFolder;
    QTest::newRow("open, short path, French") << true << 3 << QStringLiteral(".");
    QTest::newRow("open, long path, Czech") << true << 0 << longFolder;
}

// Save and Open made on a servo page show the file on the Miscellaneous page: in the room up to
// the programming count, shortened in the middle when too long, the whole path as its tooltip.
void TestStartup::fileLabelShowsCurrentFile() {
    QFETCH(bool, open);
    QFETCH(int, language);
    QFETCH(QString, folder);
    QVERIFY(QDir(files_->path()).mkpath(folder));
    const QString path = QDir::cleanPath(files_->filePath(folder) + QStringLiteral("/engine.ign"));
    CurrentLanguage = LanguageOfNumber(language);
    TFormHlav w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.FileChooser = [&path](QFileDialog*) { return path; };
    w.PageControl1->setCurrentIndex(1);
    QVERIFY(w.SaveParameterFile(path));
    if (open) {
        const auto seen = AnswerBoxes(&w, QMessageBox::Yes);
        w.Commands.MenuNew->trigger();
        QCOMPARE(w.General.LabelFile2->text(), QString());
        w.PageControl1->setCurrentIndex(2);
        w.Commands.MenuOpen->trigger();
        QCOMPARE(seen->Count, 1);
    }
    w.PageControl1->setCurrentIndex(0);
    QApplication::processEvents();

    TElidedLabel* label = w.General.LabelFile2;
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), path);
    QVERIFY(label->x() > w.General.LabelFile1->geometry().right());
    QVERIFY(label->geometry().right() < w.General.LabelPocetProgramovani->x());
    const QString shown = label->ShownText();
    QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());
    if (label->fontMetrics().horizontalAdvance(path) <= label->contentsRect().width()) {
        QCOMPARE(shown, path);
    } else {
        QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
        QVERIFY2(shown.startsWith(path.left(4)), qPrintable(shown));
        QVERIFY2(shown.endsWith(QStringLiteral(".ign")), qPrintable(shown));
    }
    QHelpEvent help(QEvent::ToolTip, label->rect().center(),
                    label->mapToGlobal(label->rect().center()));
    QApplication::sendEvent(label, &help);
    QCOMPARE(QToolTip::text(), path);
    QToolTip::hideText();
}

void TestStartup::saveThatFailsChangesNothing() {
    TFormHlav w;
    w.FileChooser = [&](QFileDialog*) { return files_->filePath(QStringLiteral("no/such/x.ign")); };
    w.General.LabelFile2->setText(QStringLiteral("/kept.ign"));
    w.General.UpDownTps0->SetPosition(1000); // typed, not committed
    const WindowState before(w);
    const auto seen = AnswerBoxes(&w, QMessageBox::Ok);
    w.Commands.MenuSave->trigger();
    QCOMPARE(seen->Count, 1);
    QCOMPARE(seen->Text, QStringLiteral("Saving the file failed!"));
    QVERIFY(WindowState(w) == before);
    QVERIFY(!QFileInfo::exists(files_->filePath(QStringLiteral("no"))));
}

void TestStartup::openRefusedChangesNothing_data() {
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << "Open file error!";
    QTest::newRow("wrong key") << QByteArray("KORVALEX_KEY 57\r\nTPS 1000 3000\r\n")
                               << "Unmatched version of *.ign file!";
    QTest::newRow("key in lower case")
        << QByteArray("korvalex_key 56\r\nTPS 1000 3000\r\n") << "Unmatched version of *.ign file!";
    QTest::newRow("number missing") << QByteArray("KORVALEX_KEY 56\r\nTPS 1000 x\r\n")
                                    << "The file is damaged; nothing was changed.";
    QTest::newRow("ends inside a table") << QByteArray("KORVALEX_KEY 56\r\nRPM_SERVO1 1000 2000")
                                         << "The file is damaged; nothing was changed.";
    QTest::newRow("blanks only") << QByteArray(" \r\n")
                                 << "The file is empty; nothing was changed.";
    QTest::newRow("key line and no parameter")
        << QByteArray("KORVALEX_KEY 56\r\n\x01\x02 junk")
        << "The file holds no parameters; nothing was changed.";
}

void TestStartup::openRefusedChangesNothing() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    const QString path = files_->filePath(QStringLiteral("in.ign"));
    if (!contents.isEmpty())
        WriteText(path, contents);
    TFormHlav w;
    w.FileChooser = [&](QFileDialog* dialog) { return dialog == w.OpenDialog1 ? path : QString(); };
    w.General.LabelFile2->setText(QStringLiteral("/kept.ign"));
    w.LastFilePath = QStringLiteral("/kept.ign");
    const WindowState before(w);
    const auto seen = AnswerBoxes(&w, QMessageBox::Ok);
    w.Commands.MenuOpen->trigger();
    QCOMPARE(seen->Count, 1);
    QCOMPARE(seen->Text, message);
    QVERIFY(WindowState(w) == before);
    QVERIFY(!w.Session.History.CanUndo());
}

void TestStartup::openCancelledHidesTransferIndication() {
    TFormHlav w;
    w.FileChooser = [](QFileDialog*) { return QString(); };
    w.Live.LabelHlaseni->show();
    w.Live.CGaugeProgram->show();
    const WindowState before(w);
    w.Commands.MenuOpen->trigger();
    QVERIFY(w.Live.LabelHlaseni->isHidden());
    QVERIFY(w.Live.CGaugeProgram->isHidden());
    QVERIFY(WindowState(w) == before);
    // Cancelling Save changes nothing at all, not even the transfer indication.
    w.Live.LabelHlaseni->show();
    w.Commands.MenuSave->trigger();
    QVERIFY(!w.Live.LabelHlaseni->isHidden());
    QVERIFY(WindowState(w) == before);
}

namespace {

// The visible popups of the application: menus, name completion lists.
QList<QWidget*> VisiblePopups() {
    QList<QWidget*> popups;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowType() == Qt::Popup)
            popups << top;
    return popups;
}

// Types keys into a window as the keyboard does: an open popup gets them first.
void TypeIntoWindow(QWindow* window, const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

} // namespace

// A name typed into the Open dialog and taken with Enter while the dialog's completion list
// shows: the file opens, no popup stays over the window, and the next F3 opens the dialog again.
void TestStartup::typedPathLeavesNoCompletionPopup() {
    TFormHlav w;
    WriteText(files_->filePath(QStringLiteral("engine.ign")),
              QByteArray::fromStdString(ParameterFileText(DefaultImage())));
    w.Image.ServoTable(0, 1, 1) = 99; // differs from the file's defaults
    w.OpenDialog1.Apply([this](QFileDialog* dialog) {
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setDirectory(files_->path());
    });
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    enum class Phase { Typing, WaitingForList, Taken, Reopened };
    Phase phase = Phase::Typing;
    int shown = 0;
    int waited = 0;
    bool listSeen = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (phase == Phase::Typing) {
            if (!dialog->windowHandle()->isActive() || name == nullptr)
                return;
            name->setFocus();
            if (!name->hasFocus())
                return;
            ++shown;
            TypeIntoWindow(dialog->windowHandle(), QStringLiteral("engine.ign"));
            phase = Phase::WaitingForList;
        } else if (phase == Phase::WaitingForList) {
            listSeen = !VisiblePopups().isEmpty();
            if (!listSeen && ++waited < 100)
                return;
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
            phase = Phase::Taken;
        } else if (phase == Phase::Taken) {
            ++shown;
            phase = Phase::Reopened;
            dialog->reject();
        }
    });
    user.start(20);
    w.Commands.MenuOpen->trigger();
    QVERIFY(listSeen); // the completion list was up when Enter was pressed
    QCOMPARE(phase, Phase::Taken);
    QCOMPARE(w.General.LabelFile2->text(), files_->filePath(QStringLiteral("engine.ign")));
    QVERIFY(w.Image == DefaultImage());
    QVERIFY(VisiblePopups().isEmpty());
    QCOMPARE(QApplication::activePopupWidget(), nullptr);

    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), Qt::Key_F3);
    QCOMPARE(phase, Phase::Reopened);
    QCOMPARE(shown, 2);
    QVERIFY(VisiblePopups().isEmpty());
}

void TestStartup::closeKeepsEverySettingAndForeignKeys() {
    WriteText(ConfigFile(SettingsFileName), "; my ports\r\n[PORTS]\r\nCOM1=/dev/ttyUSB0\r\n"
                                            "COM7=/tmp/sim\r\n\r\n[FORM_HLAV]\r\nLeft=10\r\n"
                                            "Colour=blue\r\n");
    const QString lastFile = files_->filePath(QStringLiteral("last.ign"));
    ParameterImage image;
    AllCellsFlags flags{};
    {
        TFormHlav w;
        w.move(30, 40);
        w.resize(900, 700);
        w.PortIndex = 6;
        w.OnGerman();
        w.PageControl1->setCurrentIndex(2);
        w.Image.ServoTable(1, 9, 14) = 111;
        w.AllCellsFlag = {1, 1};
        w.FillEditors(); // page 2 packs servo 2's editors and All box at close
        w.General.LabelFile2->setText(lastFile);
        w.LastFilePath = lastFile;
        w.close();
        image = w.Image;
        flags = w.AllCellsFlag;
    }
    const QByteArray ini = ReadText(ConfigFile(SettingsFileName));
    QVERIFY2(ini.startsWith("; my ports\r\n[PORTS]\r\nCOM1=/dev/ttyUSB0\r\nCOM7=/tmp/sim\r\n"),
             ini);
    QVERIFY2(ini.contains("Colour=blue\r\n"), ini);
    QVERIFY2(ini.contains("Left=30\r\n"), ini);

    TFormHlav again;
    QCOMPARE(again.pos(), QPoint(30, 40));
    QCOMPARE(again.size(), QSize(900, 700));
    QCOMPARE(again.PortIndex, 6);
    QCOMPARE(LanguageNumber(CurrentLanguage), 2);
    QVERIFY(again.Commands.MenuGerman->isChecked());
    QCOMPARE(again.ActivePage(), 2);
    QVERIFY(again.Image == image);
    QVERIFY(again.AllCellsFlag == flags);
    QCOMPARE(flags[0], 1);
    QVERIFY(again.CheckBoxAll->isChecked());
    QCOMPARE(again.General.LabelFile2->text(), lastFile);
    QCOMPARE(again.LastFilePath, lastFile);
    QCOMPARE(again.OpenDialog1->directory().absolutePath(), files_->path());
    QCOMPARE(again.SaveDialog1->directory().absolutePath(), files_->path());
    QVERIFY(!again.Session.History.CanUndo());
}

void TestStartup::firstRunDefaults() {
    CurrentLanguage = Language::Czech;
    TFormHlav w;
    const QRect screen = w.screen()->geometry();
    QCOMPARE(w.size(), QSize(986, 849));
    QCOMPARE(w.pos(), QPoint((screen.width() - 986) / 2, (screen.height() - 849) / 2));
    QCOMPARE(w.PortIndex, 0);
    QCOMPARE(LanguageNumber(CurrentLanguage), 0);
    QCOMPARE(w.ActivePage(), 0);
    QCOMPARE(w.General.LabelFile2->text(), QString());
    QVERIFY(w.Image == DefaultImage());
    QVERIFY(!w.Session.History.CanUndo() && !w.Session.History.CanRedo());
    QVERIFY(!QFileInfo::exists(ConfigFile(SettingsFileName))); // nothing written before close
}

void TestStartup::storedPlacementOffScreenIsCentred_data() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<bool>("kept");
    QTest::newRow("on the screen") << QPoint(10, 20) << true;
    QTest::newRow("far right") << QPoint(screen.right() + 500, 20) << false;
    QTest::newRow("far below") << QPoint(20, screen.bottom() + 2000) << false;
    QTest::newRow("far left and above") << QPoint(-5000, -5000) << false;
    QTest::newRow("a sliver on the right") << QPoint(screen.right() - 20, 20) << false;
}

void TestStartup::storedPlacementOffScreenIsCentred() {
    QFETCH(QPoint, stored);
    QFETCH(bool, kept);
    WriteText(ConfigFile(SettingsFileName), QStringLiteral("[FORM_HLAV]\nLeft=%1\nTop=%2\n"
                                                           "Height=400\nWidth=500\n")
                                                .arg(stored.x())
                                                .arg(stored.y())
                                                .toLatin1());
    TFormHlav w;
    const QRect screen = w.screen()->geometry();
    QCOMPARE(w.size(), QSize(500, 400));
    const QPoint centred((screen.width() - 500) / 2, (screen.height() - 400) / 2);
    QCOMPARE(w.pos(), kept ? stored : centred);
}

void TestStartup::keepInside_data() {
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("kept");
    const QRect laptop(0, 0, 1366, 768);
    const QRect desk(0, 0, 1920, 1080);
    // The frame: 4 px borders and a title bar of 32 px.
    QTest::newRow("fits: unchanged")
        << QRect(100, 100, 986, 849) << desk << QRect(100, 100, 986, 849);
    QTest::newRow("designed size on a laptop, centred")
        << QRect(190, -40, 986, 849) << laptop << QRect(190, 32, 986, 732);
    QTest::newRow("laptop with a panel at the top")
        << QRect(190, -40, 986, 849) << QRect(0, 27, 1366, 741) << QRect(190, 59, 986, 705);
    QTest::newRow("left and above the screen")
        << QRect(-300, -20, 500, 400) << desk << QRect(4, 32, 500, 400);
    QTest::newRow("right and below the screen")
        << QRect(1800, 1000, 500, 400) << desk << QRect(1416, 676, 500, 400);
    QTest::newRow("larger than the screen both ways")
        << QRect(0, 0, 3000, 2000) << laptop << QRect(4, 32, 1358, 732);
    QTest::newRow("second screen to the right")
        << QRect(1300, 100, 986, 849) << QRect(1366, 0, 1920, 1080) << QRect(1370, 100, 986, 849);
}

// The window with its frame always ends up inside the available area, smaller where it must.
void TestStartup::keepInside() {
    QFETCH(QRect, window);
    QFETCH(QRect, available);
    QFETCH(QRect, kept);
    const QMargins frame(4, 32, 4, 4);
    const QRect result = dorv::KeepInside(window, frame, available);
    QCOMPARE(result, kept);
    QVERIFY(available.contains(result.marginsAdded(frame)));
}

void TestStartup::storedPlacementIsKeptOnScreen_data() {
    QTest::addColumn<QRect>("stored");
    QTest::newRow("partly above and left") << QRect(-300, -20, 500, 400);
    QTest::newRow("taller than the screen") << QRect(100, 0, 986, 3000);
    QTest::newRow("wider than the screen") << QRect(0, 100, 4000, 600);
}

// A stored placement that is partly off the screen, or too large for it, is moved and made
// smaller so that the whole window, frame included, is on the screen.
void TestStartup::storedPlacementIsKeptOnScreen() {
    QFETCH(QRect, stored);
    WriteText(ConfigFile(SettingsFileName), QStringLiteral("[FORM_HLAV]\nLeft=%1\nTop=%2\n"
                                                           "Height=%3\nWidth=%4\n")
                                                .arg(stored.x())
                                                .arg(stored.y())
                                                .arg(stored.height())
                                                .arg(stored.width())
                                                .toLatin1());
    TFormHlav w;
    const QRect available = w.screen()->availableGeometry();
    const QRect framed =
        QRect(w.pos(), w.size())
            .marginsAdded(
                QMargins(0, 0, dorv::AssumedFrameMargins.left() + dorv::AssumedFrameMargins.right(),
                         dorv::AssumedFrameMargins.top() + dorv::AssumedFrameMargins.bottom()));
    QVERIFY2(
        available.contains(framed),
        qPrintable(
            QStringLiteral("%1,%2 %3x%4").arg(w.x()).arg(w.y()).arg(w.width()).arg(w.height())));
    // The designed client area stays whole: it scrolls when the window is smaller.
    const auto* client = w.findChild<QWidget*>(QStringLiteral("ClientArea"));
    QVERIFY(client);
    QVERIFY(client->minimumWidth() >= TFormHlav::DesignWidth);
    QCOMPARE(w.ScrollBoxClient->widget(), client);
}

void TestStartup::damagedStoreIsKeptAndTold_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("stem");
    QTest::newRow("English") << 1 << "were damaged";
    QTest::newRow("Czech") << 0 << "byly poškozené";
}

// One wrong character in the parameter store: the numbers before it are loaded, a copy of the
// file is kept, the user is told once, and at exit the store is written whole again.
void TestStartup::damagedStoreIsKeptAndTold() {
    QFETCH(int, language);
    QFETCH(QString, stem);
    ParameterImage stored = DefaultImage();
    for (int i = 0; i < ImageSize; ++i)
        stored.bytes()[i] = static_cast<Byte>(i * 7);
    QByteArray damaged = QByteArray::fromStdString(SettingsDataText(stored, {1, 1}));
    damaged[62] = 'O'; // inside the eleventh number
    WriteText(ConfigFile(SettingsFileName),
              "[FORM_HLAV]\nLanguage=" + QByteArray::number(language) + "\n");
    WriteText(ConfigFile(SettingsDataFileName), damaged);

    QObject answering; // answers only during this test
    const auto seen = AnswerBoxes(&answering, QMessageBox::Ok);
    auto w = std::make_unique<TFormHlav>();
    QTRY_COMPARE(seen->Count, 1);
    const QStringList copies = QDir(ConfigFolderPath()).entryList({"_DORV.ini.damaged-*"});
    QCOMPARE(copies.size(), 1);
    const QString copy = QDir(ConfigFolderPath()).filePath(copies[0]);
    QCOMPARE(ReadText(copy), damaged);
    QVERIFY2(seen->Text.contains(stem) && seen->Text.contains(copy), qPrintable(seen->Text));
    for (int i = 0; i < 10; ++i)
        QCOMPARE(w->Image.bytes()[i], stored.bytes()[i]);
    QCOMPARE(w->Image.bytes()[10], DefaultImage().bytes()[10]);

    w->close();
    w.reset();
    QCOMPARE(seen->Count, 1); // told once, not again at exit
    ParameterImage saved = DefaultImage();
    AllCellsFlags flags{};
    QCOMPARE(LoadSettingsData(ConfigFile(SettingsDataFileName), saved, flags).Damage,
             SettingsDataDamage::None);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(saved.bytes()[i], stored.bytes()[i]);
    QCOMPARE(ReadText(copy), damaged);
}

// A plain file where the configuration folder should be: the start says that nothing will be
// kept and why, the status bar shows it, and the failed save at exit is told too.
void TestStartup::unwritableFolderIsTold() {
    WriteText(ConfigFolderPath(), "not a folder");
    QObject answering; // answers only during this test
    const auto seen = AnswerBoxes(&answering, QMessageBox::Ok);
    auto w = std::make_unique<TFormHlav>();
    QTRY_COMPARE(seen->Count, 1);
    QVERIFY2(seen->Text.contains("will not be kept") && seen->Text.contains(ConfigFolderPath()),
             qPrintable(seen->Text));
    QVERIFY(w->LabelNotKept);
    QCOMPARE(w->LabelNotKept->text(), QStringLiteral("Settings are not kept"));
    w->close();
    QTRY_COMPARE(seen->Count, 2);
    QVERIFY2(seen->Text.contains("could not be saved") && seen->Text.contains("DORV.ini"),
             qPrintable(seen->Text));
    QCOMPARE(ReadText(ConfigFolderPath()), QByteArray("not a folder"));
}

void TestStartup::exitDuringTransferAsks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closedAtOnce");
    QTest::newRow("Yes stops the pass and closes") << int(QMessageBox::Yes) << true;
    QTest::newRow("No lets the pass end, then closes") << int(QMessageBox::No) << false;
    QTest::newRow("Cancel keeps working") << int(QMessageBox::Cancel) << false;
}

// Closing during a Program pass asks first; the unit is never left half written without a word.
void TestStartup::exitDuringTransferAsks() {
    QFETCH(int, answer);
    QFETCH(bool, closedAtOnce);
    TFormHlav w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Commands.MenuProgram
        ->trigger(); // the scripted port never answers: the pass runs until it fails
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    QObject answering; // answers only during this test
    const auto seen = AnswerBoxes(&answering, QMessageBox::StandardButton(answer));
    w.close();
    QCOMPARE(seen->Count, 1);
    QCOMPARE(seen->Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(w.isVisible(), !closedAtOnce);
    if (answer == QMessageBox::Yes) {
        QCOMPARE(w.Sequencer().State().Mode, TransferMode::Idle);
        QCOMPARE(w.Live.LabelHlaseni->text(), w.Messages.MsgProgramError);
        return;
    }
    QCOMPARE(w.Sequencer().State().Mode, TransferMode::Program);
    // The pass ends by its own time-outs; only after No does the window then close.
    QTRY_COMPARE_WITH_TIMEOUT(w.Sequencer().State().Mode, TransferMode::Idle, 5000);
    QTest::qWait(3 * TFormHlav::TimerInterval);
    QCOMPARE(w.isVisible(), answer == QMessageBox::Cancel);
    QCOMPARE(seen->Count, 1);
}

void TestStartup::storedComPort_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("portIndex");
    QTest::newRow("missing") << QByteArray() << 0;
    QTest::newRow("5") << QByteArray("ComPort=5") << 4;
    QTest::newRow("20") << QByteArray("ComPort=20") << 19;
    QTest::newRow("21 opens COM21") << QByteArray("ComPort=21") << 20;
    QTest::newRow("22") << QByteArray("ComPort=22") << 0;
    QTest::newRow("0") << QByteArray("ComPort=0") << 0;
    QTest::newRow("low eight bits of 259") << QByteArray("ComPort=259") << 2;
    QTest::newRow("hexadecimal") << QByteArray("ComPort=0x0A") << 9;
    QTest::newRow("not a number") << QByteArray("ComPort=three") << 0;
}

void TestStartup::storedComPort() {
    QFETCH(QByteArray, stored);
    QFETCH(int, portIndex);
    WriteText(ConfigFile(SettingsFileName), "[FORM_HLAV]\n" + stored + "\n");
    TFormHlav w;
    QCOMPARE(w.PortIndex, portIndex);
    for (int k = 0; k < TFormHlav::ComPortCount; ++k) // COM21 has no item: none is checked
        QCOMPARE(w.Commands.MenuComPort[k]->isChecked(), k == portIndex);
    w.close();
    QVERIFY(ReadText(ConfigFile(SettingsFileName))
                .contains("ComPort=" + QByteArray::number(portIndex + 1)));
}

void TestStartup::testMarkerShowsTestLabels_data() {
    QTest::addColumn<QByteArray>("marker"); // empty: no marker file
    QTest::addColumn<bool>("shown");
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("whole word") << QByteArray("x\r\nVIEW_EXTRAS\r\n") << true;
    QTest::newRow("inside a word") << QByteArray("VIEW_EXTRAS2") << false;
    QTest::newRow("lower case") << QByteArray("view_extras") << false;
}

void TestStartup::testMarkerShowsTestLabels() {
    QFETCH(QByteArray, marker);
    QFETCH(bool, shown);
    if (!marker.isEmpty())
        WriteText(ConfigFile(TestMarkerFileName), marker);
    TFormHlav w;
    QCOMPARE(w.TestDisplay, shown);
    for (QLabel* label : w.Live.LabelTest)
        QCOMPARE(!label->isHidden(), shown);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
