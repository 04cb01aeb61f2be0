#include "platform/posix/video/presenting.h"

#include <strings.h>

#include <cstring>
#include <string>

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

}  // namespace posix::video
