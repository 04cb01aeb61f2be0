// The window's pixels on a desktop. On a local X server they are an image of our
// own in memory shared with the server, sent without waiting. SDL's window surface
// is the same kind of image, but SDL_UpdateWindowSurfaceRects ends with XSync: the
// program waits while the server copies the frame, about 1 ms for a 1920x1080 fade
// step and up to 15, and that wait made the steps' timing uneven. Here a put is
// only flushed, and the server's report that it has copied is awaited when the
// pixels are next asked for, at the reader's pace long after it came. (A round trip
// there instead, XSync, cost more than it saved.) Elsewhere, or when the image
// cannot be had, SDL's window surface.
#include "platform/posix/video/linux/display.h"
#include "platform/posix/video/video.h"
#include "platform/posix/video/video_state.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace posix::video {

namespace {

struct Image {
    SDL_Window* window = nullptr;  // the window last asked for
    bool unavailable = false;      // for that window: SDL's surface is drawn instead
    Display* display = nullptr;    // a connection of its own: the copy reports come to it alone
    Window target = 0;
    GC gc = nullptr;
    int completionType = 0;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    SDL_Surface* surface = nullptr;  // the shared pixels as SDL sees them (XRGB8888)
    int copying = 0;                 // puts sent whose copy is not yet reported
};

Image& TheImage() {
    static auto* image = new Image;  // never destroyed: the video's exit handler lets it go
    return *image;
}

// X reports a failed request to one handler for the whole process; while the
// image is being made, a failure means only that it cannot be had.
bool requestFailed = false;
int NoteFailure(Display*, XErrorEvent*) {
    requestFailed = true;
    return 0;
}

// 32-bit pixels, red in bits 16-23: SDL's XRGB8888. Xvfb's default visual is
// DirectColor with identity ramps, which SDL's own surface writes alike.
bool IsXrgb(const XWindowAttributes& attributes) {
    const Visual* visual = attributes.visual;
    return visual != nullptr && (visual->c_class == TrueColor || visual->c_class == DirectColor) &&
           visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
           visual->blue_mask == 0xFF && (attributes.depth == 24 || attributes.depth == 32);
}

// Until the server has reported every copy sent. A put that failed reports
// nothing, so the wait gives up after a second rather than hold the reader still.
void WaitForCopies(Image& image) {
    const Uint64 deadline = SDL_GetTicks64() + 1000;
    while (image.copying > 0) {
        if (XPending(image.display) == 0) {
            const Uint64 now = SDL_GetTicks64();
            pollfd connection{ConnectionNumber(image.display), POLLIN, 0};
            if (now >= deadline || poll(&connection, 1, static_cast<int>(deadline - now)) <= 0)
                image.copying = 0;
            continue;
        }
        XEvent event;
        XNextEvent(image.display, &event);
        if (event.type == image.completionType) --image.copying;
    }
}

void FreeImage(Image& image) {
    if (image.image == nullptr) return;
    WaitForCopies(image);
    SDL_FreeSurface(image.surface);
    image.surface = nullptr;
    if (image.segment.shmaddr != nullptr) {
        XShmDetach(image.display, &image.segment);
        XSync(image.display, False);  // the server has let the memory go
        shmdt(image.segment.shmaddr);
    }
    image.image->data = nullptr;  // shared memory, not Xlib's to free
    XDestroyImage(image.image);
    image.image = nullptr;
    image.segment = XShmSegmentInfo{};
}

void Disconnect(Image& image) {
    FreeImage(image);
    if (image.display == nullptr) return;
    if (image.gc != nullptr) XFreeGC(image.display, image.gc);
    XCloseDisplay(image.display);
    image.display = nullptr;
    image.gc = nullptr;
}

// A connection to the server of SDL's window, its GC and the window's visual;
// false on another driver, a server elsewhere, or a visual this cannot write.
bool Connect(Image& image, SDL_Window* window, XWindowAttributes* attributes) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display* sdlDisplay = info.info.x11.display;
    if (!IsLocalX11Server(DisplayString(sdlDisplay))) return false;
    XSync(sdlDisplay, False);  // the window exists at the server before we name it
    image.target = info.info.x11.window;
    image.display = XOpenDisplay(DisplayString(sdlDisplay));
    if (image.display == nullptr || !XShmQueryExtension(image.display)) return false;
    image.completionType = XShmGetEventBase(image.display) + ShmCompletion;
    if (!XGetWindowAttributes(image.display, image.target, attributes) || !IsXrgb(*attributes))
        return false;
    image.gc = XCreateGC(image.display, image.target, 0, nullptr);
    return image.gc != nullptr;
}

