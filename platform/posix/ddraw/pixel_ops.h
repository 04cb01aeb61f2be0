// Copies and fills on 8-bit palette-indexed pages. Callers check the
// rectangles first (RectFits); these functions trust them.
#ifndef PLATFORM_POSIX_DDRAW_PIXEL_OPS_H
#define PLATFORM_POSIX_DDRAW_PIXEL_OPS_H

#include "platform/posix/internal.h"

#include <cstdint>

namespace posix::ddraw {

// A source colour key: indices low..high (inclusive) are not copied.
struct KeyRange {
    uint8_t low = 0;
    uint8_t high = 0;
};

// True when rect is non-empty and lies wholly inside a width x height page.
bool RectFits(const RECT& rect, int width, int height);

// True when a width x height block placed at (x, y) lies wholly inside a
// pageWidth x pageHeight page.
bool BlockFits(DWORD x, DWORD y, int width, int height, int pageWidth, int pageHeight);

// Copies rect of source to (x, y) of destination, pixel for pixel. Source and
// destination may be the same page, overlapping.
void CopyOpaque(const IndexedPixels& source, const RECT& rect, const IndexedPixels& destination,
                int x, int y);

// As CopyOpaque, leaving the destination where the source pixel is in key.
void CopyKeyed(const IndexedPixels& source, const RECT& rect, const IndexedPixels& destination,
               int x, int y, KeyRange key);

void FillRect(const IndexedPixels& destination, const RECT& rect, uint8_t index);

}  // namespace posix::ddraw

#endif
