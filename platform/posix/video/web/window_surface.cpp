// The canvas's pixels: SDL's window surface, of which only the changed
// rectangles are sent to the canvas.
#include "platform/posix/video/video.h"
#include "platform/posix/video/video_state.h"

#include <SDL.h>

extern "C" {  // platform/web/library.js
void reader_show_rect(const void* pixels, int width, int height, int x, int y, int w, int h);
}

namespace posix::video {

SDL_Surface* WindowSurface(SDL_Window* window) { return SDL_GetWindowSurface(window); }

// Only the rectangles go to the canvas, straight from the window's surface:
// SDL's own update converts and sends the whole canvas for every frame, which at
// 1920x1080 costs more than the frame. The surface holds the canvas's bytes (red,
// green, blue, then a byte the canvas takes for alpha): the picture is written
// opaque there, and the black bars around it, left at 0, show the page's black.
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

void LetWindowGo() {}

}  // namespace posix::video
