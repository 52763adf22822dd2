// The caption and hint tables of the main window in four languages, and the operation that applies
// them.
#pragma once

#include <QString>
#include <QStringList>

#include "Jazyk2.h"

class QWidget;

namespace dorv {

// The language in force for the whole program.
extern Language CurrentLanguage;

// Checks the language menu item of CurrentLanguage, sets every caption and hint of the tables,
// puts Qt's own texts in that language (ApplyQtTranslation), then fills the messages
// (ApplyLanguageMessages) and returns them. A language beyond the four has
// no texts: it is taken as English and CurrentLanguage becomes English. Controls, menus and menu
// items are found under window by objectName; a name missing from the window is skipped.
LanguageMessages ApplyLanguageTexts(QWidget* window);

// Gives the texts Qt adds itself (buttons of message boxes, file dialogs) in the language: installs
// Qt's translation of that language on the application in place of the one before. English needs
// none. Returns false when the language's translation is missing; Qt's texts are English then.
bool ApplyQtTranslation(Language language);

// Every objectName that the caption and hint tables, the menu check marks and the placeholders
// refer to.
QStringList LanguageObjectNames();

// The language chosen by a command-line word ("ENGLISH", "CESKY", "DEUTSCH", exact case);
// any other word leaves current unchanged.
Language LanguageFromArgument(const QString& word, Language current);

} // namespace dorv
