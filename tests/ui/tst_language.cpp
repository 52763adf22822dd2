// Tests that every text of the window is whole and uncovered in every language, and that Qt's own
// texts and the reasons of port and file errors read in the language in force.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "AnsweredBoxes.h"
#include "Cgauges.h"
#include "CompareView.h"
#include "ErrorTexts.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "LiveDisplay.h"
#include "WindowTestEnv.h"

using namespace dorv;
using dorv::testing::FakeSerialPort;
using dorv::testing::WindowTestEnv;

namespace {

const char* const LanguageNames[] = {"Czech", "English", "German", "French"};

// A widget's rectangle in the window's coordinates.
QRect InWindow(const QWidget* widget, const QRect& rect) {
    return QRect(widget->mapTo(widget->window(), rect.topLeft()), rect.size());
}

QString Described(const QWidget* widget) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = button->text();
    else if (auto* group = qobject_cast<const QGroupBox*>(widget))
        text = group->title();
    return widget->objectName() + QStringLiteral(" \"") + text + QLatin1Char('"');
}

// The room a push button's caption takes: the ink of the text without its access-key mark, clear
// of the frame on both sides.
QSize PushButtonTextSize(const QPushButton* button) {
    QString text = button->text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    const QRect ink = button->fontMetrics().tightBoundingRect(text);
    return ink.size() + QSize(2 * frame + 2, 2 * frame);
}

// A check box or radio button: its text beside the indicator, as tall as the text or the mark.
QSize CheckTextSize(const QAbstractButton* button) {
    const int mark = button->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, button);
    return {button->sizeHint().width(), std::max(button->fontMetrics().height(), mark)};
}

QRect GroupTitleRect(const QGroupBox* group) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (group->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                          group);
}

// Why the text of a widget does not fit its rectangle; empty when it fits (or has no text).
QString TextDoesNotFit(const QWidget* widget) {
    if (auto* elided = qobject_cast<const TElidedLabel*>(widget)) {
        const int shown = elided->fontMetrics().horizontalAdvance(elided->ShownText());
        return shown <= elided->contentsRect().width() ? QString()
                                                       : QStringLiteral("shown text too wide");
    }
    QSize needed;
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().isEmpty())
            return {};
        // A wrapping label fits any width its longest word fits, in the height of its lines.
        needed = label->wordWrap() ? QSize(label->minimumSizeHint().width(),
                                           label->heightForWidth(label->width()))
                                   : label->sizeHint();
    } else if (auto* push = qobject_cast<const QPushButton*>(widget)) {
        if (push->text().isEmpty())
            return {};
        needed = PushButtonTextSize(push);
    } else if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->text().isEmpty())
            return {};
        needed = CheckTextSize(button);
    } else if (auto* group = qobject_cast<const QGroupBox*>(widget)) {
        if (group->title().isEmpty())
            return {};
        const QRect title = GroupTitleRect(group);
        if (group->rect().contains(title))
            return {};
        return QStringLiteral("title %1 outside the box %2")
            .arg(QDebug::toString(title), QDebug::toString(group->rect()));
    } else {
        return {};
    }
    if (needed.width() <= widget->width() && needed.height() <= widget->height())
        return {};
    return QStringLiteral("needs %1 x %2, has %3 x %4")
        .arg(needed.width())
        .arg(needed.height())
        .arg(widget->width())
        .arg(widget->height());
}

bool HasText(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return !label->text().isEmpty();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return !button->text().isEmpty();
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return !group->title().isEmpty();
    return false;
}

// What a text may not cover: other texts, editors, gauges, buttons, pictures, frames.
bool IsObstacle(const QWidget* widget) {
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QGroupBox*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const TCGauge*>(widget);
}

// The part of a widget that a text covers or that covers a text: a titled group box is a frame
// around its children, so only its title counts.
QRect OccupiedRect(const QWidget* widget) {
    if (auto* group = qobject_cast<const QGroupBox*>(widget); group && !group->title().isEmpty())
        return InWindow(widget, GroupTitleRect(group));
    return InWindow(widget, widget->rect());
}

bool IsAncestor(const QWidget* ancestor, const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (w == ancestor)
            return true;
    return false;
}

