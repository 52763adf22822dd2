// Where the window may stand: a placement kept fully inside a screen's available area.
#include "Placement.h"

#include <algorithm>

namespace dorv {

namespace {

// The start of a span of the given length moved into [low, high); the span fits by construction.
int KeepSpanInside(int start, int length, int low, int high) {
    return std::clamp(start, low, std::max(low, high - length));
}

} // namespace

QRect KeepInside(const QRect& window, const QMargins& frame, const QRect& available) {
    const QRect inner = available.marginsRemoved(frame);
    const int width = std::clamp(window.width(), 1, std::max(1, inner.width()));
    const int height = std::clamp(window.height(), 1, std::max(1, inner.height()));
    const int left = KeepSpanInside(window.x(), width, inner.left(), inner.left() + inner.width());
    const int top = KeepSpanInside(window.y(), height, inner.top(), inner.top() + inner.height());
    return {left, top, width, height};
}

} // namespace dorv
