#include "screen_clamp.h"

namespace foundation {

namespace {

constexpr int kShrink = 6;
constexpr int kEdge = 50;

// One axis: position and length against the screen's length.
void ClampAxis(int& pos, int& length, int screen) {
    if (length >= screen) {
        length -= kShrink;
        pos = 0;
    }
    if (pos < 0 || pos >= screen - kEdge) pos = 0;
}

}  // namespace

QRect ClampToScreen(const QRect& bounds, const QSize& screen) {
    int left = bounds.left(), top = bounds.top();
    int width = bounds.width(), height = bounds.height();
    ClampAxis(left, width, screen.width());
    ClampAxis(top, height, screen.height());
    return QRect(left, top, width, height);
}

}  // namespace foundation
