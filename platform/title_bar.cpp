#include "title_bar.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <array>
#include <vector>

#include "title_bar_hints.h"
#include "x11_display.h"

// X headers last: their macros (None, Bool ...) would break the Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xproto.h>

namespace platform {

namespace {

constexpr char kKeeperName[] = "TitleBarKeeper";

Atom MotifAtom(Display* dpy) {
    static Atom atom = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
    return atom;
}

std::array<long, 5> AsProperty(const MotifHints& h) {
    return {static_cast<long>(h.flags), static_cast<long>(h.functions),
            static_cast<long>(h.decorations), static_cast<long>(h.inputMode),
            static_cast<long>(h.status)};
}

// True when the window already carries exactly these hints.
bool Carries(Display* dpy, Window window, const MotifHints& hints) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom atom = MotifAtom(dpy);
    bool same = false;
    if (XGetWindowProperty(dpy, window, atom, 0, 5, False, atom, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (type == atom && format == 32 && count == 5) {
            const auto* got = reinterpret_cast<const long*>(data);
            same = AsProperty(hints) == std::array<long, 5>{got[0], got[1], got[2], got[3], got[4]};
        }
        XFree(data);
    }
    return same;
}

// The number of the request the display sent last.
uint32_t LastRequest(Display* dpy) { return static_cast<uint32_t>(NextRequest(dpy) - 1); }

void WriteHints(Window window, const MotifHints& hints) {
    Display* dpy = X11Display();
    if (dpy == nullptr || window == 0 || Carries(dpy, window, hints)) return;
    const std::array<long, 5> data = AsProperty(hints);
    const Atom atom = MotifAtom(dpy);
    XChangeProperty(dpy, window, atom, atom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), 5);
    XFlush(dpy);
}

Atom TypeAtom(Display* dpy) {
    static Atom atom = XInternAtom(dpy, "_NET_WM_WINDOW_TYPE", False);
    return atom;
}

// Puts the type first in the window's list of types (a window manager takes the first it
// knows); the others stay behind it.
void WriteType(Window window, const char* typeName) {
    Display* dpy = X11Display();
    if (dpy == nullptr || window == 0) return;
    const Atom wanted = XInternAtom(dpy, typeName, False);
    std::vector<Atom> types{wanted};
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, TypeAtom(dpy), 0, 32, False, XA_ATOM, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        const bool first = type == XA_ATOM && format == 32 && count > 0 && atoms[0] == wanted;
        if (type == XA_ATOM && format == 32)
            for (unsigned long i = 0; i < count; ++i)
                if (atoms[i] != wanted) types.push_back(atoms[i]);
        XFree(data);
        if (first) return;
    }
    XChangeProperty(dpy, window, TypeAtom(dpy), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(types.data()),
                    static_cast<int>(types.size()));
    XFlush(dpy);
}

// Lives as a child of the window: writes the window's hints once its native window exists and
// takes back a minimise or maximise the kind does not offer.
class TitleBarKeeper : public QObject {
  public:
    TitleBarKeeper(QWidget* window, TitleBar kind, bool fixed)
        : QObject(window),
          window_(window),
          kind_(kind),
          fixed_(fixed),
          buttons_(ButtonsFor(kind, fixed)),
          hints_(MotifHintsFor(kind, fixed)) {
        setObjectName(QLatin1String(kKeeperName));
        window->installEventFilter(this);
        Apply();
    }

    const TitleBarButtons& Buttons() const { return buttons_; }

    void Apply() {
        Display* dpy = X11Display();
        if (dpy == nullptr || window_ == nullptr || window_->internalWinId() == 0) return;
        const auto id = static_cast<Window>(window_->internalWinId());
        WriteHints(id, hints_);
        // The type counts when the window manager takes the window on (at its mapping). Most
        // kinds keep their own type under any window manager, which then need not be asked.
        ownType_ = MayTakeOwnType(kind_, fixed_) ? WindowTypeFor(kind_, fixed_, WindowManagerName())
                                                 : nullptr;
        if (ownType_ != nullptr) {
            WriteType(id, ownType_);
            if (QWindow* handle = window_->windowHandle()) handle->installEventFilter(this);
        }
        appliedWindow_ = id;
        appliedUpTo_ = LastRequest(dpy);
    }

