#include "window_flags.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "x11_display.h"

// Xlib last: its macros (None, Bool ...) would break the Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform {

namespace {

// Before the window is mapped: Qt merges the states it finds in the property with its own.
void AddSkipTaskbarProperty(Display* dpy, Window window) {
    Atom state = XInternAtom(dpy, "_NET_WM_STATE", False);
    Atom skip = XInternAtom(dpy, "_NET_WM_STATE_SKIP_TASKBAR", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool present = false;
    if (XGetWindowProperty(dpy, window, state, 0, 1024, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && format == 32; ++i) present |= atoms[i] == skip;
        XFree(data);
    }
    if (!present) {
        XChangeProperty(dpy, window, state, XA_ATOM, 32, PropModeAppend,
                        reinterpret_cast<const unsigned char*>(&skip), 1);
    }
    XFlush(dpy);
}

// A mapped window's state belongs to the window manager; it is asked by a client message.
void RequestSkipTaskbar(Display* dpy, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(dpy, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // add
    event.xclient.data.l[1] =
        static_cast<long>(XInternAtom(dpy, "_NET_WM_STATE_SKIP_TASKBAR", False));
    event.xclient.data.l[3] = 1;  // from a normal program
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(dpy);
}

// From a show event, which comes before the window is mapped.
void SkipTaskbarBeforeMap(QWidget* w) {
    if (Display* dpy = X11Display()) AddSkipTaskbarProperty(dpy, w->winId());
}

// Some window managers drop _NET_WM_STATE when a window is hidden; the state is set again
// before every show.
class SkipTaskbarOnShow : public QObject {
  public:
    explicit SkipTaskbarOnShow(QWidget* widget) : QObject(widget) {
        setObjectName(QStringLiteral("SkipTaskbarOnShow"));
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) SkipTaskbarBeforeMap(static_cast<QWidget*>(watched));
        return false;
    }
};

// Application-wide: every top-level widget, whichever part of the program made it.
class OffTaskbarFilter : public QObject {
  public:
    OffTaskbarFilter(QObject* parent, std::function<bool()> skip)
        : QObject(parent), skip_(std::move(skip)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(watched);
        if (!w->isWindow() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) {
            return false;
        }
        if (!skip_ || skip_()) SkipTaskbarBeforeMap(w);
        return false;
    }

  private:
    std::function<bool()> skip_;
};

}  // namespace

void KeepWindowsOffTaskbar(std::function<bool()> skip) {
    if (!qApp) return;
    qApp->installEventFilter(new OffTaskbarFilter(qApp, std::move(skip)));
}

void SetTopMost(QWidget* widget, bool on) {
    if (widget == nullptr) return;
    QWidget* top = widget->window();
    Qt::WindowFlags flags = top->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow* window = top->windowHandle()) {
        // The widget keeps the same flags so that a later re-creation does not undo the change.
        top->overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        top->setWindowFlags(flags);  // not created yet: nothing is shown that could be hidden
    }
}

bool IsTopMost(const QWidget* widget) {
    return widget != nullptr && widget->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void RaiseWithoutActivating(QWidget* widget) {
    if (widget == nullptr) return;
    QWidget* top = widget->window();
    // Restacks only; activation would need activateWindow.
    if (top->isVisible()) top->raise();
}

void SkipTaskbar(QWidget* widget) {
    if (widget == nullptr) return;
    QWidget* top = widget->window();
    if (!top->isVisible()) {
        top->setWindowFlags((top->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
    }
    SkipTaskbarKeepingType(top);
}

void SkipTaskbarKeepingType(QWidget* widget) {
    if (widget == nullptr) return;
    QWidget* top = widget->window();
    Display* dpy = X11Display();
    if (dpy == nullptr) return;
    if (top->findChild<QObject*>(QStringLiteral("SkipTaskbarOnShow"), Qt::FindDirectChildrenOnly) ==
        nullptr) {
        new SkipTaskbarOnShow(top);
    }
    if (top->isVisible()) RequestSkipTaskbar(dpy, top->winId());
}

}  // namespace platform