// The image in a new segment that the server attaches; the segment is marked for
// removal at once, so it goes when both sides let it go, even after a crash.
bool MakeImage(Image& image, const XWindowAttributes& attributes, int width, int height) {
    image.image = XShmCreateImage(image.display, attributes.visual, attributes.depth, ZPixmap,
                                  nullptr, &image.segment, width, height);
    if (image.image == nullptr || image.image->bits_per_pixel != 32 ||
        image.image->byte_order != (SDL_BYTEORDER == SDL_LIL_ENDIAN ? LSBFirst : MSBFirst))
        return false;
    const size_t bytes = static_cast<size_t>(image.image->bytes_per_line) * height;
    image.segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (image.segment.shmid < 0) return false;
    void* memory = shmat(image.segment.shmid, nullptr, 0);
    shmctl(image.segment.shmid, IPC_RMID, nullptr);
    if (memory == reinterpret_cast<void*>(-1)) return false;
    image.segment.shmaddr = image.image->data = static_cast<char*>(memory);
    image.segment.readOnly = False;
    const bool attached = XShmAttach(image.display, &image.segment);
    XSync(image.display, False);
    if (!attached || requestFailed) {  // a server in another IPC namespace, say
        shmdt(memory);
        image.segment.shmaddr = nullptr;
        return false;
    }
    image.surface = SDL_CreateRGBSurfaceWithFormatFrom(
        memory, width, height, 32, image.image->bytes_per_line, SDL_PIXELFORMAT_RGB888);
    return image.surface != nullptr;
}

bool Make(Image& image, SDL_Window* window, int width, int height) {
    XErrorHandler previous = XSetErrorHandler(NoteFailure);
    requestFailed = false;
    XWindowAttributes attributes;
    const bool connected = image.display != nullptr
                               ? XGetWindowAttributes(image.display, image.target, &attributes) != 0
                               : Connect(image, window, &attributes);
    const bool made = connected && !requestFailed && MakeImage(image, attributes, width, height);
    XSetErrorHandler(previous);
    return made;
}

// The image at the window's size now; false when it cannot be had: a server on
// another machine or without MIT-SHM, a window whose visual is not XRGB.
bool SizeImage(Image& image, SDL_Window* window) {
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (image.surface != nullptr && (image.surface->w != width || image.surface->h != height))
        FreeImage(image);
    if (image.surface != nullptr || Make(image, window, width, height)) return true;
    Disconnect(image);
    image.unavailable = true;
    return false;
}

}  // namespace

SDL_Surface* WindowSurface(SDL_Window* window) {
    Image& image = TheImage();
    if (window != image.window) {
        Disconnect(image);
        image = Image{};
        image.window = window;
    }
    if (window == nullptr) return nullptr;
    if (image.unavailable || !SizeImage(image, window)) return SDL_GetWindowSurface(window);
    WaitForCopies(image);
    return image.surface;
}

void ShowWindowRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    Image& image = TheImage();
    if (window != image.window || image.surface == nullptr) {
        SDL_UpdateWindowSurfaceRects(window, rects, count);
        return;
    }
    const SDL_Rect whole{0, 0, image.surface->w, image.surface->h};
    for (int i = 0; i < count; ++i) {
        SDL_Rect rect;
        if (!SDL_IntersectRect(&rects[i], &whole, &rect)) continue;
        XShmPutImage(image.display, image.target, image.gc, image.image, rect.x, rect.y, rect.x,
                     rect.y, rect.w, rect.h, True);
        ++image.copying;
    }
    XFlush(image.display);
}

// Waits for the copies and lets the image go.
void LetWindowGo() {
    Disconnect(TheImage());
    TheImage() = Image{};
}

}  // namespace posix::video
