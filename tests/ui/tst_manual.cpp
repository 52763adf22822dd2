// Tests of the user's manuals: every message in the troubleshooting chapter, the PDFs built with
// pages, text and pictures, and Help > Contents finding them in the build tree.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include "Commands.h"
#include "Jazyk2.h"

#include <iterator>

using dorv::LanguageMessages;

namespace {

// Every text of LanguageMessages; the size check below fails when a field is added and not listed.
const struct {
    const char* Name;
    QString LanguageMessages::*Message;
} MessageFields[] = {
    {"HelpFileName", &LanguageMessages::HelpFileName},
    {"MsgProgramError", &LanguageMessages::MsgProgramError},
    {"MsgVerifyError", &LanguageMessages::MsgVerifyError},
    {"MsgReadError", &LanguageMessages::MsgReadError},
    {"MsgProgramming", &LanguageMessages::MsgProgramming},
    {"MsgVerifying", &LanguageMessages::MsgVerifying},
    {"MsgReading", &LanguageMessages::MsgReading},
    {"MsgSaving", &LanguageMessages::MsgSaving},
    {"MsgVersionMismatch", &LanguageMessages::MsgVersionMismatch},
    {"MsgProgramCount", &LanguageMessages::MsgProgramCount},
    {"MsgServoDesired", &LanguageMessages::MsgServoDesired},
    {"MsgServoMeasured", &LanguageMessages::MsgServoMeasured},
    {"MsgComOpenError", &LanguageMessages::MsgComOpenError},
    {"MsgOpenFileError", &LanguageMessages::MsgOpenFileError},
    {"MsgFileVersionMismatch", &LanguageMessages::MsgFileVersionMismatch},
    {"MsgFileEmpty", &LanguageMessages::MsgFileEmpty},
    {"MsgNoParameters", &LanguageMessages::MsgNoParameters},
    {"MsgSaveFileError", &LanguageMessages::MsgSaveFileError},
    {"MsgDefaultQuestion", &LanguageMessages::MsgDefaultQuestion},
    {"MsgHelpOpenError", &LanguageMessages::MsgHelpOpenError},
    {"MsgTableClamped", &LanguageMessages::MsgTableClamped},
    {"MsgTableNoSelection", &LanguageMessages::MsgTableNoSelection},
    {"MsgTableSetPrompt", &LanguageMessages::MsgTableSetPrompt},
    {"MsgTableAddPrompt", &LanguageMessages::MsgTableAddPrompt},
    {"MsgTableScalePrompt", &LanguageMessages::MsgTableScalePrompt},
    {"MsgPasteNotNumber", &LanguageMessages::MsgPasteNotNumber},
    {"MsgPasteOutOfRange", &LanguageMessages::MsgPasteOutOfRange},
    {"MsgPastePastEdge", &LanguageMessages::MsgPastePastEdge},
    {"MsgPasteEmpty", &LanguageMessages::MsgPasteEmpty},
    {"MsgPasteNoCell", &LanguageMessages::MsgPasteNoCell},
    {"MsgTableCell", &LanguageMessages::MsgTableCell},
    {"MsgRecordingState", &LanguageMessages::MsgRecordingState},
    {"MsgMarker", &LanguageMessages::MsgMarker},
    {"MsgLogSaved", &LanguageMessages::MsgLogSaved},
    {"MsgLogEmpty", &LanguageMessages::MsgLogEmpty},
    {"MsgLogCreateError", &LanguageMessages::MsgLogCreateError},
    {"MsgLogWriteError", &LanguageMessages::MsgLogWriteError},
    {"MsgReplay", &LanguageMessages::MsgReplay},
    {"MsgCellVisits", &LanguageMessages::MsgCellVisits},
    {"MsgLogNotALog", &LanguageMessages::MsgLogNotALog},
    {"MsgLogBadLine", &LanguageMessages::MsgLogBadLine},
    {"MsgLogCutLine", &LanguageMessages::MsgLogCutLine},
    {"MsgLogNoSamples", &LanguageMessages::MsgLogNoSamples},
    {"MsgStopTransfer", &LanguageMessages::MsgStopTransfer},
    {"MsgStopTransferDetails", &LanguageMessages::MsgStopTransferDetails},
    {"MsgFileDamaged", &LanguageMessages::MsgFileDamaged},
    {"MsgStoreDamaged", &LanguageMessages::MsgStoreDamaged},
    {"MsgDamageBadWord", &LanguageMessages::MsgDamageBadWord},
    {"MsgDamageTooFew", &LanguageMessages::MsgDamageTooFew},
    {"MsgDamageTooLarge", &LanguageMessages::MsgDamageTooLarge},
    {"MsgDamageUnreadable", &LanguageMessages::MsgDamageUnreadable},
    {"MsgLoadedBefore", &LanguageMessages::MsgLoadedBefore},
    {"MsgLoadedDefaults", &LanguageMessages::MsgLoadedDefaults},
    {"MsgCopyKept", &LanguageMessages::MsgCopyKept},
    {"MsgNoCopy", &LanguageMessages::MsgNoCopy},
    {"MsgNotKept", &LanguageMessages::MsgNotKept},
    {"MsgNotKeptShort", &LanguageMessages::MsgNotKeptShort},
    {"MsgTroubleNotAFolder", &LanguageMessages::MsgTroubleNotAFolder},
    {"MsgTroubleCannotCreate", &LanguageMessages::MsgTroubleCannotCreate},
    {"MsgTroubleFolderNotWritable", &LanguageMessages::MsgTroubleFolderNotWritable},
    {"MsgTroubleSettingsUnreadable", &LanguageMessages::MsgTroubleSettingsUnreadable},
    {"MsgTroubleSettingsTooLarge", &LanguageMessages::MsgTroubleSettingsTooLarge},
    {"MsgTroubleFileNotWritable", &LanguageMessages::MsgTroubleFileNotWritable},
    {"MsgSaveFailed", &LanguageMessages::MsgSaveFailed},
    {"MsgAlreadyRunning", &LanguageMessages::MsgAlreadyRunning},
    {"MsgProcessNumber", &LanguageMessages::MsgProcessNumber},
    {"MsgPortNotFound", &LanguageMessages::MsgPortNotFound},
    {"MsgPortPermissionDenied", &LanguageMessages::MsgPortPermissionDenied},
    {"MsgPortBusy", &LanguageMessages::MsgPortBusy},
    {"MsgPortOther", &LanguageMessages::MsgPortOther},
    {"MsgPortsPresent", &LanguageMessages::MsgPortsPresent},
    {"MsgNoPortPresent", &LanguageMessages::MsgNoPortPresent},
    {"MsgPortNoPermission", &LanguageMessages::MsgPortNoPermission},
    {"MsgPortBusyBy", &LanguageMessages::MsgPortBusyBy},
    {"MsgPortOtherBecause", &LanguageMessages::MsgPortOtherBecause},
    {"MsgFolderNotMade", &LanguageMessages::MsgFolderNotMade},
    {"MsgWritePermissionDenied", &LanguageMessages::MsgWritePermissionDenied},
    {"MsgFileNotCreated", &LanguageMessages::MsgFileNotCreated},
    {"MsgWriteFailed", &LanguageMessages::MsgWriteFailed},
    {"MsgNotReplaced", &LanguageMessages::MsgNotReplaced},
    {"MsgWriteRefused", &LanguageMessages::MsgWriteRefused},
    {"MsgCannotRead", &LanguageMessages::MsgCannotRead},
    {"MsgNoKeyLine", &LanguageMessages::MsgNoKeyLine},
    {"MsgEndsInNumbers", &LanguageMessages::MsgEndsInNumbers},
    {"MsgNotANumber", &LanguageMessages::MsgNotANumber},
    {"MsgDevicePresent", &LanguageMessages::MsgDevicePresent},
    {"MsgDeviceAbsent", &LanguageMessages::MsgDeviceAbsent},
    {"MsgSerialDevices", &LanguageMessages::MsgSerialDevices},
    {"MsgColumnDevice", &LanguageMessages::MsgColumnDevice},
    {"MsgColumnStableName", &LanguageMessages::MsgColumnStableName},
    {"MsgColumnDescription", &LanguageMessages::MsgColumnDescription},
    {"MsgColumnMaker", &LanguageMessages::MsgColumnMaker},
    {"MsgColumnSerial", &LanguageMessages::MsgColumnSerial},
    {"MsgDeviceDisconnected", &LanguageMessages::MsgDeviceDisconnected},
    {"MsgDeviceReconnected", &LanguageMessages::MsgDeviceReconnected},
    {"MsgAutoMapped", &LanguageMessages::MsgAutoMapped},
    {"MsgSeveralDevices", &LanguageMessages::MsgSeveralDevices},
    {"MsgManualLookedFor", &LanguageMessages::MsgManualLookedFor},
    {"MsgManualInstallHint", &LanguageMessages::MsgManualInstallHint},
    {"MsgManualViewerFailed", &LanguageMessages::MsgManualViewerFailed},
    {"MsgPrintFileTitle", &LanguageMessages::MsgPrintFileTitle},
    {"MsgPrintFailed", &LanguageMessages::MsgPrintFailed},
    {"MsgChartModuleError", &LanguageMessages::MsgChartModuleError},
};
static_assert(sizeof(LanguageMessages) == std::size(MessageFields) * sizeof(QString),
              "a message of LanguageMessages is missing from MessageFields");

// Runs a poppler tool; its standard output, or a failed test's message on stderr.
QString RunPoppler(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning() << program << arguments << process.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The troubleshooting chapter of a manual as its reader sees it (Markdown rendered, spaces folded).
QString TroubleshootingChapter(const QString& manual, const QString& heading) {
    QFile file(manual);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(file.readAll()));
    const QString text = document.toPlainText().simplified();
    const qsizetype start = text.indexOf(heading);
    return start < 0 ? QString() : text.mid(start);
}

QString ManualPdf(const QString& language) {
    return QStringLiteral(DORV_MANUAL_DIR "/DORV_manual_%1.pdf").arg(language);
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT

private slots:
    void troubleshootingHoldsEveryMessage_data();
    void troubleshootingHoldsEveryMessage();
    void manualPdfBuilt_data();
    void manualPdfBuilt();
    void helpContentsFindsManualOfLanguage_data();
    void helpContentsFindsManualOfLanguage();
};

void TestManual::troubleshootingHoldsEveryMessage_data() {
    QTest::addColumn<QString>("message");
    const LanguageMessages english = dorv::MessagesFor(dorv::Language::English);
    for (const auto& field : MessageFields)
        QTest::newRow(field.Name) << english.*field.Message;
}

// Each fixed fragment of the message (the text between its %N placeholders) stands in the chapter.
void TestManual::troubleshootingHoldsEveryMessage() {
    QFETCH(QString, message);
    static const QString chapter = TroubleshootingChapter(
        QStringLiteral(DORV_MANUAL_SOURCE_DIR "/en.md"), QStringLiteral("10. Troubleshooting"));
    QVERIFY2(!chapter.isEmpty(), "no troubleshooting chapter in docs/manual/en.md");
    QVERIFY(!message.trimmed().isEmpty());
    const QStringList fragments = message.split(QRegularExpression(QStringLiteral("%\\d")));
    for (const QString& fragment : fragments) {
        const QString fixed = fragment.simplified();
        if (fixed.isEmpty())
            continue;
        QVERIFY2(chapter.contains(fixed),
                 qPrintable(QStringLiteral("not in the chapter: \"%1\"").arg(fixed)));
    }
}

void TestManual::manualPdfBuilt_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("heading");
    QTest::newRow("English") << "en"
                             << "10. Troubleshooting";
    QTest::newRow("Czech") << "cz"
                           << "10. Řešení problémů";
}

