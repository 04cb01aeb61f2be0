#include "platform/posix/video/presenting.h"

#include <dirent.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <X11/Xlib.h>

namespace posix::video {

namespace {

bool IsSet(const char* hint) { return hint != nullptr && *hint != '\0'; }

// SDL reads a boolean hint as false when it is "0" or "false", whatever the case.
bool IsFalse(const char* hint) { return std::strcmp(hint, "0") == 0 || strcasecmp(hint, "false") == 0; }
bool IsTrue(const char* hint) { return std::strcmp(hint, "1") == 0 || strcasecmp(hint, "true") == 0; }
bool IsSoftware(const char* hint) { return strcasecmp(hint, "software") == 0; }

PresentingChoice Renderer(std::string driver) {
    return PresentingChoice{Presenter::Renderer, std::move(driver)};
}

// A local X server hands a client the GPU through DRI3 or DRI2 (Mesa's drivers) or
// NV-GLX (NVIDIA's own). Xvfb, Xvnc and a display forwarded over the network offer
// none of them: GL there is Mesa's llvmpipe, the processor drawing triangles, at
// 57 to 250 ms and about 110 MB to start. Asking the server costs one short
// connection and loads no GL driver.
bool X11ServerRendersDirectly() {
    const char* name = std::getenv("DISPLAY");
    const bool local = name != nullptr && (name[0] == ':' || std::strncmp(name, "unix:", 5) == 0);
    if (!local) return false;
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

PresentingChoice ChoosePresenting(const char* renderDriver, const char* framebufferAcceleration,
                                  bool displayHasGpu) {
    if (IsSet(renderDriver)) {
        if (IsSoftware(renderDriver)) return PresentingChoice{};
        return Renderer(renderDriver);
    }
    if (IsSet(framebufferAcceleration)) {
        if (IsFalse(framebufferAcceleration) || IsSoftware(framebufferAcceleration))
            return PresentingChoice{};
        return Renderer(IsTrue(framebufferAcceleration) ? "" : framebufferAcceleration);
    }
    return displayHasGpu ? Renderer("") : PresentingChoice{};
}

bool DisplayHasGpu(const char* videoDriver) {
    if (videoDriver == nullptr) return false;
    if (std::strcmp(videoDriver, "x11") == 0) return X11ServerRendersDirectly();
    if (std::strcmp(videoDriver, "wayland") == 0) return HasRenderNode();
    return std::strcmp(videoDriver, "kmsdrm") == 0;  // the console's display is the GPU itself
}

}  // namespace posix::video
