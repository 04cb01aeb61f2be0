// The window in a web page: the page's canvas, sized by the page to fill the
// browser's window. Its pixels: window_surface.cpp. Input reaches SDL through
// the browser's event handlers, which run only while the program rests; each
// event SDL queues ends the rest at once.
#include "platform/posix/video/video.h"
#include "platform/posix/video/video_state.h"

#include <SDL.h>

extern "C" {  // platform/web/library.js
void reader_wake_rest();
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

// The page's canvas is drawn by the processor through the window's surface (see
// the README's figures); SDL_RENDER_DRIVER in the page's environment chooses a
// renderer (WebGL) instead.
bool DisplayHasGpu(const char*) { return false; }

int WatchDisplay(SDL_Window*) {
    SDL_DelEventWatch(WakeRest, nullptr);
    SDL_AddEventWatch(WakeRest, nullptr);
    return -1;
}

}  // namespace posix::video
