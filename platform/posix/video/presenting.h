// How the window is drawn: by an SDL renderer on the GPU, which scales the page
// there, or through the window's own surface by the processor. The choice is made
// once, when SDL's video starts, because a GPU window is made differently.
#ifndef PLATFORM_POSIX_VIDEO_PRESENTING_H
#define PLATFORM_POSIX_VIDEO_PRESENTING_H

#include <string>

namespace posix::video {

enum class Presenter { WindowSurface, Renderer };

struct PresentingChoice {
    Presenter presenter = Presenter::WindowSurface;
    std::string rendererDriver;  // empty: SDL's first accelerated renderer
};

// SDL's own hints, as the user set them (null when unset), choose; without them a
// renderer is used only when the display gives this process a GPU:
//   SDL_RENDER_DRIVER=software, or SDL_FRAMEBUFFER_ACCELERATION=0 / false / software:
//       the processor through the window surface;
//   SDL_RENDER_DRIVER=<driver>, or SDL_FRAMEBUFFER_ACCELERATION=1 / true / <driver>:
//       a renderer, even one that draws in software (Mesa's llvmpipe).
PresentingChoice ChoosePresenting(const char* renderDriver, const char* framebufferAcceleration,
                                  bool displayHasGpu);

// Whether the display SDL's video driver talks to gives this process a GPU, asked
// without loading a GL driver (see presenting.cpp).
bool DisplayHasGpu(const char* videoDriver);

}  // namespace posix::video

#endif
