#include "window_frame.h"

#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSet>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "x11_display.h"

// Last: Xlib's macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// Moves a window's frame to its place at its first paint, then goes away.
class FramePlacer : public QObject {
  public:
    FramePlacer(QWidget* window, QPoint framePos)
        : QObject(window), window_(window), at_(framePos) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // By the first paint the window manager has framed and placed the window.
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            if (window_->pos() != at_) window_->move(at_);
            deleteLater();
        }
        return false;
    }

  private:
    QWidget* window_;
    QPoint at_;
};

}  // namespace

namespace platform {
namespace {

bool WindowManagerSupports(Display* dpy, Atom wanted) {
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom supported = XInternAtom(dpy, "_NET_SUPPORTED", False);
    if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), supported, 0, 4096, False, XA_ATOM, &type,
                           &format, &count, &after, &data) != Success ||
        !data)
        return false;
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    const bool found = std::find(atoms, atoms + count, wanted) != atoms + count;
    XFree(data);
    return found;
}

bool ReadExtents(Display* dpy, Window window, Atom extents, QMargins& out) {
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) != Success ||
        !data)
        return false;
    const bool ok = count == 4 && format == 32;
    if (ok) {
        const long* v = reinterpret_cast<const long*>(data);  // left, right, top, bottom
        out = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
    }
    XFree(data);
    return ok;
}

}  // namespace

void PlaceFrameAt(QWidget* window, const QPoint& framePos, const QMargins& frame) {
    if (!window || !window->isWindow()) return;
    window->setGeometry(QRect(framePos + QPoint(frame.left(), frame.top()), window->size()));
    // Where Qt already took the window to stand there, it tells the window manager nothing,
    // and the window manager places the window itself: put the frame back once it is shown.
    window->installEventFilter(new FramePlacer(window, framePos));
}

QMargins LogicalFrame(const QMargins& device, qreal ratio) {
    if (ratio <= 0 || ratio == 1) return device;
    return QMargins(qRound(device.left() / ratio), qRound(device.top() / ratio),
                    qRound(device.right() / ratio), qRound(device.bottom() / ratio));
}

namespace {

FramePort* g_port = nullptr;

QMargins WindowManagerFrame(QWidget* window, int timeoutMs) {
    if (!window) return {};
    window = window->window();
    if (window->isVisible()) {
        const QRect frame = window->frameGeometry(), client = window->geometry();
        const QMargins shown(client.left() - frame.left(), client.top() - frame.top(),
                             frame.right() - client.right(), frame.bottom() - client.bottom());
        if (!shown.isNull()) return shown;
    }
    Display* dpy = X11Display();
    if (!dpy || window->windowFlags().testFlag(Qt::FramelessWindowHint)) return {};
    const Atom request = XInternAtom(dpy, "_NET_REQUEST_FRAME_EXTENTS", False);
    const Atom extents = XInternAtom(dpy, "_NET_FRAME_EXTENTS", False);
    if (!WindowManagerSupports(dpy, request)) return {};

    // The window manager answers for the window as its hints stand (title bar, border).
    const Window id = static_cast<Window>(window->winId());
    const qreal ratio = window->windowHandle() ? window->windowHandle()->devicePixelRatio()
                                               : window->devicePixelRatioF();
    QMargins margins;
    if (ReadExtents(dpy, id, extents, margins)) return LogicalFrame(margins, ratio);
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = id;
    e.xclient.message_type = request;
    e.xclient.format = 32;
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(dpy);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs) {
        if (ReadExtents(dpy, id, extents, margins)) return LogicalFrame(margins, ratio);
        ::usleep(2000);
    }
    return {};
}

}  // namespace

FramePort* SetFramePort(FramePort* port) { return std::exchange(g_port, port); }

QMargins FrameExtents(QWidget* window, int timeoutMs) {
    return g_port ? g_port->Extents(window, timeoutMs) : WindowManagerFrame(window, timeoutMs);
}

std::vector<QRect> ScreenRects() {
    std::vector<QRect> rects;
    if (QScreen* primary = QGuiApplication::primaryScreen()) rects.push_back(primary->geometry());
    for (QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen()) rects.push_back(s->geometry());
    return rects;
}

QPoint WhollyInside(const QRect& outer, const QRect& area) {
    auto fit = [](int at, int size, int low, int span) {
        if (size >= span) return low;
        return std::clamp(at, low, low + span - size);
    };
    return QPoint(fit(outer.x(), outer.width(), area.x(), area.width()),
                  fit(outer.y(), outer.height(), area.y(), area.height()));
}

namespace {

// Looks at each dialog once it is framed: its first paint after each show.
class DialogsOnScreen : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // It sees every event of the program: the cheap tests come first.
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::Paint) return false;
        if (!watched->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(watched);
        if (type == QEvent::Hide) {
            pending_.remove(w);
            return false;
        }
        if (type == QEvent::Paint && pending_.isEmpty()) return false;
        if (!w->isWindow() || qobject_cast<QDialog*>(w) == nullptr) return false;
        if (type == QEvent::Show)
            pending_.insert(w);
        else if (pending_.remove(w))
            Fit(w);
        return false;
    }

  private:
    static void Fit(QWidget* w) {
        QScreen* screen = w->screen();
        if (!screen || !w->isVisible()) return;
        const QRect outer = w->geometry().marginsAdded(FrameExtents(w, 0));
        const QPoint at = WhollyInside(outer, screen->availableGeometry());
        if (at != outer.topLeft()) w->move(at);
    }

    QSet<QWidget*> pending_;
};

}  // namespace

void KeepDialogsOnScreen() {
    if (!qApp) return;
    qApp->installEventFilter(new DialogsOnScreen(qApp));
}

QPoint OntoScreens(const QRect& outer, const std::vector<QRect>& screens) {
    if (screens.empty()) return outer.topLeft();
    for (const QRect& s : screens)
        if (s.intersects(outer)) return outer.topLeft();
    return WhollyInside(outer, screens.front());
}

}  // namespace platform
