#include "hotkey.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include "desktop_session.h"
#include "installed_layout.h"
#include "portal_shortcut.h"

// Xlib last: its macros (None, KeyPress, Bool ...) would break the Qt headers.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace platform {

namespace {

Display* Dpy(void* p) { return static_cast<Display*>(p); }

// Xlib reports a refused grab asynchronously; the handler only counts, the caller asks after
// XSync. Set only for that short span, so it never sees the errors of other code.
int g_xErrors = 0;
int CountXError(Display*, XErrorEvent*) {
    ++g_xErrors;
    return 0;
}

// The modifier bit that NumLock sets on this server (usually Mod2).
unsigned FindNumLockMask(Display* dpy) {
    unsigned mask = 0;
    KeyCode numLock = XKeysymToKeycode(dpy, XK_Num_Lock);
    XModifierKeymap* map = XGetModifierMapping(dpy);
    if (map != nullptr) {
        for (int mod = 0; mod < 8 && numLock != 0; ++mod) {
            for (int k = 0; k < map->max_keypermod; ++k) {
                if (map->modifiermap[mod * map->max_keypermod + k] == numLock) mask = 1u << mod;
            }
        }
        XFreeModifiermap(map);
    }
    return mask != 0 ? mask : Mod2Mask;
}

}  // namespace

HotKeyWay HotKeyWayFor(bool waylandSession, const QString& platformName) {
    if (waylandSession) return HotKeyWay::Portal;
    return platformName == QLatin1String("xcb") ? HotKeyWay::X11 : HotKeyWay::Unavailable;
}

HotKeyWay GlobalHotKey::Way() const {
    // A display named by the caller is grabbed on, whatever the session.
    if (!displayName_.isEmpty()) return HotKeyWay::X11;
    return HotKeyWayFor(IsWaylandSession(SessionFromEnvironment()),
                        qGuiApp ? QGuiApplication::platformName() : QString());
}

GlobalHotKey::GlobalHotKey(QObject* parent, const QString& displayName)
    : QObject(parent), displayName_(displayName) {}

GlobalHotKey::~GlobalHotKey() {
    Unregister();
    CloseDisplay();
}

bool GlobalHotKey::OpenDisplay() {
    if (display_ != nullptr) return true;
    if (Way() != HotKeyWay::X11) return false;
    QByteArray name = displayName_.toLocal8Bit();
    Display* dpy = XOpenDisplay(displayName_.isEmpty() ? nullptr : name.constData());
    if (dpy == nullptr) return false;
    display_ = dpy;
    numLockMask_ = FindNumLockMask(dpy);
    notifier_ = new QSocketNotifier(ConnectionNumber(dpy), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { ReadEvents(); });
    return true;
}

void GlobalHotKey::CloseDisplay() {
    if (display_ == nullptr) return;
    delete notifier_;
    notifier_ = nullptr;
    XCloseDisplay(Dpy(display_));
    display_ = nullptr;
}

// The grab is exact about modifiers, so CapsLock and NumLock each need a grab of their own or
// the key would do nothing while they are on.
bool GlobalHotKey::Grab(bool grab) {
    Display* dpy = Dpy(display_);
    Window root = DefaultRootWindow(dpy);
    const unsigned base = ControlMask | ShiftMask;
    const unsigned extras[] = {0, LockMask, numLockMask_, LockMask | numLockMask_};

    XSync(dpy, False);
    g_xErrors = 0;
    XErrorHandler previous = XSetErrorHandler(CountXError);
    for (unsigned extra : extras) {
        if (grab) {
            XGrabKey(dpy, keycode_, base | extra, root, False, GrabModeAsync, GrabModeAsync);
        } else {
            XUngrabKey(dpy, keycode_, base | extra, root);
        }
    }
    XSync(dpy, False);
    XSetErrorHandler(previous);
    return g_xErrors == 0;
}

bool GlobalHotKey::Register(int id, char letter) {
    Unregister();
    if (letter < 'A' || letter > 'Z') return false;
    if (Way() == HotKeyWay::Portal) {
        if (!portal_) {
            portal_ = new PortalShortcut(DesktopId(), this);
            connect(portal_, &PortalShortcut::activated, this, [this] { emit activated(id_); });
            connect(portal_, &PortalShortcut::answered, this, &GlobalHotKey::answered);
        }
        id_ = id;
        portal_->Bind(letter, description_);
        return true;
    }
    if (!OpenDisplay()) return false;
    KeyCode code = XKeysymToKeycode(Dpy(display_), XK_a + (letter - 'A'));
    if (code == 0) return false;
    keycode_ = code;
    if (!Grab(true)) {
        // Another program holds one of the combinations: release the ones we did get.
        Grab(false);
        keycode_ = 0;
        return false;
    }
    id_ = id;
    // XSync may have moved events into Xlib's queue, where the notifier cannot see them.
    QMetaObject::invokeMethod(this, &GlobalHotKey::ReadEvents, Qt::QueuedConnection);
    return true;
}

void GlobalHotKey::Unregister() {
    if (portal_) portal_->Release();
    if (keycode_ == 0 || display_ == nullptr) return;
    Grab(false);
    keycode_ = 0;
}

void GlobalHotKey::ReadEvents() {
    if (display_ == nullptr) return;
    Display* dpy = Dpy(display_);
    while (XPending(dpy) > 0) {
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        } else if (event.type == KeyPress && keycode_ != 0 &&
                   event.xkey.keycode == static_cast<unsigned>(keycode_)) {
            // Runs inside the notifier's slot: no exception may leave it.
            try {
                emit activated(id_);
            } catch (...) {
            }
        }
    }
}

}  // namespace platform
