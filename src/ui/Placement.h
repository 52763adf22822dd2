// Where the window may stand: a placement kept fully inside a screen's available area.
#pragma once

#include <QMargins>
#include <QRect>

namespace dorv {

// The window frame assumed before the window manager has drawn one: a title bar above, thin
// borders elsewhere.
inline constexpr QMargins AssumedFrameMargins{4, 32, 4, 4};

// The window's inner rectangle moved, and made smaller where needed, so that with its frame it
// lies wholly inside the available area: title bar and menu on the screen, no edge cut off.
// A window that already lies inside is returned unchanged.
QRect KeepInside(const QRect& window, const QMargins& frame, const QRect& available);

} // namespace dorv
