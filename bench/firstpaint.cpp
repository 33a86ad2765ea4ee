// Time from starting a program to the first paint of its first window, seen from outside.
//
//   firstpaint [--timeout SECONDS] -- program [arguments...]
//
// Needs an X server whose root window is black (Xvfb -br) and no window manager. The program is
// started with posix_spawn; the clock starts just before. Qt creates its windows without a
// background, so a freshly mapped window still shows the black root beneath it until the program
// puts its first picture there. We learn of the mapping from the root's MapNotify, match the window
// to the child by _NET_WM_PID, then read a few rows of it from the server until one pixel is not
// black. The program is then ended with SIGTERM.
//
// Prints one line: "map <ms> paint <ms>". Works for any X program that paints something not black,
// so the program measured and its floor are measured the same way.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::optional<pid_t> windowPid(Display *display, Window window)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data)
            != Success
        || !data)
        return std::nullopt;
    std::optional<pid_t> pid;
    if (type == XA_CARDINAL && format == 32 && items == 1)
        pid = static_cast<pid_t>(*reinterpret_cast<unsigned long *>(data));
    XFree(data);
    return pid;
}

// A window that has vanished between its MapNotify and our request must not end the measurement.
int ignoreErrors(Display *, XErrorEvent *) { return 0; }

bool anythingPainted(Display *display, Window window)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    const int width = attributes.width;
    const int height = attributes.height;
    // Five rows spread over the window: a first paint fills the whole window at once, and a few
    // rows are cheap enough to ask for every fraction of a millisecond.
    for (int row = 1; row <= 5; ++row) {
        const int y = std::min(height - 1, height * row / 6);
        XImage *image = XGetImage(display, window, 0, y, static_cast<unsigned>(width), 1, AllPlanes, ZPixmap);
        if (!image)
            continue;
        bool painted = false;
        for (int x = 0; x < width && !painted; ++x)
            painted = (XGetPixel(image, x, 0) & 0xffffff) != 0;
        XDestroyImage(image);
        if (painted)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    double timeoutSeconds = 20;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--timeout") == 0 && first + 1 < argc)
            timeoutSeconds = std::atof(argv[++first]);
        else if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: firstpaint [--timeout SECONDS] -- program [arguments...]\n");
        return 2;
    }

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "firstpaint: no X display\n");
        return 2;
    }
    XSetErrorHandler(&ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[first], nullptr, nullptr, argv + first, environ) != 0) {
        std::perror("firstpaint: posix_spawn");
        return 2;
    }

    std::vector<Window> candidates;
    Window mapped = None;
    double mapMs = -1;
    double paintMs = -1;
    const int fd = ConnectionNumber(display);
    while (paintMs < 0 && millisecondsSince(start) < timeoutSeconds * 1000) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && mapped == None)
                candidates.push_back(event.xmap.window);
        }
        // The PID property is set before mapping, but read it only once the map was seen.
        for (Window window : candidates) {
            if (mapped == None && windowPid(display, window) == child) {
                mapped = window;
                mapMs = millisecondsSince(start);
            }
        }
        candidates.clear();
        if (mapped != None) {
            if (anythingPainted(display, mapped))
                paintMs = millisecondsSince(start);
            else
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        } else {
            pollfd wait{fd, POLLIN, 0};
            poll(&wait, 1, 5);
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "firstpaint: %s ended before it painted\n", argv[first]);
            XCloseDisplay(display);
            return 1;
        }
    }

    kill(child, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200 && waitpid(child, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    XCloseDisplay(display);
    if (paintMs < 0) {
        std::fprintf(stderr, "firstpaint: no painted window within %.0f s\n", timeoutSeconds);
        return 1;
    }
    std::printf("map %.1f paint %.1f\n", mapMs, paintMs);
    return 0;
}
