// Start-up time as a user sees it: from exec to the first map of a window
// with a given title on the X server in $DISPLAY, for two programs run in
// turn, each run a fresh process ended (SIGKILL) once its window is mapped.
//   startup_bench <runs> <title A> <program A> <title B> <program B>
// Prints every run, the medians and the median ratio A / B, of the time to the
// map and of the processor time the process had used when it was ended (on a
// busy machine the second tells more than the first). Run it without a
// window manager (scripts: bench/startup_bench.sh), so top-level windows are
// children of the root window.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Target {
    std::string title;
    std::string program;
    std::vector<double> ms;
    std::vector<double> cpuMs;
};

std::string windowTitle(Display* d, Window w) {
    static const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

struct Run {
    double ms = -1;  // from exec to the map; negative when the program ended or nothing came within 60 s
    double cpuMs = 0;
};

Run runOnce(Display* d, const Target& t) {
    const Window root = DefaultRootWindow(d);
    XSync(d, True);  // events of earlier runs are dropped
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(t.program.c_str(), t.program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Run result;
    const Clock::time_point deadline = start + std::chrono::seconds(60);
    while (result.ms < 0 && Clock::now() < deadline) {
        if (!XPending(d)) {
            pollfd p{ConnectionNumber(d), POLLIN, 0};
            poll(&p, 1, 100);
            if (waitpid(pid, nullptr, WNOHANG) == pid) return {};
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify && e.xmap.event == root) {
            const Clock::time_point mapped = Clock::now();
            if (windowTitle(d, e.xmap.window) == t.title) {
                result.ms = std::chrono::duration<double, std::milli>(mapped - start).count();
            }
        }
    }
    kill(pid, SIGKILL);
    rusage usage{};
    wait4(pid, nullptr, 0, &usage);
    const auto msOf = [](const timeval& tv) { return double(tv.tv_sec) * 1000 + double(tv.tv_usec) / 1000; };
    result.cpuMs = msOf(usage.ru_utime) + msOf(usage.ru_stime);
    return result;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s <runs> <title A> <program A> <title B> <program B>\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "No X server in DISPLAY.\n");
        return 2;
    }
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    Target targets[2] = {{argv[2], argv[3], {}, {}}, {argv[4], argv[5], {}, {}}};
    // One run of each first, not counted: the page cache and the font cache warm up.
    for (int i = -1; i < runs; ++i) {
        // Interleaved, alternating which goes first, so a drift in the machine's load touches both alike.
        for (int k = 0; k < 2; ++k) {
            Target& t = targets[(i + k + 2) % 2];
            const Run run = runOnce(d, t);
            if (run.ms < 0) {
                std::fprintf(stderr, "%s: no window \"%s\" was mapped.\n", t.program.c_str(), t.title.c_str());
                return 1;
            }
            if (i >= 0) {
                t.ms.push_back(run.ms);
                t.cpuMs.push_back(run.cpuMs);
            }
        }
    }
    for (const Target& t : targets) {
        std::printf("%s:\n  to the map:", t.program.c_str());
        for (double ms : t.ms) std::printf(" %.1f", ms);
        std::printf("\n  processor:");
        for (double ms : t.cpuMs) std::printf(" %.1f", ms);
        std::printf("\n  median %.1f ms to the map (min %.1f), %.1f ms of processor time\n", median(t.ms),
                    *std::min_element(t.ms.begin(), t.ms.end()), median(t.cpuMs));
    }
    std::printf("median ratio %.2f to the map, %.2f of processor time\n", median(targets[0].ms) / median(targets[1].ms),
                median(targets[0].cpuMs) / median(targets[1].cpuMs));
    XCloseDisplay(d);
    return 0;
}
