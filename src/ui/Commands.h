// Window commands that stand apart from the editors: Help > Contents and its manual look-up.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

#include "Jazyk2.h"

class QWidget;

namespace dorv {

// Opens a document with the viewer registered for it; false when that fails.
using DocumentOpener = std::function<bool(const QUrl&)>;

// The folders that may hold the manual, in order: the executable's folder, the installed
// share/dorv/ folder beside it, then share/dorv/ in the system's data folders.
QStringList ManualFolders(const QString& executableFolder);

// The full path of the first manual named helpFileName in ManualFolders; empty when none exists.
QString FindManual(const QString& helpFileName, const QString& executableFolder);

// What the box of a failed Help > Contents adds, in the language: with no manual found, every
// path looked for and the command that builds and installs the manual; with a manual found that
// no viewer could open, its path.
QString ManualErrorDetails(const QString& helpFileName, const QString& executableFolder,
                           const QString& found, Language language);

// Help > Contents: opens the manual of the current language (messages.HelpFileName) with the
// registered viewer. When it is missing or cannot be opened, shows messages.MsgHelpOpenError in a
// message box owned by window, with ManualErrorDetails, and returns false; nothing else changes.
bool MenuContensClick(QWidget* window, const LanguageMessages& messages,
                      const DocumentOpener& open = {}, const QString& executableFolder = {});

} // namespace dorv
