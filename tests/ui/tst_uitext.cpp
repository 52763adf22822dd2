// Tests of the language tables, the hint line, Help > Contents and the about box.
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "About.h"
#include "Commands.h"
#include "Hints.h"
#include "Jazyk1.h"

using namespace dorv;

namespace {

// A small stand-in for the main window holding a sample of the named controls.
class FakeWindow : public QWidget {
public:
    FakeWindow() {
        auto* layout = new QVBoxLayout(this);
        auto* menuBar = new QMenuBar(this);
        layout->setMenuBar(menuBar);
        AddMenu(menuBar, "MenuFile", {"MenuNew", "MenuOpen", "MenuPrint"});
        AddMenu(menuBar, "MenuCom", {});
        AddMenu(menuBar, "MenuDevice", {"MenuProgram", "MenuVerify"});
        AddMenu(menuBar, "MenuTools", {"MenuZpet", "MenuZnovu"});
        AddMenu(menuBar, "MenuLanguage", {"MenuEnglish", "MenuCzech", "MenuGerman"});
        AddMenu(menuBar, "MenuHelp", {"MenuContens", "MenuAbout"});

        auto* toolbar = new QHBoxLayout;
        layout->addLayout(toolbar);
        auto* print = new QToolButton(this);
        print->setObjectName("SpeedButtonPrint");
        toolbar->addWidget(print);
        auto* program = new QPushButton("Program", this);
        program->setObjectName("ButtonProgram");
        toolbar->addWidget(program);
        auto* verify = new QPushButton("Verify", this);
        verify->setObjectName("ButtonVerify");
        toolbar->addWidget(verify);
        toolbar->addWidget(Label("LabelSpojeni", "No connection with PC"));
        toolbar->addStretch();

        auto* pages = new QTabWidget(this);
        pages->setObjectName("PageControl1");
        for (const char* name : {"TabSheet_Ruzne", "TabSheet_Servo1", "TabSheet_Servo2"}) {
            auto* page = new QWidget;
            page->setObjectName(name);
            pages->addTab(page, "design");
        }
        layout->addWidget(pages);
        auto* pulses = new QGroupBox("Number of pulses", pages->widget(0));
        pulses->setObjectName("RadioGroupPocPulsu");
        auto* pulseItems = new QVBoxLayout(pulses);
        for (int i = 0; i < 3; ++i) {
            pulseItems->addWidget(new QRadioButton(pulses));
        }
        auto* procenta = new QCheckBox("Procenta", pages->widget(1));
        procenta->setObjectName("CheckBoxProcenta");

        for (const char* name :
             {"LabelVerze1", "LabelPocetProgramovani", "LabelServoPoz1", "LabelServoPoz2",
              "LabelServoMer1", "LabelServoMer2", "LabelTpsMon"}) {
            layout->addWidget(Label(name, "design"));
        }
        auto* progHned = new QCheckBox(this);
        progHned->setObjectName("CheckBoxProgHned");
        layout->addWidget(progHned);
        auto* statusBar = new QStatusBar(this);
        statusBar->setObjectName("StatusBar1");
        layout->addWidget(statusBar);
    }

    QMenu* Menu(const char* name) const { return findChild<QMenu*>(name); }

private:
    void AddMenu(QMenuBar* bar, const char* name, std::initializer_list<const char*> items) {
        QMenu* menu = bar->addMenu("design");
        menu->setObjectName(name);
        for (const char* item : items) {
            menu->addAction("design")->setObjectName(item);
        }
    }
    QLabel* Label(const char* name, const char* text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        return label;
    }
};

// What a named control shows: its text or title, tab caption, tooltip or status-bar hint.
QString Shown(QWidget* window, const QString& name, const QString& what) {
    if (name.isEmpty()) {
        return window->windowTitle();
    }
    QObject* target = window->findChild<QObject*>(name);
    if (!target) {
        return QStringLiteral("<missing %1>").arg(name);
    }
    if (auto* menu = qobject_cast<QMenu*>(target); menu && what != "text") {
        target = menu->menuAction();
    }
    if (what == "tab") {
        auto* tabs = window->findChild<QTabWidget*>("PageControl1");
        return tabs->tabText(tabs->indexOf(static_cast<QWidget*>(target)));
    }
    if (what.startsWith("item")) {
        const auto items = target->findChildren<QRadioButton*>();
        return items.at(what.mid(4).toInt())->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(target)) {
        return group->title();
    }
    if (auto* menu = qobject_cast<QMenu*>(target)) {
        return menu->title();
    }
    return target->property(what == "text" ? "text" : what.toLatin1().constData()).toString();
}

} // namespace

