// Starts a program and reports when its first top-level window is mapped and painted on
// the X server, and its resident memory then, without any help from the program.
//   xwatch SETTLE_MS PROGRAM [ARGS...]
// Prints: map_ms paint_ms rss_paint_kb rss_settled_kb
// "Painted" is the moment the damage the client has drawn into the window covers the
// whole window: Qt flushes its first frame in one piece, so this is the first frame.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/Xdamage.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <csignal>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

long rssKb(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", int(pid));
    FILE *f = std::fopen(path, "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kb = std::strtol(line + 6, nullptr, 10);
            break;
        }
    std::fclose(f);
    return kb;
}

long windowPid(Display *dpy, Window w)
{
    static const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && count == 1 && format == 32)
        pid = long(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

// A window may vanish between its event and our request about it.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

struct Watched
{
    Damage damage = 0;
    int width = 0, height = 0;
    bool mapped = false;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: xwatch SETTLE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int settleMs = std::atoi(argv[1]);
    // A server just started may not take connections yet.
    Display *dpy = nullptr;
    for (int i = 0; i < 100 && !(dpy = XOpenDisplay(nullptr)); ++i)
        usleep(50000);
    if (!dpy) {
        std::fprintf(stderr, "xwatch: no display\n");
        return 2;
    }
    int damageEvent, damageError;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        std::fprintf(stderr, "xwatch: the server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        close(ConnectionNumber(dpy));
        execvp(argv[2], argv + 2);
        std::_Exit(127);
    }

    std::map<Window, Watched> windows;
    double mapMs = -1, paintMs = -1;
    long rssPaint = -1;
    const int fd = ConnectionNumber(dpy);
    while (paintMs < 0) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == CreateNotify && ev.xcreatewindow.parent == root && !ev.xcreatewindow.override_redirect) {
                // Watched from its creation, so no drawing after the map can slip past.
                Watched w;
                w.damage = XDamageCreate(dpy, ev.xcreatewindow.window, XDamageReportBoundingBox);
                w.width = ev.xcreatewindow.width;
                w.height = ev.xcreatewindow.height;
                windows[ev.xcreatewindow.window] = w;
            } else if (ev.type == ConfigureNotify) {
                auto it = windows.find(ev.xconfigure.window);
                if (it != windows.end()) {
                    it->second.width = ev.xconfigure.width;
                    it->second.height = ev.xconfigure.height;
                }
            } else if (ev.type == MapNotify) {
                auto it = windows.find(ev.xmap.window);
                if (it != windows.end() && windowPid(dpy, ev.xmap.window) == child) {
                    it->second.mapped = true;
                    if (mapMs < 0)
                        mapMs = nowMs() - start;
                }
            } else if (ev.type == damageEvent + XDamageNotify) {
                const auto &d = reinterpret_cast<const XDamageNotifyEvent &>(ev);
                auto it = windows.find(d.drawable);
                if (it == windows.end() || !it->second.mapped)
                    continue;
                if (d.area.x <= 0 && d.area.y <= 0 && d.area.x + d.area.width >= it->second.width
                    && d.area.y + d.area.height >= it->second.height) {
                    paintMs = nowMs() - start;
                    rssPaint = rssKb(child);
                    break;
                }
            }
        }
        if (paintMs >= 0)
            break;
        int status;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "xwatch: %s ended before it showed a window\n", argv[2]);
            return 1;
        }
        if (nowMs() - start > 30000) {
            std::fprintf(stderr, "xwatch: no painted window after 30 s\n");
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            return 1;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval tv{0, 20000};
        select(fd + 1, &fds, nullptr, nullptr, &tv);
    }

    usleep(useconds_t(settleMs) * 1000);
    const long rssSettled = rssKb(child);
    std::printf("%.2f %.2f %ld %ld\n", mapMs, paintMs, rssPaint, rssSettled);
    std::fflush(stdout);

    kill(child, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return 0;
        usleep(20000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return 0;
}
