// Start-up time as a user meets it: from starting a program to its first
// top-level window mapped on the X display, the median of several runs.
// Usage: map_time RUNS PROGRAM [ARGS...]   (DISPLAY must be set)
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Milliseconds from the fork to the first MapNotify of a managed window, or
// a negative value when none came within ten seconds.
double timeToMap(Display *display, char **argv)
{
    using Clock = std::chrono::steady_clock;
    XSync(display, True); // drop events of earlier runs
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv);
        _exit(127);
    }
    double elapsed = -1;
    while (Clock::now() - start < std::chrono::seconds(10)) {
        if (!XPending(display)) {
            usleep(200);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_time RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map_time: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    std::vector<double> times;
    for (int i = 0; i < std::atoi(argv[1]); ++i) {
        const double t = timeToMap(display, argv + 2);
        if (t < 0) {
            std::fprintf(stderr, "map_time: %s mapped no window\n", argv[2]);
            return 1;
        }
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    std::printf("%.1f %.1f %.1f\n", times[times.size() / 2], times.front(), times.back());
    return 0;
}