class TestUiText : public QObject {
    Q_OBJECT
private slots:
    void init() { CurrentLanguage = Language::Czech; }
    void captionsAndHints_data();
    void captionsAndHints();
    void menuCheckMarks_data();
    void menuCheckMarks();
    void unknownLanguageIsEnglish();
    void tablesNameEveryControlOnce();
    void messages_data();
    void messages();
    void everyMessageInEveryLanguage();
    void placeholdersOnlyWhileNotConnected();
    void languageFromArgument_data();
    void languageFromArgument();
    void hintLineShowsLongHint();
    void manualLookup();
    void manualErrorNamesFile();
    void aboutBox();
};

void TestUiText::captionsAndHints_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");
    // the window caption
    QTest::newRow("caption cz") << 0 << ""
                                << "text"
                                << "Nastavování jednotky \"DORV\"";
    QTest::newRow("caption fr shows en") << 3 << ""
                                         << "text"
                                         << "Programming of \"DORV\" unit";
    // menu captions, a menu's title, and a push button sharing its item's caption
    QTest::newRow("menu title de") << 2 << "MenuFile"
                                   << "text"
                                   << "&Datei";
    QTest::newRow("menu item cz") << 0 << "MenuCzech"
                                  << "text"
                                  << "Če&sky";
    QTest::newRow("menu item fr") << 3 << "MenuContens"
                                  << "text"
                                  << "&Contenu";
    QTest::newRow("menu undo de") << 2 << "MenuZpet"
                                  << "text"
                                  << "Zurück";
    QTest::newRow("button as menu de") << 2 << "ButtonProgram"
                                       << "text"
                                       << "&Programmieren";
    // control captions, servo tab suffix, rows without French text
    QTest::newRow("connection fr") << 3 << "LabelSpojeni"
                                   << "text"
                                   << "Pas de connection acec pc";
    QTest::newRow("check box fr") << 3 << "CheckBoxProgHned"
                                  << "text"
                                  << "Sovegarde après modification";
    QTest::newRow("per cent fr") << 3 << "CheckBoxProcenta"
                                 << "text"
                                 << "per cent";
    QTest::newRow("servo tab cz") << 0 << "TabSheet_Servo2"
                                  << "tab"
                                  << "Servo 2";
    QTest::newRow("misc tab de") << 2 << "TabSheet_Ruzne"
                                 << "tab"
                                 << "Verschiedene";
    QTest::newRow("misc tab fr") << 3 << "TabSheet_Ruzne"
                                 << "tab"
                                 << "Miscellaneous";
    // the pulses group: caption and its items from one text
    QTest::newRow("pulses de") << 2 << "RadioGroupPocPulsu"
                               << "text"
                               << "Pulszahl";
    QTest::newRow("pulse item cz") << 0 << "RadioGroupPocPulsu"
                                   << "item1"
                                   << "Jeden za otáčku";
    QTest::newRow("pulse item fr") << 3 << "RadioGroupPocPulsu"
                                   << "item2"
                                   << "Two per one revolution";
    // hints: no "|" serves as both tooltip and status text, blanks kept
    QTest::newRow("hint label de") << 2 << "LabelVerze1"
                                   << "toolTip"
                                   << "Version des Programms der Zündung";
    QTest::newRow("hint button en") << 1 << "ButtonVerify"
                                    << "statusTip"
                                    << "Compare set parametrs  with parametrs of ignition";
    QTest::newRow("hint menu cz") << 0 << "MenuCom"
                                  << "statusTip"
                                  << "Nastavení čísla serivého portu (Com) ";
    QTest::newRow("hint pair item fr") << 3 << "MenuPrint"
                                       << "statusTip"
                                       << "Imprimer paramètres";
    QTest::newRow("short hint en") << 1 << "MenuLanguage"
                                   << "toolTip"
                                   << "Language";
    QTest::newRow("long hint en") << 1 << "MenuLanguage"
                                  << "statusTip"
                                  << "Set English or German or French";
}

void TestUiText::captionsAndHints() {
    QFETCH(int, language);
    QFETCH(QString, control);
    QFETCH(QString, what);
    FakeWindow window;
    CurrentLanguage = Language::Czech;
    ApplyLanguageTexts(&window);
    CurrentLanguage = LanguageOfNumber(language);
    ApplyLanguageTexts(&window);
    QTEST(Shown(&window, control, what), "expected");
}

