// The window in a web page: the page's canvas, sized by the page to fill the
// browser's window. Input reaches SDL through
// the browser's event handlers, which run only while the program rests; each
// event SDL queues ends the rest at once.
#include "platform/posix/video/video.h"
#include "platform/posix/video/video_state.h"

#include <SDL.h>

extern "C" {  // platform/web/library.js
void reader_wake_rest();
void reader_show_rect(const void* pixels, int width, int height, int x, int y, int w, int h);
}

namespace posix::video {

namespace {

int WakeRest(void*, SDL_Event*) {
    reader_wake_rest();
    return 1;
}

}  // namespace

bool ChooseDisplayDriver() {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "emscripten");
    return true;
}

// Resizable: SDL then follows the canvas's size in the page, and the screen fits
// the picture to it as it does to a resized window. Not high-DPI: SDL's canvas
// framebuffer is as large as the window in CSS pixels.
Uint32 HostWindowFlags() { return SDL_WINDOW_RESIZABLE; }

// Only the rectangles go to the canvas, straight from the window's surface:
// SDL's own update converts and sends the whole canvas for every frame, which at
// 1920x1080 costs more than the frame. The surface holds the canvas's bytes (red,
// green, blue, then a byte the canvas takes for alpha): the picture is written
// opaque there, and the black bars around it, left at 0, show the page's black.
SDL_Surface* WindowSurface(SDL_Window* window) { return SDL_GetWindowSurface(window); }

void ShowWindowRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) return;
    if (surface->format->format != SDL_PIXELFORMAT_BGR888 || surface->pitch != surface->w * 4) {
        SDL_UpdateWindowSurfaceRects(window, rects, count);
        return;
    }
    const SDL_Rect whole{0, 0, surface->w, surface->h};
    for (int i = 0; i < count; ++i) {
        SDL_Rect rect;
        if (SDL_IntersectRect(&rects[i], &whole, &rect))
            reader_show_rect(surface->pixels, surface->w, surface->h, rect.x, rect.y, rect.w,
                             rect.h);
    }
}

// The page's canvas is drawn by the processor through the window's surface (see
// the README's figures); SDL_RENDER_DRIVER in the page's environment chooses a
// renderer (WebGL) instead.
bool DisplayHasGpu(const char*) { return false; }

void LetWindowGo() {}

int WatchDisplay(SDL_Window*) {
    SDL_DelEventWatch(WakeRest, nullptr);
    SDL_AddEventWatch(WakeRest, nullptr);
    return -1;
}

}  // namespace posix::video
