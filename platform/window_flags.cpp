#include "window_flags.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>

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
void RequestState(Display* dpy, Window window, const char* state, bool add) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(dpy, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = add ? 1 : 0;
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(dpy, state, False));
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

const char* const kKeepsTaskbarButton = "kolvaneKeepsTaskbarButton";

std::vector<std::string> AtomNames(Display* dpy, Window window, const char* property) {
    std::vector<std::string> names;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, XInternAtom(dpy, property, False), 0, 1024, False, XA_ATOM,
                           &type, &format, &count, &after, &data) != Success ||
        data == nullptr)
        return names;
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && format == 32; ++i) {
        if (char* name = XGetAtomName(dpy, atoms[i])) {
            names.emplace_back(name);
            XFree(name);
        }
    }
    XFree(data);
    return names;
}

// Looks at the window once it is framed (its first paint after each show).
class MinimiseOffer : public QObject {
  public:
    MinimiseOffer(QWidget* window, std::function<bool()> minimise)
        : QObject(window), window_(window), minimise_(std::move(minimise)) {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) return false;
        if (event->type() == QEvent::Show) pending_ = true;
        if (event->type() == QEvent::Paint && pending_) {
            pending_ = false;
            Look();
        }
        return false;
    }

  private:
    void Look() {
        Display* dpy = X11Display();
        if (dpy == nullptr || window_->property(kKeepsTaskbarButton).toBool()) return;
        if (minimise_ && !minimise_()) return;
        const Window id = static_cast<Window>(window_->winId());
        if (!MinimiseWithheldForSkippedTaskbar(AtomNames(dpy, id, "_NET_WM_ALLOWED_ACTIONS"),
                                               AtomNames(dpy, id, "_NET_WM_STATE")))
            return;
        window_->setProperty(kKeepsTaskbarButton, true);
        RequestState(dpy, id, "_NET_WM_STATE_SKIP_TASKBAR", false);
    }

    QWidget* window_;
    std::function<bool()> minimise_;
    bool pending_ = false;
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
        if (!w->isWindow() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip ||
            w->property(kKeepsTaskbarButton).toBool()) {
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

void OfferMinimise(QWidget* window, std::function<bool()> minimise) {
    if (window == nullptr) return;
    new MinimiseOffer(window->window(), std::move(minimise));
}

bool MinimiseWithheldForSkippedTaskbar(const std::vector<std::string>& allowedActions,
                                       const std::vector<std::string>& states) {
    // A window manager that does not list the actions says nothing about them.
    if (allowedActions.empty()) return false;
    auto has = [](const std::vector<std::string>& list, const char* name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    return !has(allowedActions, "_NET_WM_ACTION_MINIMIZE") &&
           has(states, "_NET_WM_STATE_SKIP_TASKBAR");
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
    if (top->isVisible()) RequestState(dpy, top->winId(), "_NET_WM_STATE_SKIP_TASKBAR", true);
}

}  // namespace platform