void TestUiText::menuCheckMarks_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("checked");
    QTest::newRow("cz") << 0 << "MenuCzech";
    QTest::newRow("en") << 1 << "MenuEnglish";
    QTest::newRow("de") << 2 << "MenuGerman";
    QTest::newRow("fr: none") << 3 << "";
}

void TestUiText::menuCheckMarks() {
    QFETCH(int, language);
    QFETCH(QString, checked);
    FakeWindow window;
    for (int before = 0; before < 3; ++before) { // from every other language
        CurrentLanguage = LanguageOfNumber(before);
        ApplyLanguageTexts(&window);
        CurrentLanguage = LanguageOfNumber(language);
        ApplyLanguageTexts(&window);
        for (const char* item : {"MenuEnglish", "MenuCzech", "MenuGerman"}) {
            auto* action = window.findChild<QAction*>(item);
            QCOMPARE(action->isChecked(), checked == item);
        }
    }
}

void TestUiText::unknownLanguageIsEnglish() {
    FakeWindow window;
    CurrentLanguage = LanguageOfNumber(7);
    const LanguageMessages m = ApplyLanguageTexts(&window);
    QCOMPARE(LanguageNumber(CurrentLanguage), 1);
    QCOMPARE(window.windowTitle(), QString("Programming of \"DORV\" unit"));
    QVERIFY(window.findChild<QAction*>("MenuEnglish")->isChecked());
    QCOMPARE(m.MsgReadError, QString("Read error!"));
}

void TestUiText::tablesNameEveryControlOnce() {
    QStringList names = LanguageObjectNames();
    QCOMPARE(names.removeDuplicates(), 0);
    for (const char* name : {"MenuFile", "MenuZnovu", "ButtonRead", "SpeedButtonPrint",
                             "LabelVerze3", "TabSheet_Servo1", "LabelHystRpm", "CheckBoxAll",
                             "LabelServoMer2", "LabelPocetProgramovani"}) {
        QVERIFY2(names.contains(name), name);
    }
}

void TestUiText::messages_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("help");
    QTest::addColumn<QString>("helpError");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("reading");
    QTest::newRow("cz") << 0 << "DORV_manual_cz.pdf"
                        << "Chyba při otevírání souboru DORV_manual_cz.pdf !"
                        << "Počet programování = "
                        << "Čtení:";
    QTest::newRow("en") << 1 << "DORV_manual_en.pdf"
                        << "Error by opening file DORV_manual_en.pdf !"
                        << "Number of Programing = "
                        << "Read:";
    QTest::newRow("de") << 2 << "DORV_manual_en.pdf"
                        << "Fehler beim öffnen der Datei DORV_manual_en.pdf !"
                        << "Programmierungsanzahl = "
                        << "Lesen:";
    QTest::newRow("fr") << 3 << "DORV_manual_en.pdf"
                        << "Erreur à l´ouvertur du Fichier DORV_manual_en.pdf !"
                        << "Nombre de programmations = "
                        << "Lire";
}

void TestUiText::messages() {
    QFETCH(int, language);
    FakeWindow window;
    CurrentLanguage = LanguageOfNumber(language);
    const LanguageMessages m = ApplyLanguageTexts(&window);
    QTEST(m.HelpFileName, "help");
    QTEST(m.MsgHelpOpenError, "helpError");
    QTEST(m.MsgProgramCount, "count");
    QTEST(m.MsgReading, "reading");
    QCOMPARE(m.MsgDefaultQuestion, MessagesFor(LanguageOfNumber(language)).MsgDefaultQuestion);
    QVERIFY(!m.MsgDefaultQuestion.isEmpty());
}

// Each message and caption has a text in every language, with the same placeholders as the English
// one (a translation without one would show "%1" or drop the fact), and one message alone reads as
// the whole set has it.
void TestUiText::everyMessageInEveryLanguage() {
    const QRegularExpression placeholder(QStringLiteral("%\\d"));
    const auto placeholders = [&](const QString& text) {
        QStringList found;
        for (auto match = placeholder.globalMatch(text); match.hasNext();)
            found << match.next().captured();
        found.sort();
        return found;
    };
    const QList<QString LanguageMessages::*> members = MessageMembers();
    QVERIFY(members.size() > 90);
    const LanguageMessages english = MessagesFor(Language::English);
    for (const Language language :
         {Language::Czech, Language::English, Language::German, Language::French}) {
        const LanguageMessages m = MessagesFor(language);
        for (QString LanguageMessages::*member : members) {
            const QString text = m.*member;
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(english.*member));
            QVERIFY2(placeholders(text) == placeholders(english.*member), qPrintable(text));
            QCOMPARE(MessageFor(member, language), text);
        }
        const LanguageCaptions c = CaptionsFor(language);
        const LanguageCaptions englishCaptions = CaptionsFor(Language::English);
        for (QString LanguageCaptions::*member : CaptionMembers()) {
            const QString text = c.*member;
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(englishCaptions.*member));
            QVERIFY2(placeholders(text) == placeholders(englishCaptions.*member), qPrintable(text));
            QCOMPARE(CaptionFor(member, language), text);
        }
    }
    QCOMPARE(sizeof(LanguageCaptions), CaptionMembers().size() * sizeof(QString));
}

