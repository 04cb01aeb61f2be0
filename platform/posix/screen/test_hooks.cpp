#include "platform/posix/screen/test_hooks.h"

#include "platform/posix/screen/screen_state.h"

namespace testhooks {

bool PresentedPicture(RgbImage* out) {
    const posix::screen::ScreenState& state = posix::screen::State();
    if (state.pictureWidth == 0 || out == nullptr) return false;
    out->width = state.pictureWidth;
    out->height = state.pictureHeight;
    out->rgb.resize(state.picture.size() * 3);
    uint8_t* rgb = out->rgb.data();
    for (uint32_t pixel : state.picture) {
        *rgb++ = static_cast<uint8_t>(pixel >> 16);
        *rgb++ = static_cast<uint8_t>(pixel >> 8);
        *rgb++ = static_cast<uint8_t>(pixel);
    }
    return true;
}

bool PresentedWindow(RgbImage* out) {
    const posix::screen::ScreenState& state = posix::screen::State();
    if (!state.open || state.renderer == nullptr || out == nullptr) return false;
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(state.renderer, &width, &height) != 0) return false;
    out->width = width;
    out->height = height;
    out->rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    return SDL_RenderReadPixels(state.renderer, nullptr, SDL_PIXELFORMAT_RGB24, out->rgb.data(),
                                width * 3) == 0;
}

int PresentCount() { return posix::screen::State().presentCount; }

void ResetScreen() {
    posix::screen::CloseScreen();
    posix::screen::State() = posix::screen::ScreenState{};
}

}  // namespace testhooks
