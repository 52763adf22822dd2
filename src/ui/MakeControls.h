// The makers of the window's designed controls: labels, push buttons, glyph buttons, face colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace dorv {

// Labels whose size follows their text, as an auto-sizing label does.
inline constexpr const char* AutoSizeProperty = "AutoSize";

// The widget's font at the pixel size, bold or not.
QFont FontOfHeight(const QWidget* widget, int pixelSize, bool bold);
// Auto-sizing labels are fitted to their texts by the window's pass over its language, which runs
// before the window is first shown (each text is measured once, in the language shown), and
// whenever they are shown.
// An auto-sizing label at its designed place.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at);
// Whether a live label is shown from the start or made hidden (and measured when first shown).
enum class LabelStart { Shown, Hidden };
// An auto-sizing label of the live values, in a font of its own.
QLabel* MakeLiveLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                      int pixelSize, bool bold, LabelStart start = LabelStart::Shown);
// Fills the widget's ground with the colour.
void SetFaceColour(QWidget* widget, const QColor& colour);
// A push button the mouse (not the Tab key) gives the focus to.
QPushButton* MakePushButton(QWidget* parent, const char* name, const QString& text, QRect at);
// A push button for a layout (no place of its own) that never becomes a dialog's default.
QPushButton* MakeLayoutButton(QWidget* parent, const char* name);
// A flat toolbar button showing a glyph; it never takes the focus.
QToolButton* MakeGlyphButton(QWidget* parent, const char* name, const QIcon& glyph, QRect at);

} // namespace dorv
