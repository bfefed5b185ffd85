// Starts a program and measures how long it takes until one screen pixel turns a given colour
// (its first paint of that colour), then how much memory it holds once it has settled.
//   startup_probe X Y RRGGBB SETTLE_MS TIMEOUT_MS PROGRAM [ARGS...]
// Prints "<milliseconds> <VmRSS kB>"; exits 1 on a time-out, 2 on bad arguments.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 7) {
        std::fprintf(stderr, "usage: %s X Y RRGGBB SETTLE_MS TIMEOUT_MS PROGRAM [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const unsigned long want = std::strtoul(argv[3], nullptr, 16);
    const int settleMs = std::atoi(argv[4]);
    const int timeoutMs = std::atoi(argv[5]);

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[6], argv + 6);
        _exit(127);
    }
    using std::chrono::milliseconds;
    for (;;) {
        const auto elapsed =
            std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
        if (elapsed.count() > timeoutMs) {
            std::fprintf(stderr, "time-out: pixel (%d,%d) never became %06lx\n", x, y, want);
            Stop(pid);
            return 1;
        }
        XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long pixel = image != nullptr ? XGetPixel(image, 0, 0) & 0xFFFFFF : 0;
        if (image != nullptr) {
            XDestroyImage(image);
        }
        if (pixel == want) {
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            std::this_thread::sleep_for(milliseconds(settleMs));
            std::printf("%.1f %ld\n", ms, ResidentKb(pid));
            Stop(pid);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
}