void TestUiText::placeholdersOnlyWhileNotConnected() {
    FakeWindow window; // not shown yet, as at start-up
    CurrentLanguage = Language::English;
    ApplyLanguageTexts(&window);
    QCOMPARE(Shown(&window, "LabelPocetProgramovani", "text"),
             QString("Number of Programing = ---"));
    QCOMPARE(Shown(&window, "LabelServoPoz1", "text"), QString("Servo desired 1 = --- mV"));
    QCOMPARE(Shown(&window, "LabelServoPoz2", "text"), QString("Servo desired 2 = --- mV"));
    QCOMPARE(Shown(&window, "LabelServoMer1", "text"), QString("Servo measured 1 = --- mV"));
    QCOMPARE(Shown(&window, "LabelServoMer2", "text"), QString("Servo measured 2 = --- mV"));
    QCOMPARE(Shown(&window, "LabelTpsMon", "text"), QString("design"));

    window.show();
    CurrentLanguage = Language::Czech;
    ApplyLanguageTexts(&window);
    QCOMPARE(Shown(&window, "LabelServoMer2", "text"), QString("Servo měřené 2 = --- mV"));

    // connected: the live values stay until the next live frame rewrites them
    window.findChild<QLabel*>("LabelSpojeni")->hide();
    window.findChild<QLabel*>("LabelServoPoz1")->setText("live 1234 mV");
    CurrentLanguage = Language::German;
    ApplyLanguageTexts(&window);
    QCOMPARE(Shown(&window, "LabelServoPoz1", "text"), QString("live 1234 mV"));
    QCOMPARE(Shown(&window, "LabelPocetProgramovani", "text"), QString("Počet programování = ---"));
}

void TestUiText::languageFromArgument_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("chosen");
    QTest::newRow("ENGLISH over saved Czech") << "ENGLISH" << 0 << 1;
    QTest::newRow("CESKY") << "CESKY" << 2 << 0;
    QTest::newRow("DEUTSCH") << "DEUTSCH" << 3 << 2;
    QTest::newRow("lower case changes nothing") << "english" << 0 << 0;
    QTest::newRow("other word keeps French") << "FRANCAIS" << 3 << 3;
}

void TestUiText::languageFromArgument() {
    QFETCH(QString, word);
    QFETCH(int, current);
    QTEST(LanguageNumber(LanguageFromArgument(word, LanguageOfNumber(current))), "chosen");
}

void TestUiText::hintLineShowsLongHint() {
    FakeWindow window;
    CurrentLanguage = Language::English;
    ApplyLanguageTexts(&window);
    QVERIFY(InstallHintLine(&window));
    window.resize(600, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* statusBar = window.findChild<QStatusBar*>("StatusBar1");

    auto* program = window.findChild<QPushButton*>("ButtonProgram");
    QTest::mouseMove(program);
    QTRY_COMPARE(statusBar->currentMessage(), QString("Programing  set parametrs to ignition"));
    QCOMPARE(program->toolTip(), QString("Programing  set parametrs to ignition"));

    auto* plain = window.findChild<QLabel*>("LabelTpsMon"); // no hint: the line clears
    QTest::mouseMove(plain);
    QTRY_COMPARE(statusBar->currentMessage(), QString());

    auto* menuBar = window.findChild<QMenuBar*>();
    const QRect item = menuBar->actionGeometry(window.Menu("MenuLanguage")->menuAction());
    // the offscreen platform does not pass a synthetic cursor move on to the menu bar
    QMouseEvent move(QEvent::MouseMove, QPointF(item.center()),
                     menuBar->mapToGlobal(QPointF(item.center())), Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(menuBar, &move);
    QTRY_COMPARE(statusBar->currentMessage(), QString("Set English or German or French"));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(menuBar, &leave);
    QCOMPARE(statusBar->currentMessage(), QString());
}

void TestUiText::manualLookup() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir(root.path()).mkpath("bin"));
    QVERIFY(QDir(root.path()).mkpath("share/dorv"));
    const QString bin = root.filePath("bin");
    const auto touch = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly);
    };
    // a name no installed copy can have, so the machine's own share folders do not interfere
    const QString name = QFileInfo(root.path()).fileName() + ".pdf";
    QCOMPARE(FindManual(name, bin), QString());
    QVERIFY(touch(root.filePath("share/dorv/" + name)));
    QCOMPARE(FindManual(name, bin), root.filePath("share/dorv/" + name));
    QVERIFY(touch(root.filePath("bin/" + name)));
    QCOMPARE(FindManual(name, bin), root.filePath("bin/" + name));
    QVERIFY(touch(root.filePath("bin/DORV_manual_en.pdf")));

    QUrl opened;
    const LanguageMessages de = MessagesFor(Language::German);
    QVERIFY(MenuContensClick(
        nullptr, de,
        [&](const QUrl& url) {
            opened = url;
            return true;
        },
        bin));
    QCOMPARE(opened, QUrl::fromLocalFile(root.filePath("bin/DORV_manual_en.pdf")));
}

