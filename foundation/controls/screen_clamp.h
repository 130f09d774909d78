// Where a window with stored bounds may open: kept reachable on the screen.
#pragma once

#include <QRect>
#include <QSize>

namespace foundation {

// A window at least as large as the screen loses 6 pixels and moves to 0; a left or top below
// 0 or within 50 pixels of the screen's right or bottom edge becomes 0.
QRect ClampToScreen(const QRect& bounds, const QSize& screen);

}  // namespace foundation
