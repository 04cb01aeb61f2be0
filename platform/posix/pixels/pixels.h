// Pages of 8-bit palette indices, as DirectDraw surfaces and DIB sections hold
// them, and the copies and fills that ddraw, GDI and the screen make on them.
#ifndef PLATFORM_POSIX_PIXELS_PIXELS_H
#define PLATFORM_POSIX_PIXELS_PIXELS_H

#include "platform/win32.h"

#include <cstdint>

namespace posix {

// An 8-bit palette-indexed picture; the pixels belong to whoever made the view.
struct IndexedPixels {
    int width = 0;
    int height = 0;
    int pitch = 0;               // bytes from one row to the next, top row first
    uint8_t* pixels = nullptr;
};

}  // namespace posix

namespace posix::pixels {

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

// The copies and FillRect trust their rectangles (check them with RectFits and
// BlockFits first). Source and destination may be the same page, overlapping.
void CopyOpaque(const IndexedPixels& source, const RECT& rect, const IndexedPixels& destination,
                int x, int y);
// As CopyOpaque, leaving the destination where the source pixel is in key.
void CopyKeyed(const IndexedPixels& source, const RECT& rect, const IndexedPixels& destination,
               int x, int y, KeyRange key);
void FillRect(const IndexedPixels& destination, const RECT& rect, uint8_t index);

// Fills [left, right) x [top, bottom), clipped to the page.
void FillClipped(const IndexedPixels& target, long long left, long long top, long long right,
                 long long bottom, uint8_t index);

}  // namespace posix::pixels

#endif
