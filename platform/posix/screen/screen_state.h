// What the screen holds between presents (shared by the screen and its test hooks).
#ifndef PLATFORM_POSIX_SCREEN_SCREEN_STATE_H
#define PLATFORM_POSIX_SCREEN_SCREEN_STATE_H

#include "platform/posix/screen/palette_table.h"
#include "platform/posix/screen/screen.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace posix::screen {

struct ScreenState {
    FrameSource source = nullptr;
    bool open = false;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;

    PaletteTable palette;
    std::vector<uint32_t> picture;  // the last presented page in ARGB
    std::vector<uint8_t> shownPage;  // its palette indices, to find the rows that change
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
