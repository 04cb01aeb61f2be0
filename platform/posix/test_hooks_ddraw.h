// Test-only: DirectDraw's pixels and palette read back, focus switches and
// lost surfaces, a failing DirectDrawCreate, and live-object counts.
#ifndef PLATFORM_POSIX_TEST_HOOKS_DDRAW_H
#define PLATFORM_POSIX_TEST_HOOKS_DDRAW_H

#include "platform/posix/internal.h"

namespace testhooks {

// The surface's current page (after a Flip, the page it now shows).
posix::IndexedPixels SurfacePixels(IDirectDrawSurface* surface);

// The 256 entries the screen shows and GDI matches against.
const PALETTEENTRY* ShownPalette();

// As the program losing and regaining the focus (WM_ACTIVATEAPP 0 and 1):
// in exclusive mode a switch away loses every surface.
void SwitchAway();
void SwitchBack();

// Every live surface becomes lost, whatever the focus.
void MarkAllSurfacesLost();

// The next DirectDrawCreate fails as if no display could be had.
void FailNextDirectDrawCreate();

struct LiveDirectDrawObjects {
    int directDraws = 0;
    int surfaces = 0;  // back buffers included
    int palettes = 0;
};
LiveDirectDrawObjects CountLiveDirectDrawObjects();

// The object's reference count, left as it was.
ULONG ReferenceCount(IUnknown* object);

}  // namespace testhooks

#endif
