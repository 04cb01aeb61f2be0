// What all DirectDraw objects of the process share: the one screen, its
// primary surface and palette as shown, focus, and the live objects.
#ifndef PLATFORM_POSIX_DDRAW_DISPLAY_STATE_H
#define PLATFORM_POSIX_DDRAW_DISPLAY_STATE_H

#include "platform/posix/internal.h"

#include <algorithm>
#include <vector>

namespace posix::ddraw {

class DirectDraw;
class Surface;
class Palette;

struct DisplayState {
    bool active = true;                    // the program has the focus
    DirectDraw* exclusiveOwner = nullptr;  // object holding DDSCL_EXCLUSIVE
    DirectDraw* modeOwner = nullptr;       // object whose SetDisplayMode holds the screen
    int modeWidth = 0;
    int modeHeight = 0;
    Surface* primary = nullptr;
    bool failNextCreate = false;           // test hook: act as if no display could be had

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

// Every live surface becomes lost, as on a switch away from exclusive mode.
void MarkAllSurfacesLost();

// Focus changes of the program: losing it in exclusive mode loses the surfaces.
void OnActivation(bool active);

// Hooks this module into the window and the screen; safe to call many times.
void ConnectToSystem();

}  // namespace posix::ddraw

#endif
