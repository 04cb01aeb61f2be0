// Clipped writes onto 8-bit pixels.
#ifndef PLATFORM_POSIX_GDI_PIXEL_OPS_H
#define PLATFORM_POSIX_GDI_PIXEL_OPS_H

#include "platform/posix/gdi/font_cache.h"
#include "platform/posix/internal.h"

namespace posix::gdi {

// Fills [left, right) x [top, bottom), clipped to the target.
void FillClipped(const IndexedPixels& target, long long left, long long top, long long right,
                 long long bottom, uint8_t index);

// Sets the glyph's ink pixels to index, its mask's top-left at (x, y), clipped.
void DrawGlyphClipped(const IndexedPixels& target, long long x, long long y, const Glyph& glyph,
                      uint8_t index);

}  // namespace posix::gdi

#endif
