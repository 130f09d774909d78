// Starts a program and watches what it draws, through the X Damage extension: prints the
// milliseconds from the start to the first map of a top-level window with the title asked for
// (under a window manager: the frame holding it), the milliseconds to the settled first paint
// (the last drawing into any of the new windows before QUIET_MS without drawing), and the
// program's process id. The program is left running.
// Usage: paint_timer TITLE TIMEOUT_MS QUIET_MS PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool HasTitle(Display* dpy, Window w, const std::string& title) {
    XTextProperty prop;
    bool found = false;
    if (XGetWMName(dpy, w, &prop) && prop.value) {
        char** list = nullptr;
        int count = 0;
        if (Xutf8TextPropertyToTextList(dpy, &prop, &list, &count) >= 0 && count > 0)
            found = title == list[0];
        if (list) XFreeStringList(list);
        XFree(prop.value);
    }
    return found;
}

// The window or one below it (a frame holds the client) carries the title.
bool HoldsTitle(Display* dpy, Window w, const std::string& title, int depth = 0) {
    if (HasTitle(dpy, w, title)) return true;
    if (depth >= 3) return false;
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy, w, &root, &parent, &children, &n)) return false;
    bool found = false;
    for (unsigned i = 0; i < n && !found; ++i)
        found = HoldsTitle(dpy, children[i], title, depth + 1);
    if (children) XFree(children);
    return found;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }  // windows vanish while looked at

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: paint_timer TITLE TIMEOUT_MS QUIET_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string title = argv[1];
    const int timeoutMs = std::atoi(argv[2]);
    const double quietMs = std::atof(argv[3]);
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "paint_timer: no display\n");
        return 2;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        std::fprintf(stderr, "paint_timer: the display has no Damage extension\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The caller reads our output to its end: the program must not hold it open.
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, STDOUT_FILENO);
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    auto elapsedMs = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    // PAINT_TIMER_TRACE: every drawing after the map, to see what the time goes to.
    const bool trace = std::getenv("PAINT_TIMER_TRACE") != nullptr;
    double mapped = -1;
    double lastDrawn = -1;
    const int fd = ConnectionNumber(dpy);
    while (elapsedMs() < timeoutMs) {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (e.type == CreateNotify && e.xcreatewindow.parent == root) {
                // Every new top-level window reports what is drawn into it, also once a window
                // manager's frame holds it: Qt draws into its own window.
                XDamageCreate(dpy, e.xcreatewindow.window, XDamageReportRawRectangles);
            } else if (e.type == MapNotify && mapped < 0 && HoldsTitle(dpy, e.xmap.window, title)) {
                mapped = elapsedMs();
                lastDrawn = mapped;
                if (trace) std::fprintf(stderr, "%.1f map 0x%lx\n", mapped, e.xmap.window);
            } else if (e.type == damageEvent + XDamageNotify && mapped >= 0) {
                lastDrawn = elapsedMs();
                if (trace) {
                    const auto* d = reinterpret_cast<XDamageNotifyEvent*>(&e);
                    std::fprintf(stderr, "%.1f damage 0x%lx %dx%d+%d+%d\n", lastDrawn, d->drawable,
                                 d->area.width, d->area.height, d->area.x, d->area.y);
                }
            }
        }
        if (mapped >= 0 && elapsedMs() - lastDrawn >= quietMs) {
            std::printf("%.1f %.1f %d\n", mapped, lastDrawn, static_cast<int>(pid));
            return 0;
        }
        int waitMs = 20;
        if (mapped >= 0)
            waitMs = std::max(1, static_cast<int>(quietMs - (elapsedMs() - lastDrawn)));
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, std::min(waitMs, 20));
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "paint_timer: the program ended before it settled\n");
            return 1;
        }
    }
    std::fprintf(stderr, "paint_timer: no settled window \"%s\" within %d ms\n", title.c_str(),
                 timeoutMs);
    kill(pid, SIGKILL);
    return 1;
}
