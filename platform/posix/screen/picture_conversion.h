// The 8-bit front page as presents see it: which rows changed colour since the
// last present, and rows of it through the palette in ARGB.
#ifndef PLATFORM_POSIX_SCREEN_PICTURE_CONVERSION_H
#define PLATFORM_POSIX_SCREEN_PICTURE_CONVERSION_H

#include "platform/posix/pixels/pixels.h"

#include <cstdint>
#include <vector>

namespace posix::screen {

// The page as a present shows it: its palette indices, packed, and the colours.
struct Picture {
    const uint8_t* indices = nullptr;  // width a row
    const uint32_t* argb = nullptr;    // the 256 entries of the palette
    int width = 0;
    int height = 0;
};

// Rows (or columns) [first, end); first == end: none.
struct Span {
    int first = 0;
    int end = 0;
    bool empty() const { return first >= end; }
};
using RowSpan = Span;
using ColumnSpan = Span;

// Keeps shown (the page's indices as last presented, packed) in step with the
// page and returns the rows whose colours changed: every row when the size
// changed; rows of new indices whose colours differ (a flip at a black palette
// changes nothing on screen); and after a palette change, the rows that use an
// entry flagged in changedEntries (null: none changed), so that the black rows
// around a card's text are passed over through its fades. columns, when given,
// receives the columns that changed in any of them, so that a typed character
// redoes its own columns of the window only.
RowSpan TakeChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                        const uint8_t* changedEntries, std::vector<uint8_t>* shown,
                        ColumnSpan* columns = nullptr);

// Rows [rows.first, rows.end) of the picture in ARGB; out is the first of them,
// pitch bytes apart.
void ConvertRows(const Picture& picture, RowSpan rows, uint32_t* out, int pitch);

}  // namespace posix::screen

#endif
