// Showing the link's messages, colours and live labels on the window's controls.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include <string>

#include "Jazyk2.h"
#include "Messages.h"
#include "Monitor.h"

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

// Gives a label the width it may take before it runs into its neighbour. A text wider than that is
// shown in a smaller font, down to MinimumFittedPixelSize, instead of over the neighbour's text; a
// text that fits gets the label's designed font back.
void SetLabelRoom(QLabel* label, int room);
constexpr int MinimumFittedPixelSize = 10;

// Fits the label to its text: its size, and within its room (if it has one) its font.
void FitLabel(QLabel* label);

// Sets the label's text and fits the label to it; nothing when the text is unchanged.
void SetLabelText(QLabel* label, const QString& text);

// A live label: the message text followed by the label's text, on its status colour.
void ShowMonitorLabel(QLabel* label, const MonitorLabel& shown, const LanguageMessages& messages);

} // namespace dorv