    // True when the change of a property that the display reports (by the number of the last
    // request it had from the program then) was made before the last Apply read the window:
    // Apply saw it. The program's own writes are such changes, Qt's ones before it too.
    bool SawChange(Window window, uint32_t sequence) const {
        return window == appliedWindow_ && static_cast<int32_t>(sequence - appliedUpTo_) <= 0;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) {
            // Openbox gives a toolbar no focus for a click into it, only for one on its title
            // bar: the window asks for it, as the click that typing should follow.
            if (ownType_ != nullptr && event->type() == QEvent::MouseButtonPress &&
                window_ != nullptr && watched == window_->windowHandle() &&
                !window_->isActiveWindow()) {
                window_->windowHandle()->requestActivate();
            }
            return false;
        }
        switch (event->type()) {
            case QEvent::WinIdChange:
                Apply();
                break;
            case QEvent::Show:  // the native window exists and is not mapped yet
                Apply();
                ActivateWhenShown();
                break;
            case QEvent::WindowStateChange:
                TakeBackStates();
                break;
            default:
                break;
        }
        return false;
    }

  private:
    // Openbox focuses a new window of the focused program, but no toolbar that is not modal;
    // the window asks for the focus as it is shown, as a dialog would have had it.
    void ActivateWhenShown() {
        if (ownType_ == nullptr || window_->testAttribute(Qt::WA_ShowWithoutActivating) ||
            window_->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) {
            return;
        }
        QTimer::singleShot(0, window_, [w = window_] {
            if (w != nullptr && w->isVisible() && !w->isActiveWindow() && w->windowHandle())
                w->windowHandle()->requestActivate();
        });
    }

    void TakeBackStates() {
        Qt::WindowStates unwanted;
        if (!buttons_.minimize) unwanted |= Qt::WindowMinimized;
        if (!buttons_.maximize) unwanted |= Qt::WindowMaximized | Qt::WindowFullScreen;
        if (!(window_->windowState() & unwanted)) return;
        // After the state change has run its course.
        QTimer::singleShot(0, window_, [w = window_, unwanted] {
            if (w == nullptr || !(w->windowState() & unwanted)) return;
            w->setWindowState(w->windowState() & ~unwanted);
            if (w->isVisible()) w->activateWindow();
        });
    }

    QPointer<QWidget> window_;
    TitleBar kind_;
    bool fixed_;
    TitleBarButtons buttons_;
    MotifHints hints_;
    const char* ownType_ = nullptr;  // the type written for the window manager, if any
    Window appliedWindow_ = 0;       // the native window the last Apply worked on
    uint32_t appliedUpTo_ = 0;       // the last request of that Apply
};

// Qt writes its own Motif hints and window type whenever a window's flags change (always on
// top, for one); ours go back on at once.
class MotifHintsWatch : public QAbstractNativeEventFilter {
  public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        Display* dpy = X11Display();
        if (dpy == nullptr || notify->state != XCB_PROPERTY_NEW_VALUE ||
            (notify->atom != MotifAtom(dpy) && notify->atom != TypeAtom(dpy))) {
            return false;
        }
        if (QWidget* w = QWidget::find(static_cast<WId>(notify->window))) {
            auto* keeper = w->findChild<TitleBarKeeper*>(QLatin1String(kKeeperName),
                                                         Qt::FindDirectChildrenOnly);
            // The keeper's own writes come back here too, each a round trip to the display
            // for nothing.
            if (keeper != nullptr && !keeper->SawChange(notify->window, event->full_sequence))
                keeper->Apply();
        }
        return false;
    }
};

void WatchMotifHints() {
    static bool installed = false;
    if (installed || X11Display() == nullptr) return;
    installed = true;
    // Lives as long as the application's event dispatcher.
    QCoreApplication::instance()->installNativeEventFilter(new MotifHintsWatch);
}

}  // namespace

void SetTitleBar(QWidget* window, TitleBar kind, bool fixed) {
    if (!window) return;
    const TitleBarButtons buttons = ButtonsFor(kind, fixed);
    Qt::WindowFlags flags = window->windowFlags() & Qt::WindowType_Mask;
    if (flags == Qt::Widget) flags = Qt::Window;
    // Keep what is not about the title bar (always on top, no task-bar button).
    flags |= window->windowFlags() & (Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                                      Qt::X11BypassWindowManagerHint);
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (buttons.menu) flags |= Qt::WindowSystemMenuHint;
    if (buttons.minimize) flags |= Qt::WindowMinimizeButtonHint;
    if (buttons.maximize) flags |= Qt::WindowMaximizeButtonHint;
    if (buttons.close) flags |= Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
    if (buttons.fixed) window->setFixedSize(window->size());

    delete window->findChild<TitleBarKeeper*>(QLatin1String(kKeeperName),
                                              Qt::FindDirectChildrenOnly);
    new TitleBarKeeper(window, kind, fixed);
    WatchMotifHints();
}

std::optional<TitleBarButtons> TitleBarOf(const QWidget* window) {
    if (window == nullptr) return std::nullopt;
    const auto* keeper = window->findChild<const TitleBarKeeper*>(QLatin1String(kKeeperName),
                                                                  Qt::FindDirectChildrenOnly);
    if (keeper == nullptr) return std::nullopt;
    return keeper->Buttons();
}

}  // namespace platform
