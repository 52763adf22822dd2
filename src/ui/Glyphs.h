// The small pictures of the toolbar buttons, drawn in code when a button first shows them: nothing
// is drawn or decoded while the window is being built.
#pragma once

#include <QIcon>

namespace dorv {

QIcon NewFileGlyph();  // a blank sheet with a folded corner
QIcon OpenFileGlyph(); // an open yellow folder
QIcon SaveFileGlyph(); // a diskette
QIcon PrinterGlyph();  // paper above a grey body with a tray
QIcon UndoGlyph();     // an arrow bending back to the left
QIcon RedoGlyph();     // the same arrow bending to the right

} // namespace dorv
