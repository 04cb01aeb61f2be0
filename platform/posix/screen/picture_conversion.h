// The 8-bit front page through the palette table into ARGB pixels.
#ifndef PLATFORM_POSIX_SCREEN_PICTURE_CONVERSION_H
#define PLATFORM_POSIX_SCREEN_PICTURE_CONVERSION_H

#include "platform/posix/pixels/pixels.h"

#include <cstdint>
#include <vector>

namespace posix::screen {

// The page through its palette, packed ARGB, as a present shows it.
struct Picture {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// The rows of a picture that a present must convert again.
struct RowSpan {
    int first = 0;
    int end = 0;  // exclusive; first == end: nothing changed
    bool empty() const { return first >= end; }
};

// Keeps the picture (packed ARGB) in step with the page, converting only the
// rows whose indices differ from the copy kept in shown; every row when the
// palette changed. Returns the rows whose colours changed: every row when the
// size changed, and on a palette change only those that use a changed entry (the
// black rows around a card's text stay as they are through its fades).
RowSpan ConvertChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                           bool paletteChanged, std::vector<uint8_t>* shown,
                           std::vector<uint32_t>* picture);

}  // namespace posix::screen

#endif
