// Starts a program and prints the milliseconds from its start to the first map of a top-level
// window whose title is the one asked for (under a window manager: the frame holding it).
// Usage: map_timer TITLE TIMEOUT_MS PROGRAM [ARGS...]; the program is left running, its
// process id printed after the time.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

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
    if (argc < 4) {
        std::fprintf(stderr, "usage: map_timer TITLE TIMEOUT_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string title = argv[1];
    const int timeoutMs = std::atoi(argv[2]);
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "map_timer: no display\n");
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
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    auto elapsedMs = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    const int fd = ConnectionNumber(dpy);
    while (elapsedMs() < timeoutMs) {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (e.type == MapNotify && HoldsTitle(dpy, e.xmap.window, title)) {
                std::printf("%.1f %d\n", elapsedMs(), static_cast<int>(pid));
                return 0;
            }
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
    }
    std::fprintf(stderr, "map_timer: no window \"%s\" within %d ms\n", title.c_str(), timeoutMs);
    kill(pid, SIGKILL);
    return 1;
}
