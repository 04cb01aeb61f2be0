// Test-only: DirectDraw's pixels and palette read back, lost surfaces, and
// live-object counts.
#ifndef PLATFORM_POSIX_DDRAW_TEST_HOOKS_H
#define PLATFORM_POSIX_DDRAW_TEST_HOOKS_H

#include "platform/posix/pixels/pixels.h"
#include "platform/win32.h"

namespace testhooks {

// The surface's current page (after a Flip, the page it now shows).
posix::IndexedPixels SurfacePixels(IDirectDrawSurface* surface);

// The 256 entries the screen shows and GDI matches against.
const PALETTEENTRY* ShownPalette();

// Every live surface becomes lost, as when what backs them went away.
void MarkAllSurfacesLost();

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
