// The window on a desktop, X11 or Wayland: which driver, whether it has a GPU, and
// the connection a rest polls. Its pixels: window_surface.cpp.
#include "platform/posix/video/linux/display.h"
#include "platform/posix/video/video.h"
#include "platform/posix/video/video_state.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <X11/Xlib.h>

namespace posix::video {

namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// A local X server hands a client the GPU through DRI3 or DRI2 (Mesa's drivers) or
// NV-GLX (NVIDIA's own). Xvfb, Xvnc and a display forwarded over the network offer
// none of them: GL there is Mesa's llvmpipe, the processor drawing triangles, at
// 57 to 250 ms and about 110 MB to start. Asking the server costs one short
// connection and loads no GL driver.
bool X11ServerRendersDirectly() {
    if (!IsLocalX11Server(std::getenv("DISPLAY"))) return false;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    int opcode = 0, event = 0, error = 0;
    bool direct = false;
    for (const char* extension : {"DRI3", "DRI2", "NV-GLX"})
        direct = direct || XQueryExtension(display, extension, &opcode, &event, &error);
    XCloseDisplay(display);
    return direct;
}

// A Wayland compositor shares the GPU through a DRM render node this user may open.
bool HasRenderNode() {
    DIR* folder = opendir("/dev/dri");
    if (folder == nullptr) return false;
    bool found = false;
    while (dirent* entry = readdir(folder)) {
        if (std::strncmp(entry->d_name, "renderD", 7) != 0) continue;
        const std::string path = std::string("/dev/dri/") + entry->d_name;
        if (access(path.c_str(), R_OK | W_OK) == 0) found = true;
    }
    closedir(folder);
    return found;
}

}  // namespace

bool IsLocalX11Server(const char* name) {
    return name != nullptr && (name[0] == ':' || std::strncmp(name, "unix:", 5) == 0);
}

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

bool DisplayHasGpu(const char* videoDriver) {
    if (videoDriver == nullptr) return false;
    if (std::strcmp(videoDriver, "x11") == 0) return X11ServerRendersDirectly();
    if (std::strcmp(videoDriver, "wayland") == 0) return HasRenderNode();
    return std::strcmp(videoDriver, "kmsdrm") == 0;  // the console's display is the GPU itself
}

}  // namespace posix::video
