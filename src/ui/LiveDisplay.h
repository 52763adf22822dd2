// Showing the link's messages, colours and live labels on the window's controls.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringList>

#include <string>

#include "Jazyk2.h"
#include "Messages.h"
#include "Monitor.h"

class QFont;
class QLabel;
class QWidget;

namespace dorv {

// The current language's text of a link message; empty for MessageId::None.
QString MessageText(const LanguageMessages& messages, MessageId message);

// The message's text followed unchanged by the suffix.
QString MessageWithSuffix(const LanguageMessages& messages, MessageId message,
                          const std::string& suffix);

// Pure red, pure yellow, or the button face of the given palette.
QColor StatusColourOf(StatusColour colour, const QPalette& palette);

// Gives the widget the colour in the given role (the Window role also fills its background);
// does nothing, and so repaints nothing, when it already has it.
void SetRoleColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// The largest pixel size, from the font's own down to MinimumFittedPixelSize, at which each of
// the texts is at most room pixels wide. The texts are measured first in guide, a font of the
// same family and weight that is in use already, and the size is estimated from that: only the
// sizes at the estimate and below it are loaded, down to the first that fits.
int FittedPixelSize(const QFont& font, int room, const QStringList& texts, const QFont& guide);
constexpr int MinimumFittedPixelSize = 10;

// The widest texts the four servo live labels can show in the language: each servo value at the
// largest the unit can report, as the monitor writes it.
QStringList WidestServoTexts(const LanguageMessages& messages);

// Gives the label's font the pixel size; nothing, and so no new layout, when it has it already.
void SetPixelSize(QLabel* label, int pixelSize);

// Sizes the label to its text. Never touches the font: a font change asks the parent for a new
// layout, and labels are fitted again from that request.
void FitLabel(QLabel* label);

// Sets the label's text and fits the label to it (a hidden label, when it is shown); nothing when
// the text is unchanged.
void SetLabelText(QLabel* label, const QString& text);

// A live label: the message text followed by the label's text, on its status colour.
void ShowMonitorLabel(QLabel* label, const ShownValue& shown, const LanguageMessages& messages);

} // namespace dorv
