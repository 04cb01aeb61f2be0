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
    SDL_Surface* window = nullptr;  // the host window's surface last drawn in (SDL's own)
    int windowWidth = 0;
    int windowHeight = 0;
    bool repaint = false;           // the next present draws and sends the whole window
    SDL_Surface* sharp = nullptr;   // the page scaled up by the layout's whole factor

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
