#include "platform/posix/video/x11_canvas.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <deque>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace posix::video {

namespace {

// A frame is sent in bands of rows, each reported when copied: the next present
// waits only for the bands of the rows it writes, which the server copies first
// when they are the top ones (the text), not for a whole 25 MB frame.
const int kBandRows = 128;

struct Band {
    int top = 0;
    int bottom = 0;
};

struct Canvas {
    SDL_Window* window = nullptr;  // the window asked for; null before the first ask
    bool unavailable = false;      // for that window: SDL's surface is drawn instead
    Display* display = nullptr;    // a connection of its own: the completions come to it alone
    Window target = 0;
    GC gc = nullptr;
    int completionType = 0;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    SDL_Surface* surface = nullptr;  // the image's pixels as SDL sees them
    std::deque<Band> copying;        // sent, oldest first, whose copy is not yet reported
};

Canvas& State() {
    static auto* canvas = new Canvas;  // never destroyed: the exit handlers let it go
    return *canvas;
}

// X reports a failed request to one handler for the whole process; while the
// canvas is being made, a failure means only that it cannot be had.
bool requestFailed = false;
int NoteFailure(Display*, XErrorEvent*) {
    requestFailed = true;
    return 0;
}

// Shared memory is shared only with a server on this machine.
bool IsLocal(const char* name) {
    return name != nullptr && (name[0] == ':' || std::strncmp(name, "unix:", 5) == 0);
}

// 32-bit pixels, red in bits 16-23: SDL's XRGB8888. Xvfb's default visual is
// DirectColor with identity ramps, which SDL's own window surface writes alike.
bool IsXrgb(const XWindowAttributes& attributes) {
    const Visual* visual = attributes.visual;
    return visual != nullptr && (visual->c_class == TrueColor || visual->c_class == DirectColor) &&
           visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
           visual->blue_mask == 0xFF && (attributes.depth == 24 || attributes.depth == 32);
}

bool IsCopying(const Canvas& canvas, int top, int bottom) {
    for (const Band& band : canvas.copying)
        if (band.top < bottom && top < band.bottom) return true;
    return false;
}

// Until the server has reported the copies of rows [top, bottom). The reports come
// in the order the copies were sent. A copy that failed reports nothing (its error
// goes to the process's handler), so the wait gives up after a second rather than
// hold the reader still.
void WaitForCopies(Canvas& canvas, int top = 0, int bottom = INT_MAX) {
    const Uint64 deadline = SDL_GetTicks64() + 1000;
    while (IsCopying(canvas, top, bottom)) {
        if (XPending(canvas.display) == 0) {
            const Uint64 now = SDL_GetTicks64();
            pollfd connection{ConnectionNumber(canvas.display), POLLIN, 0};
            if (now >= deadline || poll(&connection, 1, static_cast<int>(deadline - now)) <= 0) {
                canvas.copying.clear();
                return;
            }
            continue;
        }
        XEvent event;
        XNextEvent(canvas.display, &event);
        if (event.type == canvas.completionType) canvas.copying.pop_front();
    }
}

void FreeImage(Canvas& canvas) {
    if (canvas.image == nullptr) return;
    WaitForCopies(canvas);
    SDL_FreeSurface(canvas.surface);
    canvas.surface = nullptr;
    if (canvas.segment.shmaddr != nullptr) {
        XShmDetach(canvas.display, &canvas.segment);
        XSync(canvas.display, False);  // the server has let the memory go
        shmdt(canvas.segment.shmaddr);
    }
    canvas.image->data = nullptr;  // shared memory, not Xlib's to free
    XDestroyImage(canvas.image);
    canvas.image = nullptr;
    canvas.segment = XShmSegmentInfo{};
}

void Disconnect(Canvas& canvas) {
    FreeImage(canvas);
    if (canvas.display == nullptr) return;
    if (canvas.gc != nullptr) XFreeGC(canvas.display, canvas.gc);
    XCloseDisplay(canvas.display);
    canvas.display = nullptr;
    canvas.gc = nullptr;
}

// SDL's connection to the window's server and the window there; false on another
// driver or a server elsewhere. The window exists at the server once this returns,
// before another client names it.
bool FindWindow(SDL_Window* window, Display** sdlDisplay, Window* target) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    if (!IsLocal(DisplayString(info.info.x11.display))) return false;
    XSync(info.info.x11.display, False);
    *sdlDisplay = info.info.x11.display;
    *target = info.info.x11.window;
    return true;
}

