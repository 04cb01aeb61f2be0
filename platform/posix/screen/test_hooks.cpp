#include "platform/posix/screen/test_hooks.h"

#include "platform/posix/screen/screen_state.h"
#include "platform/posix/video/video.h"

#include <SDL.h>

#include <cstring>

namespace testhooks {

RgbImage RgbImage::ScaledUp(int factor) const {
    RgbImage out;
    out.width = width * factor;
    out.height = height * factor;
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            std::memcpy(&out.rgb[(static_cast<size_t>(y) * out.width + x) * 3],
                        At(x / factor, y / factor), 3);
    return out;
}

bool PresentedPicture(RgbImage* out) {
    const posix::screen::ScreenState& state = posix::screen::State();
    if (state.pictureWidth == 0 || out == nullptr) return false;
    const posix::screen::Picture picture{state.shownPage.data(), state.palette.Argb(),
                                         state.pictureWidth, state.pictureHeight};
    std::vector<uint32_t> argb(state.shownPage.size());
    posix::screen::ConvertRows(picture, posix::screen::RowSpan{0, picture.height}, argb.data(),
                               picture.width * 4);
    out->width = picture.width;
    out->height = picture.height;
    out->rgb.resize(argb.size() * 3);
    uint8_t* rgb = out->rgb.data();
    for (uint32_t pixel : argb) {
        *rgb++ = static_cast<uint8_t>(pixel >> 16);
        *rgb++ = static_cast<uint8_t>(pixel >> 8);
        *rgb++ = static_cast<uint8_t>(pixel);
    }
    return true;
}

bool PresentedWindow(RgbImage* out) {
    posix::screen::ScreenState& state = posix::screen::State();
    SDL_Window* host = posix::video::HostWindow();
    if (!state.open || host == nullptr || out == nullptr) return false;
    if (state.presenter == posix::video::Presenter::Renderer)
        return posix::screen::ReadRendererWindow(state.renderer, &out->width, &out->height,
                                                 &out->rgb);
    SDL_Surface* window = posix::video::WindowSurface(host);
    if (window == nullptr) return false;
    out->width = window->w;
    out->height = window->h;
    out->rgb.assign(static_cast<size_t>(window->w) * window->h * 3, 0);
    return SDL_ConvertPixels(window->w, window->h, window->format->format, window->pixels,
                             window->pitch, SDL_PIXELFORMAT_RGB24, out->rgb.data(),
                             window->w * 3) == 0;
}

int PresentCount() { return posix::screen::State().presentCount; }

void ResetScreen() {
    posix::screen::CloseScreen();
    posix::screen::State() = posix::screen::ScreenState{};
}

}  // namespace testhooks
