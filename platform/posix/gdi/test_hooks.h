// Test-only: GDI's live objects, the pixels behind a device context, and the
// font a device context would draw with.
#ifndef PLATFORM_POSIX_GDI_TEST_HOOKS_H
#define PLATFORM_POSIX_GDI_TEST_HOOKS_H

#include "platform/posix/pixels/pixels.h"

#include <string>

namespace testhooks {

// Objects made by the program and not yet freed (stock objects not counted).
struct GdiObjectCounts {
    int fonts = 0;
    int brushes = 0;
    int bitmaps = 0;
    int deviceContexts = 0;  // memory DCs and surface DCs
};
GdiObjectCounts LiveGdiObjects();

// The pixels a device context draws on: the surface's, or those of the bitmap
// selected into a memory DC. False for a handle that is not a live DC.
bool DeviceContextTarget(HDC dc, posix::IndexedPixels* out);

// How the DC's selected font was realised.
struct GdiFontMetrics {
    int ascent = 0;
    int descent = 0;
    int pixelSize = 0;
    bool syntheticBold = false;
    bool syntheticItalic = false;
    std::string file;  // the font file drawn with
};
bool SelectedFontMetrics(HDC dc, GdiFontMetrics* out);

}  // namespace testhooks

#endif