// Built with pages, the chapter headings as text, and the five pictures of the window.
void TestManual::manualPdfBuilt() {
    QFETCH(QString, language);
    QFETCH(QString, heading);
    const QString pdf = ManualPdf(language);
    QVERIFY2(QFile::exists(pdf), qPrintable(pdf));

    const QString info = RunPoppler(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    QVERIFY2(pages.hasMatch(), qPrintable(info));
    QVERIFY(pages.captured(1).toInt() >= 3);
    QVERIFY(info.contains(QStringLiteral("A4")));

    const QString text = RunPoppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY2(text.contains(heading), qPrintable(text.left(400)));
    QVERIFY(text.contains(QStringLiteral("dorv-cli")));

    const QString images = RunPoppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    const QStringList imageLines = images.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(imageLines.size() - 2, 5); // two header lines, then one line per picture
}

void TestManual::helpContentsFindsManualOfLanguage_data() {
    QTest::addColumn<unsigned>("language");
    QTest::addColumn<QString>("manual");
    QTest::newRow("Czech") << 0u << "cz";
    QTest::newRow("English") << 1u << "en";
    QTest::newRow("German") << 2u << "en";
    QTest::newRow("French") << 3u << "en";
}

// F1 from the build tree: the manual beside the executables, in the language shown or English.
void TestManual::helpContentsFindsManualOfLanguage() {
    QFETCH(unsigned, language);
    QFETCH(QString, manual);
    const QString name = dorv::MessagesFor(dorv::LanguageOfNumber(language)).HelpFileName;
    QCOMPARE(name, QFileInfo(ManualPdf(manual)).fileName());
    const QString found = dorv::FindManual(name, QStringLiteral(DORV_MANUAL_DIR));
    QVERIFY(!found.isEmpty());
    QCOMPARE(QFileInfo(found).canonicalFilePath(),
             QFileInfo(ManualPdf(manual)).canonicalFilePath());
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