// The area of the widget's rectangle that its parents show: a part outside is cut off.
QString CutOff(const QWidget* widget) {
    QRect rect = widget->rect();
    for (const QWidget* w = widget; w->parentWidget() && !w->isWindow(); w = w->parentWidget()) {
        rect.translate(w->pos());
        if (!w->parentWidget()->rect().contains(rect))
            return QStringLiteral("cut off by %1").arg(w->parentWidget()->objectName());
    }
    return {};
}

// Every fault of the texts shown now: a text that does not fit, is cut off or overlaps.
QStringList TextFaults(TFormHlav& w) {
    QStringList faults;
    QList<QWidget*> shown;
    for (QWidget* widget : w.findChildren<QWidget*>())
        if (widget->isVisible() && IsObstacle(widget))
            shown << widget;
    for (QWidget* widget : shown) {
        if (!HasText(widget))
            continue;
        if (const QString fault = TextDoesNotFit(widget); !fault.isEmpty())
            faults << Described(widget) + QStringLiteral(": ") + fault;
        if (const QString fault = CutOff(widget); !fault.isEmpty())
            faults << Described(widget) + QStringLiteral(": ") + fault;
        const QRect mine = OccupiedRect(widget);
        for (QWidget* other : shown) {
            if (other == widget || IsAncestor(widget, other) || IsAncestor(other, widget))
                continue;
            // A pair of texts is told once.
            if (HasText(other) && other < widget)
                continue;
            if (mine.intersects(OccupiedRect(other)))
                faults << Described(widget) + QStringLiteral(" overlaps ") + Described(other);
        }
    }
    return faults;
}

// Answers the next modal box once it shows, noting its texts.
std::shared_ptr<dorv::testing::BoxSeen> ReadNextBox(QObject* context,
                                                    QMessageBox::StandardButton answer) {
    return dorv::testing::AnswerBoxes(context, answer, dorv::testing::Answering::NextBoxOnly);
}

void SelectLanguage(TFormHlav& w, int language) {
    switch (language) {
    case 0:
        w.Commands.MenuCzech->trigger();
        break;
    case 1:
        w.Commands.MenuEnglish->trigger();
        break;
    case 2:
        w.Commands.MenuGerman->trigger();
        break;
    default: // French has no menu item: only a stored setting selects it
        CurrentLanguage = LanguageOfNumber(language);
        w.ApplyLanguage();
        break;
    }
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void init() { CurrentLanguage = Language::English; }
    void cleanup() { ApplyQtTranslation(Language::English); }
    void everyTextWholeAndUncovered_data();
    void everyTextWholeAndUncovered();
    void comparisonTextsWholeAndUncovered_data();
    void comparisonTextsWholeAndUncovered();
    void qtTextsAndErrorReasonsInLanguage_data();
    void qtTextsAndErrorReasonsInLanguage();
    void fileErrorReasonsInEveryLanguage();
    void portDiagnosisInEveryLanguage();

private:
    WindowTestEnv env_;
};

void TestLanguage::everyTextWholeAndUncovered_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("page");
    for (int language = 0; language < 4; ++language)
        for (int page = 0; page < 3; ++page)
            QTest::addRow("%s, page %d", LanguageNames[language], page) << language << page;
}

