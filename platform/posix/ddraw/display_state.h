// What all DirectDraw objects of the process share: the one screen, its
// primary surface and palette as shown, and the live objects.
#ifndef PLATFORM_POSIX_DDRAW_DISPLAY_STATE_H
#define PLATFORM_POSIX_DDRAW_DISPLAY_STATE_H

#include "platform/win32.h"

#include <algorithm>
#include <vector>

namespace posix::ddraw {

class DirectDraw;
class Surface;
class Palette;

struct DisplayState {
    DirectDraw* exclusiveOwner = nullptr;  // object holding DDSCL_EXCLUSIVE
    DirectDraw* modeOwner = nullptr;       // object whose SetDisplayMode holds the screen
    int modeWidth = 0;
    int modeHeight = 0;
    Surface* primary = nullptr;

    std::vector<DirectDraw*> directDraws;  // every live object, for teardown and leak checks
    std::vector<Surface*> surfaces;
    std::vector<Palette*> palettes;
};

DisplayState& Display();

template <typename T>
void Forget(std::vector<T*>& live, T* object) {
    live.erase(std::remove(live.begin(), live.end(), object), live.end());
}

// Copies the primary's palette into the entries the screen and GDI read
// (all black without a primary or palette).
void RefreshShownPalette();
// The display palette's 256 entries as the screen shows them (entries 0 and 255
// fixed black and white unless the palette was made with DDPCAPS_ALLOW256); one
// stable table, which GDI's device contexts on surfaces match against.
const PALETTEENTRY* ShownPalette();

// Every live surface becomes lost, as when the display mode changes under them.
// A switch to another program loses nothing here: no other program shares the
// surfaces' memory.
void MarkAllSurfacesLost();

// Hands the screen this module's front page; safe to call many times.
void ConnectToScreen();

}  // namespace posix::ddraw

#endif
