// Watches a rectangle of the X screen and prints, each time the number of its
// pure white pixels changes, the CLOCK_MONOTONIC time in seconds and the new count.
// A screenshot tool takes a tenth of a second or more a frame; this polls every
// few milliseconds, so a character's appearance can be timed against a sound.
// Usage: ink_watch <x> <y> <width> <height> <seconds>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double Now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

long CountWhite(Display* display, Window root, int x, int y, unsigned width, unsigned height) {
    XImage* image = XGetImage(display, root, x, y, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) return -1;
    long white = 0;
    for (unsigned row = 0; row < height; ++row)
        for (unsigned column = 0; column < width; ++column)
            if ((XGetPixel(image, int(column), int(row)) & 0xFFFFFF) == 0xFFFFFF) ++white;
    XDestroyImage(image);
    return white;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s <x> <y> <width> <height> <seconds>\n", argv[0]);
        return 2;
    }
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const unsigned width = unsigned(std::atoi(argv[3])), height = unsigned(std::atoi(argv[4]));
    const double until = Now() + std::atof(argv[5]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    long last = -2;
    const timespec pause = {0, 4 * 1000 * 1000};
    while (Now() < until) {
        const double seen = Now();
        const long white = CountWhite(display, root, x, y, width, height);
        if (white != last) {
            std::printf("%.4f %ld\n", seen, white);
            std::fflush(stdout);
            last = white;
        }
        nanosleep(&pause, nullptr);
    }
    XCloseDisplay(display);
    return 0;
}
