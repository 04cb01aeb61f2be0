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
// rows whose indices differ from the copy kept in shown and, after a palette
// change, the rows that use an entry flagged in changedEntries (null: none
// changed). The black rows around a card's text are passed over through its
// fades. Every row is converted when the size changed. Returns the rows converted.
RowSpan ConvertChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                           const uint8_t* changedEntries, std::vector<uint8_t>* shown,
                           std::vector<uint32_t>* picture);

}  // namespace posix::screen

#endif
