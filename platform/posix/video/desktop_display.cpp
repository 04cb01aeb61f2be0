// The window on a desktop: X11 or Wayland, whose connection a rest polls.
#include "platform/posix/video/video_state.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>
#include <string>

namespace posix::video {

namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

// Without an explicit SDL_VIDEODRIVER only a real display will do: SDL would
// otherwise fall back to drivers that show nothing to anyone.
bool ChooseDisplayDriver() {
    if (IsSet("SDL_VIDEODRIVER")) return true;
    std::string drivers;
    if (IsSet("DISPLAY")) drivers = "x11";
    if (IsSet("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
    if (drivers.empty()) return false;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    return true;
}

Uint32 HostWindowFlags() { return 0; }

void ShowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    SDL_UpdateWindowSurfaceRects(window, rects, count);
}

// The X connection's descriptor is readable when the server sends anything.
int WatchDisplay(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info)) return -1;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) return ConnectionNumber(info.info.x11.display);
#endif
    return -1;
}

}  // namespace posix::video
