// The frame a window manager draws around a top-level window, and keeping windows reachable.
// Qt places a top-level window by its frame (pos()) but sizes it by its client area (height()),
// and knows the frame only some time after the window is first shown.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <vector>

class QWidget;

namespace platform {

// The frame around the window in the window's own (logical) pixels: taken from the shown
// window, else asked of the window manager before the window is shown (waiting at most
// timeoutMs). Empty without a window manager. A FramePort in place answers instead.
QMargins FrameExtents(QWidget* window, int timeoutMs = 300);

// The window manager's frames behind a port, so that tests frame windows without one.
class FramePort {
  public:
    virtual ~FramePort() = default;
    virtual QMargins Extents(QWidget* window, int timeoutMs) = 0;
};
// Returns the port it replaces; nullptr restores the window manager's frames.
FramePort* SetFramePort(FramePort* port);

// The window manager counts its frame in device pixels; the program places windows in logical
// ones, which are `ratio` device pixels each on a scaled screen. Rounded as Qt rounds margins.
QMargins LogicalFrame(const QMargins& device, qreal ratio);

// Puts the window's frame, not its client area, at framePos when it is shown, as stored
// positions mean: the client area goes inside the frame the window manager will draw. Call it
// after the last resize before the window is shown (Qt's own move places the client area
// there once the window was resized, so a window stored at the top of the screen would have
// its title bar above it, and each run would store it higher).
void PlaceFrameAt(QWidget* window, const QPoint& framePos, const QMargins& frame);

// The geometries of every screen, the primary first.
std::vector<QRect> ScreenRects();

// Where a window (outer rectangle) lies wholly inside `area`: where it is when it does, else
// moved in by the least; one larger than the area keeps the area's top or left edge.
QPoint WhollyInside(const QRect& outer, const QRect& area);

// Every dialog of the application shown from now on lies wholly on the usable area of its
// screen, its frame included: once the window manager has framed it, a dialog that sticks out
// (its title bar above the screen, where nobody could move it) is moved in.
void KeepDialogsOnScreen();

// A window (outer rectangle) that lies wholly outside every screen moves onto the first one;
// a window that shows on some screen, even at a negative position, stays where it is.
QPoint OntoScreens(const QRect& outer, const std::vector<QRect>& screens);

}  // namespace platform
