#include "x11_display.h"

#include <QGuiApplication>

// Xlib last: its macros (None, Bool ...) would break the Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform {

Display* X11Display() {
    if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

namespace {

// The window a window property names, 0 when there is none.
Window WindowProperty(Display* dpy, Window on, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window found = 0;
    if (XGetWindowProperty(dpy, on, property, 0, 1, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_WINDOW && format == 32 && count == 1)
            found = *reinterpret_cast<const Window*>(data);
        XFree(data);
    }
    return found;
}

}  // namespace

std::string WindowManagerName() {
    Display* dpy = X11Display();
    if (dpy == nullptr) return {};
    const Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
    const Window root = DefaultRootWindow(dpy);
    const Window wm = WindowProperty(dpy, root, check);
    // A window manager that went away leaves the root naming a window that is gone or that
    // no longer names itself.
    if (wm == 0 || WindowProperty(dpy, wm, check) != wm) return {};
    const Atom name = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string result;
    if (XGetWindowProperty(dpy, wm, name, 0, 256, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (type == utf8 && format == 8) result.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return result;
}

}  // namespace platform