// Opens the connection and learns the window's visual; false when the server or the
// window does not allow the canvas.
bool Connect(Canvas& canvas, const char* displayName, XWindowAttributes* attributes) {
    canvas.display = XOpenDisplay(displayName);
    if (canvas.display == nullptr || !XShmQueryExtension(canvas.display)) return false;
    canvas.completionType = XShmGetEventBase(canvas.display) + ShmCompletion;
    if (!XGetWindowAttributes(canvas.display, canvas.target, attributes) || !IsXrgb(*attributes))
        return false;
    canvas.gc = XCreateGC(canvas.display, canvas.target, 0, nullptr);
    return canvas.gc != nullptr;
}

// The image in a new segment that the server attaches; the segment is marked for
// removal at once, so it goes when both sides let it go, even after a crash.
bool MakeImage(Canvas& canvas, const XWindowAttributes& attributes, int width, int height) {
    canvas.image = XShmCreateImage(canvas.display, attributes.visual, attributes.depth, ZPixmap,
                                   nullptr, &canvas.segment, width, height);
    if (canvas.image == nullptr || canvas.image->bits_per_pixel != 32 ||
        canvas.image->byte_order != (SDL_BYTEORDER == SDL_LIL_ENDIAN ? LSBFirst : MSBFirst))
        return false;
    const size_t bytes = static_cast<size_t>(canvas.image->bytes_per_line) * height;
    canvas.segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (canvas.segment.shmid < 0) return false;
    void* memory = shmat(canvas.segment.shmid, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(canvas.segment.shmid, IPC_RMID, nullptr);
        return false;
    }
    canvas.segment.shmaddr = canvas.image->data = static_cast<char*>(memory);
    canvas.segment.readOnly = False;
    requestFailed = false;
    const bool attached = XShmAttach(canvas.display, &canvas.segment);
    XSync(canvas.display, False);
    shmctl(canvas.segment.shmid, IPC_RMID, nullptr);
    if (!attached || requestFailed) {  // a server in another IPC namespace, say
        shmdt(memory);
        canvas.segment.shmaddr = nullptr;
        return false;
    }
    canvas.surface = SDL_CreateRGBSurfaceWithFormatFrom(memory, width, height, 32,
                                                        canvas.image->bytes_per_line,
                                                        SDL_PIXELFORMAT_RGB888);
    return canvas.surface != nullptr;
}

bool Make(Canvas& canvas, SDL_Window* window, int width, int height) {
    Display* sdlDisplay = nullptr;
    if (canvas.display == nullptr && !FindWindow(window, &sdlDisplay, &canvas.target))
        return false;
    XErrorHandler previous = XSetErrorHandler(NoteFailure);
    requestFailed = false;
    XWindowAttributes attributes;
    const bool connected =
        canvas.display != nullptr
            ? XGetWindowAttributes(canvas.display, canvas.target, &attributes) != 0
            : Connect(canvas, DisplayString(sdlDisplay), &attributes);
    const bool made = connected && !requestFailed && MakeImage(canvas, attributes, width, height);
    XSetErrorHandler(previous);
    return made;
}

}  // namespace

SDL_Surface* X11Canvas(SDL_Window* window) {
    Canvas& canvas = State();
    if (window != canvas.window) {
        ReleaseX11Canvas();
        canvas.window = window;
    }
    if (window == nullptr || canvas.unavailable) return nullptr;
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (width <= 0 || height <= 0) return nullptr;
    if (canvas.surface != nullptr && (canvas.surface->w != width || canvas.surface->h != height))
        FreeImage(canvas);
    if (canvas.surface == nullptr && !Make(canvas, window, width, height)) {
        Disconnect(canvas);
        canvas.unavailable = true;
        return nullptr;
    }
    return canvas.surface;
}

bool ShowX11CanvasRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    Canvas& canvas = State();
    if (window != canvas.window || canvas.surface == nullptr) return false;
    const SDL_Rect whole{0, 0, canvas.surface->w, canvas.surface->h};
    for (int i = 0; i < count; ++i) {
        SDL_Rect rect;
        if (!SDL_IntersectRect(&rects[i], &whole, &rect)) continue;
        for (int top = rect.y; top < rect.y + rect.h; top += kBandRows) {
            const int rows = std::min(kBandRows, rect.y + rect.h - top);
            XShmPutImage(canvas.display, canvas.target, canvas.gc, canvas.image, rect.x, top,
                         rect.x, top, rect.w, rows, True);
            canvas.copying.push_back(Band{top, top + rows});
        }
    }
    return true;
}

void AwaitX11CanvasRows(SDL_Window* window, int top, int bottom) {
    Canvas& canvas = State();
    if (window == canvas.window && canvas.surface != nullptr) WaitForCopies(canvas, top, bottom);
}

void SendX11Canvas() {
    if (State().display != nullptr) XFlush(State().display);
}

void ReleaseX11Canvas() {
    Canvas& canvas = State();
    Disconnect(canvas);
    canvas = Canvas{};
}

}  // namespace posix::video