// A missing manual and a viewer that fails both show the message naming the file; the details
// name the whole path looked for and how to install the manual, or the manual no viewer opened.
void TestUiText::manualErrorNamesFile() {
    QTemporaryDir root;
    QTemporaryDir empty;
    for (const char* name : {"DORV_manual_en.pdf", "DORV_manual_cz.pdf"})
        QVERIFY(QFile(root.filePath(name)).open(QIODevice::WriteOnly));
    const auto failing = [](const QUrl&) { return false; };
    for (const int language : {0, 1}) {
        for (const bool present : {true, false}) {
            QString shown;
            QString details;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                shown = box->text();
                details = box->informativeText();
                box->button(QMessageBox::Ok)->click();
            });
            const LanguageMessages m = MessagesFor(LanguageOfNumber(language));
            const QString folder = present ? root.path() : empty.path();
            const Language before = CurrentLanguage;
            CurrentLanguage = LanguageOfNumber(language);
            QVERIFY(!MenuContensClick(nullptr, m, failing, folder));
            CurrentLanguage = before;
            QCOMPARE(shown, language == 0
                                ? QString("Chyba při otevírání souboru DORV_manual_cz.pdf !")
                                : QString("Error by opening file DORV_manual_en.pdf !"));
            if (present) {
                QVERIFY2(details.contains(root.filePath(m.HelpFileName)), qPrintable(details));
                QVERIFY2(!details.contains("cmake"), qPrintable(details));
            } else {
                QVERIFY2(details.contains(QDir(empty.path()).filePath(m.HelpFileName)),
                         qPrintable(details));
                QVERIFY2(details.contains("cmake --install build"), qPrintable(details));
            }
        }
    }
}

void TestUiText::aboutBox() {
    TFormAbout about;
    QCOMPARE(about.size(), QSize(281, 402));
    QVERIFY(QRegularExpression("^[A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4}$")
                .match(about.findChild<QLabel*>("LabelDate")->text())
                .hasMatch());
    QVERIFY(QRegularExpression("^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$")
                .match(about.findChild<QLabel*>("LabelTime")->text())
                .hasMatch());

    bool licenceShown = false;
    const auto showAndClose = [&about, &licenceShown] {
        QString caption;
        licenceShown = false;
        QTimer::singleShot(0, [&] {
            caption = about.windowTitle();
            // The licence is named in every language, whole inside the box and clear of the OK.
            const auto* licence = about.findChild<QLabel*>("LabelLicence");
            licenceShown =
                licence->text().endsWith(" GPL-3.0-or-later") &&
                about.rect().contains(licence->geometry()) &&
                !licence->geometry().intersects(about.findChild<QLabel*>("LabelExit")->geometry());
            QTest::mouseClick(about.findChild<QLabel*>("LabelExit"), Qt::LeftButton);
        });
        about.exec();
        return caption;
    };
    CurrentLanguage = Language::Czech;
    QCOMPARE(showAndClose(), QString("O programu DORV"));
    QVERIFY(licenceShown);
    QVERIFY(about.isHidden());
    CurrentLanguage = Language::German;
    QCOMPARE(showAndClose(), QString("Über Programm DORV"));
    QVERIFY(licenceShown);
    CurrentLanguage = Language::French; // no caption of its own: the last one stays
    QCOMPARE(showAndClose(), QString("Über Programm DORV"));
    QVERIFY(licenceShown);
    CurrentLanguage = Language::English;
    QCOMPARE(showAndClose(), QString("About DORV"));
    QVERIFY(licenceShown);
}

QTEST_MAIN(TestUiText)
#include "tst_uitext.moc"