// With the longest texts each status label shows: the count, the servo values, every message
// of the transfer line with its gauge, and a print heading without it.
void TestLanguage::everyTextWholeAndUncovered() {
    QFETCH(int, language);
    QFETCH(int, page);
    CurrentLanguage = LanguageOfNumber(language);
    TFormHlav w;
    w.General.LabelFile2->setText(
        QStringLiteral("/home/technician/DORV settings/bench 2/engine.ign"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.PageControl1->setCurrentIndex(page);
    QCOMPARE(LanguageNumber(CurrentLanguage), language);
    const LanguageMessages& m = w.Messages;
    SetLabelText(w.General.LabelPocetProgramovani, m.MsgProgramCount + QStringLiteral(" 65535"));
    // Live servo values: their font size per language is set where they are shown.
    SetLabelText(w.Live.LabelServoPoz1, m.MsgServoDesired + QStringLiteral(" 1 = 5000 mV"));
    SetLabelText(w.Live.LabelServoMer1, m.MsgServoMeasured + QStringLiteral(" 1 = 5000 mV"));
    SetLabelText(w.Live.LabelServoPoz2, m.MsgServoDesired + QStringLiteral(" 2 = 5000 mV"));
    SetLabelText(w.Live.LabelServoMer2, m.MsgServoMeasured + QStringLiteral(" 2 = 5000 mV"));
    // The red lines under the live values: a unit of another version, damaged programmed data.
    SetLabelText(w.Live.LabelVersion, m.MsgVersionMismatch + QStringLiteral("  PC-56, IGN-255"));
    w.Live.LabelVersion->show();
    w.Live.LabelEeDataErr->show();
    QApplication::processEvents();
    QStringList faults = TextFaults(w);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

    // The connection label gives way to the transfer line.
    w.Live.LabelSpojeni->hide();
    const struct {
        MessageId Message;
        const char* Suffix;
        bool Gauge;
    } statusTexts[] = {
        {MessageId::MsgProgramming, ": OK", true},
        {MessageId::MsgVerifying, ": OK", true},
        {MessageId::MsgReading, "", true},
        {MessageId::MsgSaving, "", true},
        {MessageId::MsgProgramError, "", true},
        {MessageId::MsgVerifyError, "", true},
        {MessageId::MsgReadError, "", true},
        // As long as the print heading with a long date and time; printed without the gauge.
        {MessageId::None, "Date and Time of printing:  31.12.2026    23:59:59 CEST", false},
    };
    for (const auto& status : statusTexts) {
        w.Sequencer().ShowMessage(status.Message, status.Suffix, MessageTime);
        w.OnTick();
        w.Live.LabelHlaseni->show();
        w.Live.CGaugeProgram->setVisible(status.Gauge);
        w.Live.LabelSpojeni->hide();
        QApplication::processEvents();
        QVERIFY(w.Live.LabelHlaseni->isVisible());
        faults = TextFaults(w);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
}

void TestLanguage::comparisonTextsWholeAndUncovered_data() {
    QTest::addColumn<int>("language");
    for (int language = 0; language < 4; ++language)
        QTest::addRow("%s", LanguageNames[language]) << language;
}

// The comparison panel beside servo 1's page, with a difference of every group and the note
// that the identities differ.
void TestLanguage::comparisonTextsWholeAndUncovered() {
    QFETCH(int, language);
    CurrentLanguage = dorv::LanguageOfNumber(language);
    TFormHlav w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.PageControl1->setCurrentIndex(1);
    ParameterImage other = w.Image;
    other.Tps0() = static_cast<Byte>(other.Tps0() + 1);
    other.servo(0).RpmPoints(4) = static_cast<Byte>(other.servo(0).RpmPoints(4) + 1);
    other.servo(0).Cell(0, 14) = static_cast<Byte>(other.servo(0).Cell(0, 14) + 1);
    other.BuildDay() = static_cast<Byte>(other.BuildDay() + 1);
    w.ShowComparison(other, QStringLiteral("/home/technician/DORV settings/bench 2/engine.ign"));
    QApplication::processEvents();
    QVERIFY(w.Comparison->LabelIdentity->isVisible());
    const QStringList faults = TextFaults(w);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestLanguage::qtTextsAndErrorReasonsInLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("no");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("portError");
    QTest::addColumn<QString>("saveError");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("lookIn");
    QTest::newRow("Czech") << 0 << "&Ano"
                           << "&Ne"
                           << "Zrušit"
                           << "Chyba při otevírání portu Com!\n/dev/ttyS1: zařízení neexistuje"
                           << "Soubor nelze vytvořit."
                           << "Parametry zapalování (*.ign)"
                           << "Hledat v:";
    QTest::newRow("English") << 1 << "&Yes"
                             << "&No"
                             << "Cancel"
                             << "Com opening error!\n/dev/ttyS1: the device does not exist"
                             << "The file cannot be created."
                             << "Ignition Parametrs(*.ign)"
                             << "Look in:";
    QTest::newRow("German") << 2 << "&Ja"
                            << "&Nein"
                            << "Abbrechen"
                            << "Falscher COM-Anschlußes!\n/dev/ttyS1: das Gerät existiert nicht"
                            << "Die Datei kann nicht angelegt werden."
                            << "Zündungsparameter (*.ign)"
                            << "Suchen in:";
    QTest::newRow("French") << 3 << "&Oui"
                            << "&Non"
                            << "Annuler"
                            << "Erreur connections PC!\n/dev/ttyS1: le périphérique n'existe pas"
                            << "Le fichier ne peut pas être créé."
                            << "Paramètres d'allumage (*.ign)"
                            << "Voir dans :";
}

// Switched to a language, the New question's buttons and the box of a port that cannot be opened
// read in that language.
void TestLanguage::qtTextsAndErrorReasonsInLanguage() {
    QFETCH(int, language);
    QFETCH(QString, yes);
    QFETCH(QString, no);
    QFETCH(QString, cancel);
    QFETCH(QString, portError);
    QFETCH(QString, saveError);
    QFETCH(QString, filter);
    QFETCH(QString, lookIn);
    TFormHlav w;
    // From another language, so that its translation has to give way.
    SelectLanguage(w, language == 2 ? 0 : 2);
    SelectLanguage(w, language);
    QCOMPARE(LanguageNumber(CurrentLanguage), language);

    const auto question = ReadNextBox(&w, QMessageBox::No);
    w.Commands.MenuNew->trigger();
    QCOMPARE(question->Count, 1);
    QCOMPARE(question->Text, w.Messages.MsgDefaultQuestion);
    QCOMPARE(question->ButtonTexts.value(QMessageBox::Yes), yes);
    QCOMPARE(question->ButtonTexts.value(QMessageBox::No), no);
    QCOMPARE(question->ButtonTexts.value(QMessageBox::Cancel), cancel);

    // The port of COM2 has gone: choosing it again tells why it cannot be opened.
    auto& port = dynamic_cast<FakeSerialPort&>(w.ComPort());
    port.OpenResult = PortOpenError::NotFound;
    const auto portBox = ReadNextBox(&w, QMessageBox::Ok);
    w.Commands.MenuComPort[1]->trigger();
    QTRY_COMPARE(portBox->Count, 1);
    // The reason goes on to name the serial devices that are present (this machine's own).
    QVERIFY2(portBox->Text.startsWith(portError + QStringLiteral("; ")), qPrintable(portBox->Text));
    QVERIFY(portBox->ButtonTexts.contains(QMessageBox::Ok));

    // A file that cannot be made: a folder stands at its name.
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("engine.ign"));
    QVERIFY(QDir().mkpath(target));
    const auto saveBox = ReadNextBox(&w, QMessageBox::Ok);
    QVERIFY(!w.SaveParameterFile(target));
    QCOMPARE(saveBox->Count, 1);
    QCOMPARE(saveBox->Text, w.Messages.MsgSaveFileError);
    QCOMPARE(saveBox->Details, QDir::toNativeSeparators(target) + QLatin1Char('\n') + saveError);
    QCOMPARE(saveBox->ButtonTexts.value(QMessageBox::Ok), QStringLiteral("OK"));

    // The file dialogs: Qt's own texts and the tool's filters.
    QCOMPARE(w.OpenDialog1->nameFilters().value(0), filter);
    QCOMPARE(w.OpenDialog1->nameFilters().size(), 2);
    QCOMPARE(w.SaveDialog1->nameFilters(), QStringList{filter});
    auto* lookInLabel = w.OpenDialog1->findChild<QLabel*>(QStringLiteral("lookInLabel"));
    QVERIFY(lookInLabel);
    QCOMPARE(lookInLabel->text(), lookIn);
    // A dialog made before a switch follows it.
    SelectLanguage(w, language == 2 ? 1 : 2);
    QCOMPARE(w.OpenDialog1->nameFilters().value(0),
             language == 2 ? QStringLiteral("Ignition Parametrs(*.ign)")
                           : QStringLiteral("Zündungsparameter (*.ign)"));
    // Qt tells its widgets of the new translation through the event loop.
    QTRY_COMPARE(lookInLabel->text(),
                 language == 2 ? QStringLiteral("Look in:") : QStringLiteral("Suchen in:"));
}

// Every reason of a file error has a text of its own in every language, with its facts filled in.
void TestLanguage::fileErrorReasonsInEveryLanguage() {
    for (const Language language :
         {Language::Czech, Language::English, Language::German, Language::French}) {
        QSet<QString> writeReasons;
        for (FileWriteError error :
             {FileWriteError::FolderNotMade, FileWriteError::PermissionDenied,
              FileWriteError::CannotCreate, FileWriteError::WriteFailed,
              FileWriteError::NotReplaced, FileWriteError::Refused})
            writeReasons << FileWriteReason(error, language);
        QCOMPARE(writeReasons.size(), 6);

        RefusalFacts facts;
        facts.Kind = ParameterFileRefusal::NotANumber;
        facts.KeyWord = "RPM_SERVO2";
        facts.KeyWordLine = 12;
        facts.NumberCount = 15;
        facts.FoundWord = "\"x7\"";
        facts.FoundLine = 13;
        const QString notNumber = FileRefusalReason(facts, language);
        for (const char* part : {"RPM_SERVO2", "12", "15", "\"x7\"", "13"})
            QVERIFY2(notNumber.contains(QLatin1String(part)), qPrintable(notNumber));
        QVERIFY2(!notNumber.contains(QLatin1Char('%')), qPrintable(notNumber));
        facts.Kind = ParameterFileRefusal::EndsInNumbers;
        const QString ends = FileRefusalReason(facts, language);
        for (const char* part : {"RPM_SERVO2", "12", "15"})
            QVERIFY2(ends.contains(QLatin1String(part)), qPrintable(ends));
        QVERIFY2(!ends.contains(QLatin1Char('%')), qPrintable(ends));
        facts.Kind = ParameterFileRefusal::CannotRead;
        QVERIFY(!FileRefusalReason(facts, language).isEmpty());
        facts.Kind = ParameterFileRefusal::None;
        QVERIFY(FileRefusalReason(facts, language).isEmpty());
    }
    QCOMPARE(FileWriteReason(FileWriteError::WriteFailed, Language::German),
             QString("Die Datei kann nicht geschrieben werden (ist der Datenträger voll?)."));
    QCOMPARE(PortOpenReason(PortOpenError::Busy, Language::Czech),
             QString("zařízení používá jiný program"));
}

// Each cause of a failed open tells what the user needs, in every language: which devices are
// there, the device's group and the command to join it, the holding process, the system's words.
void TestLanguage::portDiagnosisInEveryLanguage() {
    const auto diagnosis = [](PortOpenError kind) {
        PortDiagnosis d;
        d.Kind = kind;
        return d;
    };
    PortDiagnosis notFound = diagnosis(PortOpenError::NotFound);
    notFound.PresentDevices = {"/dev/ttyS0", "/dev/ttyUSB1"};
    const PortDiagnosis noneThere = diagnosis(PortOpenError::NotFound);
    PortDiagnosis permission = diagnosis(PortOpenError::PermissionDenied);
    permission.Group = "uucp";
    permission.Command = AddToGroupCommand("uucp");
    PortDiagnosis busy = diagnosis(PortOpenError::Busy);
    busy.HolderPid = 4711;
    busy.HolderName = "dorv";
    const PortDiagnosis busyUnknown = diagnosis(PortOpenError::Busy);
    PortDiagnosis other = diagnosis(PortOpenError::Other);
    other.SystemReason = "Input/output error";
    QSet<QString> permissionTexts;
    for (const Language language :
         {Language::Czech, Language::English, Language::German, Language::French}) {
        const QString present = PortDiagnosisText(notFound, language);
        QVERIFY2(present.contains("/dev/ttyS0, /dev/ttyUSB1"), qPrintable(present));
        QVERIFY(present.startsWith(PortOpenReason(PortOpenError::NotFound, language)));
        QVERIFY(PortDiagnosisText(noneThere, language) != present);
        const QString perm = PortDiagnosisText(permission, language);
        QVERIFY2(perm.contains(" uucp") && perm.contains("\nsudo usermod -aG uucp $USER\n"),
                 qPrintable(perm));
        permissionTexts << perm;
        const QString held = PortDiagnosisText(busy, language);
        QVERIFY2(held.contains("4711 dorv"), qPrintable(held));
        QVERIFY(held.startsWith(PortOpenReason(PortOpenError::Busy, language)));
        QCOMPARE(PortDiagnosisText(busyUnknown, language),
                 PortOpenReason(PortOpenError::Busy, language));
        QVERIFY(PortDiagnosisText(other, language).contains("(Input/output error)"));
        for (const auto& d : {notFound, noneThere, permission, busy, other})
            QVERIFY(!PortDiagnosisText(d, language).contains('%'));
    }
    QCOMPARE(permissionTexts.size(), 4);
    QVERIFY(PortDiagnosisText(permission, Language::English).endsWith("then log in again."));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
