// The message texts in four languages and the operation that fills them for the current language.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

class QWidget;

namespace dorv {

// The languages of the tool, numbered as DORV.ini keeps them and as the tables list their texts.
enum class Language : unsigned char { Czech = 0, English = 1, German = 2, French = 3 };
inline constexpr int LanguageCount = 4;

// The number DORV.ini keeps for the language.
constexpr int LanguageNumber(Language language) {
    return static_cast<int>(language);
}
// The language of a number DORV.ini keeps; a number beyond the four stays as it is (it shows the
// English texts, and applying the texts makes it English).
constexpr Language LanguageOfNumber(int number) {
    return static_cast<Language>(number);
}

// Czech, English, German, French; nullptr where a language has no text of its own.
using LanguageTexts = std::array<const char*, LanguageCount>;

// The text that language shows; a language without a text of its own shows the English one.
QString TextFor(const LanguageTexts& texts, Language language);

// The message texts of the current language, read by whatever shows a message.
struct LanguageMessages {
    QString HelpFileName;
    QString MsgProgramError;
    QString MsgVerifyError;
    QString MsgReadError;
    QString MsgProgramming;
    QString MsgVerifying;
    QString MsgReading;
    QString MsgSaving;
    QString MsgVersionMismatch;
    QString MsgProgramCount;
    QString MsgServoDesired;
    QString MsgServoMeasured;
    QString MsgComOpenError;
    QString MsgOpenFileError;
    QString MsgFileVersionMismatch;
    QString MsgFileEmpty;     // an .ign file with nothing in it
    QString MsgNoParameters;  // an .ign file with a key line and no parameter after it
    QString MsgSaveFileError; // Save could not write the file
    QString MsgDefaultQuestion;
    QString MsgHelpOpenError;
    // The servo table editor: %1 a count, %2 a cell ("20% / column 4"), %3 a text.
    QString MsgTableClamped;     // results kept in the cells' range
    QString MsgTableNoSelection; // an operation with no cells selected
    QString MsgTableSetPrompt;   // Set: the value asked for
    QString MsgTableAddPrompt;   // Add: the value asked for
    QString MsgTableScalePrompt; // Scale: the per cent asked for
    QString MsgPasteNotNumber;   // a pasted field is no number
    QString MsgPasteOutOfRange;  // a pasted value outside the cells' range
    QString MsgPastePastEdge;    // the block would run past the table
    QString MsgPasteEmpty;       // nothing to paste
    QString MsgPasteNoCell;      // the current cell is an RPM point
    QString MsgTableCell;        // how a cell is named: %1 the row label, %2 the column number
    // The data log; %1, %2 are filled in where they are shown.
    QString MsgRecordingState; // recording on: %1 samples, %2 elapsed
    QString MsgMarker;         // %1 the marker's number
    QString MsgLogSaved;       // %1 samples, %2 the file's name
    QString MsgLogEmpty;       // a log that ended without a sample, removed
    QString MsgLogCreateError; // %1 the folder
    QString MsgLogWriteError;  // %1 the file
    QString MsgReplay;         // the sign shown while a log plays
    QString MsgCellVisits;     // %1 the samples of a cell, as its mark's tooltip
    QString MsgLogNotALog;     // %1 the line
    QString MsgLogBadLine;     // %1 the line
    QString MsgLogCutLine;     // %1 the line
    QString MsgLogNoSamples;
    // Closing during a transfer, a damaged .ign file.
    QString MsgStopTransfer;        // closing while Program or Verify runs
    QString MsgStopTransferDetails; // its answers
    QString MsgFileDamaged;         // an .ign file with numbers missing or malformed
    // The window's own files: the parameter store, the configuration folder, a second copy.
    QString MsgStoreDamaged;  // %1 the store, %2 the damage
    QString MsgDamageBadWord; // %1 the word (quoted), %2 its line
    QString MsgDamageTooFew;  // %1 the numbers read
    QString MsgDamageTooLarge;
    QString MsgDamageUnreadable;
    QString MsgLoadedBefore; // %1 the numbers loaded
    QString MsgLoadedDefaults;
    QString MsgCopyKept; // %1 the copy
    QString MsgNoCopy;
    QString MsgNotKept;           // %1 why (one of MsgTrouble...)
    QString MsgNotKeptShort;      // the status bar's short form
    QString MsgTroubleNotAFolder; // %1 the folder or file
    QString MsgTroubleCannotCreate;
    QString MsgTroubleFolderNotWritable;
    QString MsgTroubleSettingsUnreadable;
    QString MsgTroubleSettingsTooLarge;
    QString MsgTroubleFileNotWritable;
    QString MsgSaveFailed;     // at exit: %1 the file, %2 the reason
    QString MsgAlreadyRunning; // %1 the folder, %2 MsgProcessNumber or nothing
    QString MsgProcessNumber;  // %1 the process
    // Why a port or a file failed, told after its message.
    QString MsgPortNotFound;
    QString MsgPortPermissionDenied;
    QString MsgPortBusy;
    QString MsgPortOther;
    QString MsgPortsPresent; // %1 the present devices
    QString MsgNoPortPresent;
    QString MsgPortNoPermission; // %1 group, %2 command
    QString MsgPortBusyBy;       // %1 process id and name
    QString MsgPortOtherBecause; // %1 the system's own words
    QString MsgFolderNotMade;
    QString MsgWritePermissionDenied;
    QString MsgFileNotCreated;
    QString MsgWriteFailed;
    QString MsgNotReplaced;
    QString MsgWriteRefused;
    QString MsgCannotRead;
    QString MsgNoKeyLine;
    QString MsgEndsInNumbers; // %1 key word, %2 its line, %3 how many numbers it needs
    QString
        MsgNotANumber; // %1 line, %2 the word found, %3 key word, %4 its line, %5 numbers needed
    // The serial devices: Com items, the device list, status notes.
    QString MsgDevicePresent;
    QString MsgDeviceAbsent;
    QString MsgSerialDevices; // Com > Serial devices…, and its list's title
    QString MsgColumnDevice;
    QString MsgColumnStableName;
    QString MsgColumnDescription;
    QString MsgColumnMaker;
    QString MsgColumnSerial;
    QString MsgDeviceDisconnected;
    QString MsgDeviceReconnected; // %1 device
    QString MsgAutoMapped;        // %1 COM name, %2 device
    QString MsgSeveralDevices;
    // Help > Contents when the manual is not found or not opened.
    QString MsgManualLookedFor;
    QString MsgManualInstallHint;
    QString MsgManualViewerFailed;
    // Printing.
    QString MsgPrintFileTitle; // the PDF file dialog's title
    QString MsgPrintFailed;
    // %1 the chart module's file, %2 why it could not be loaded
    QString MsgChartModuleError;
};

// The captions of the file dialogs' filters, the chart windows, the print heading and the about
// box in one language.
struct LanguageCaptions {
    QString ParameterFilesFilter; // the file dialogs' filter of parameter files
    QString AllFilesFilter;
    QString LogFilesFilter; // Log > Open log's filter
    QString ChartCaption;   // the live chart
    QString ChartSpeedTitle;
    QString ChartThrottleTitle;
    QString ChartServoTitle; // %1 the servo
    QString ChartDesiredName;
    QString ChartMeasuredName;
    QString ChartTimeTitle;
    QString ChartSpanLabel;
    QString TableChartCaption; // the table chart; %1 the servo
    QString TableChartRowLabel;
    QString TableChartAllRows;
    QString TableChartRpmTitle;
    QString TableChartSetPointTitle;
    QString TableChartOperatingPoint;
    QString PrintHeading; // before the date and time; none of its own in French
    QString AboutProduct;
    QString AboutUnit;
    QString AboutTool;
    QString AboutVersion;
    QString AboutService;
    QString AboutServiceWhere;
    QString AboutLicence; // the licence (the LICENSE file of the source tree)
    QString AboutCaption; // none of its own in French
};

LanguageCaptions CaptionsFor(Language language);
// One caption of the language, without making the others.
QString CaptionFor(QString LanguageCaptions::*caption, Language language);
// The language has a caption of its own (else CaptionFor gives the English one).
bool HasOwnCaption(QString LanguageCaptions::*caption, Language language);
// Every caption of the table, in its order.
QList<QString LanguageCaptions::*> CaptionMembers();

// Every message of the tables, in their order (MsgHelpOpenError is made from HelpFileName).
QList<QString LanguageMessages::*> MessageMembers();

// One message of the language, without making the others.
QString MessageFor(QString LanguageMessages::*message, Language language);

// All message texts of one language (beyond the four: English).
LanguageMessages MessagesFor(Language language);

// Fills the messages for CurrentLanguage and, while LabelSpojeni is shown (no connection), resets
// LabelPocetProgramovani and the four servo labels under window to their placeholders.
LanguageMessages ApplyLanguageMessages(QWidget* window);

// The live labels that ApplyLanguageMessages resets while not connected.
QStringList PlaceholderObjectNames();

} // namespace dorv
