// What the screen holds between presents (shared by the screen, its two ways of
// presenting and its test hooks).
#ifndef PLATFORM_POSIX_SCREEN_SCREEN_STATE_H
#define PLATFORM_POSIX_SCREEN_SCREEN_STATE_H

#include "platform/posix/screen/palette_table.h"
#include "platform/posix/screen/renderer_path.h"
#include "platform/posix/screen/screen.h"
#include "platform/posix/screen/surface_path.h"
#include "platform/posix/video/presenting.h"

#include <cstdint>
#include <vector>

namespace posix::screen {

struct ScreenState {
    FrameSource source = nullptr;
    bool open = false;
    bool repaint = false;           // the next present draws and sends the whole window
    video::Presenter presenter = video::Presenter::WindowSurface;  // the way in use
    SurfacePath surface;
    RendererPath renderer;

    PaletteTable palette;            // as last presented
    std::vector<uint8_t> shownPage;  // the page's indices as last presented, packed
    int pictureWidth = 0;
    int pictureHeight = 0;

    bool presentPending = false;
    bool presentedOnce = false;
    DWORD lastPresentTick = 0;
    int presentCount = 0;
};

ScreenState& State();

}  // namespace posix::screen

#endif
