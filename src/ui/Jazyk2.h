// The message texts in four languages and the operation that fills them for the current language.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

class QWidget;

namespace dorv {

// Czech (0), English (1), German (2), French (3); nullptr where a language has no text of its own.
using LanguageTexts = std::array<const char*, 4>;

// The text that language shows; a language without a text of its own shows the English one.
QString TextFor(const LanguageTexts& texts, unsigned language);

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
    // %1 the chart module's file, %2 why it could not be loaded
    QString MsgChartModuleError;
};

// All message texts of one language (above 3: English).
LanguageMessages MessagesFor(unsigned language);

// Fills the messages for CurrentLanguage and, while LabelSpojeni is shown (no connection), resets
// LabelPocetProgramovani and the four servo labels under window to their placeholders.
LanguageMessages ApplyLanguageMessages(QWidget* window);

// The live labels that ApplyLanguageMessages resets while not connected.
QStringList PlaceholderObjectNames();

} // namespace dorv
