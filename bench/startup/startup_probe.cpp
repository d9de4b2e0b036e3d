// Times how long a program takes from its start to its main window on the
// display: starts COMMAND, waits for a top-level X window titled TITLE to be
// mapped, ends the program and does it again.
//
//   startup_probe --figure NAME --title TITLE --runs N [--warmup N] [--before SHELL]
//                 [--out FILE] -- COMMAND [ARGS...]
//
// Each run starts the clock just before the program is started and stops it
// when the X server reports the window mapped with that title (whichever of
// the two comes last), so a Windows program run with `wine` is timed with
// Wine's own start included. --before runs a shell command ahead of every run
// (outside the timing), e.g. to stop the Wine server for a cold start;
// --warmup makes that many runs first and keeps none of them. A run whose
// window does not come within the limit is made once more before giving up. The
// program is ended with SIGKILL once its window is seen. Writes
// {"NAME": {"median_s": ..., "p95_s": ...}} to --out and one line per run to
// standard output.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr double kGiveUpSeconds = 30.0;

struct Options {
    std::string figure;
    std::string title;
    int runs = 10;
    int warmup = 0;
    std::string before;
    std::string out;
    std::vector<char*> command;  // null-terminated
};

double now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

[[noreturn]] void usage(const char* why) {
    std::fprintf(stderr,
                 "startup_probe: %s\nusage: startup_probe --figure NAME --title TITLE --runs N "
                 "[--warmup N] [--before SHELL] [--out FILE] -- COMMAND [ARGS...]\n",
                 why);
    std::exit(2);
}

Options parse(int argc, char** argv) {
    Options o;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc) usage(("no value for " + arg).c_str());
        const char* value = argv[++i];
        if (arg == "--figure") o.figure = value;
        else if (arg == "--title") o.title = value;
        else if (arg == "--runs") o.runs = std::atoi(value);
        else if (arg == "--warmup") o.warmup = std::atoi(value);
        else if (arg == "--before") o.before = value;
        else if (arg == "--out") o.out = value;
        else usage(("unknown option " + arg).c_str());
    }
    for (; i < argc; ++i) o.command.push_back(argv[i]);
    o.command.push_back(nullptr);
    if (o.figure.empty() || o.title.empty() || o.runs < 1 || o.command.size() < 2)
        usage("figure, title, runs and command are needed");
    return o;
}

// The window's title: _NET_WM_NAME (UTF-8) when set, WM_NAME otherwise.
std::string titleOf(Display* display, Window window) {
    static const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &items,
                           &left, &data) == Success &&
        data && type == utf8) {
        title.assign(reinterpret_cast<const char*>(data), items);
    }
    if (data) XFree(data);
    if (!title.empty()) return title;
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

// Errors about windows that went away between an event and a query are
// expected: the program's short-lived windows come and go.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// Waits for a mapped top-level window titled `title`; returns the time it
// was seen, or a negative value when none came in time.
double waitForWindow(Display* display, const std::string& title, double started) {
    std::set<Window> mapped;
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            Window window = None;
            switch (event.type) {
            case CreateNotify:
                // The title may be set after mapping: watch the window's properties.
                XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
                break;
            case MapNotify:
                window = event.xmap.window;
                mapped.insert(window);
                break;
            case UnmapNotify:
                mapped.erase(event.xunmap.window);
                break;
            case DestroyNotify:
                mapped.erase(event.xdestroywindow.window);
                break;
            case PropertyNotify:
                if (mapped.count(event.xproperty.window)) window = event.xproperty.window;
                break;
            default:
                break;
            }
            if (window != None && titleOf(display, window) == title) return now();
        }
        if (now() - started > kGiveUpSeconds) return -1;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{0, 100000};
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }
}

pid_t start(const Options& o) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execvp(o.command[0], o.command.data());
        _exit(127);
    }
    return pid;
}

// One start of the program, timed; negative when its window did not come.
double timeOneStart(Display* display, const Options& o) {
    if (!o.before.empty() && std::system(o.before.c_str()) != 0)
        std::fprintf(stderr, "startup_probe: \"%s\" failed\n", o.before.c_str());
    XSync(display, True);  // forget what happened before this run
    const double started = now();
    const pid_t pid = start(o);
    if (pid < 0) return -1;
    const double seen = waitForWindow(display, o.title, started);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    // Let the ended program's windows go before the next run.
    usleep(300000);
    return seen < 0 ? -1 : seen - started;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const double k = (static_cast<double>(values.size()) - 1) * p;
    const auto lo = static_cast<std::size_t>(k);
    const std::size_t hi = std::min(lo + 1, values.size() - 1);
    return values[lo] + (values[hi] - values[lo]) * (k - static_cast<double>(lo));
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (!display) usage("cannot open the X display (DISPLAY unset?)");
    XSetErrorHandler(ignoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);

    std::vector<double> times;
    for (int run = 0; run < o.warmup + o.runs; ++run) {
        // A start that shows no window in time is tried once more: on a busy
        // machine Wine's first start in a prefix can stall past the limit.
        double seconds = timeOneStart(display, o);
        if (seconds < 0) {
            std::fprintf(stderr, "startup_probe: %s: no window \"%s\" within %.0f s; trying again\n",
                         o.figure.c_str(), o.title.c_str(), kGiveUpSeconds);
            seconds = timeOneStart(display, o);
        }
        if (seconds < 0) {
            std::fprintf(stderr, "startup_probe: %s: no window \"%s\" within %.0f s, twice\n",
                         o.figure.c_str(), o.title.c_str(), kGiveUpSeconds);
            return 1;
        }
        if (run < o.warmup) continue;
        times.push_back(seconds);
        std::printf("%s run %d: %.1f ms\n", o.figure.c_str(), run - o.warmup + 1, seconds * 1e3);
        std::fflush(stdout);
    }

    const double median = percentile(times, 0.5);
    const double p95 = percentile(times, 0.95);
    std::printf("%s: median %.1f ms, p95 %.1f ms over %d runs\n", o.figure.c_str(), median * 1e3,
                p95 * 1e3, o.runs);
    if (!o.out.empty()) {
        std::ofstream out(o.out);
        out << "{\"" << o.figure << "\": {\"median_s\": " << median << ", \"p95_s\": " << p95
            << "}}\n";
        if (!out) {
            std::fprintf(stderr, "startup_probe: cannot write %s\n", o.out.c_str());
            return 1;
        }
    }
    XCloseDisplay(display);
    return 0;
}
