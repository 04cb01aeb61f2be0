#include "platform/posix/screen/picture_conversion.h"

#include <cstring>

namespace posix::screen {

namespace {

bool UsesAny(const uint8_t* row, size_t width, const uint8_t* entries) {
    for (size_t x = 0; x < width; ++x)
        if (entries[row[x]] != 0) return true;
    return false;
}

bool ColoursDiffer(const uint8_t* row, const uint8_t* kept, size_t width, const uint32_t* argb) {
    for (size_t x = 0; x < width; ++x)
        if (argb[row[x]] != argb[kept[x]]) return true;
    return false;
}

}  // namespace

RowSpan TakeChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                        const uint8_t* changedEntries, std::vector<uint8_t>* shown) {
    const size_t width = static_cast<size_t>(page.width);
    const size_t size = width * page.height;
    const bool everything = shown->size() != size;
    shown->resize(size);
    RowSpan span{page.height, 0};
    for (int y = 0; y < page.height; ++y) {
        const uint8_t* row = page.pixels + static_cast<ptrdiff_t>(y) * page.pitch;
        uint8_t* kept = shown->data() + y * width;
        bool changed = everything;
        if (!changed && std::memcmp(row, kept, width) != 0) {
            // Under a new palette the old indices had other colours: the row counts.
            changed = changedEntries != nullptr || ColoursDiffer(row, kept, width, argbTable);
            std::memcpy(kept, row, width);
        } else if (!changed && changedEntries != nullptr) {
            changed = UsesAny(row, width, changedEntries);
        }
        if (everything) std::memcpy(kept, row, width);
        if (!changed) continue;
        if (y < span.first) span.first = y;
        span.end = y + 1;
    }
    if (span.empty()) span = RowSpan{};
    return span;
}

void ConvertRows(const Picture& picture, RowSpan rows, uint32_t* out, int pitch) {
    for (int y = rows.first; y < rows.end; ++y) {
        const uint8_t* row = picture.indices + static_cast<size_t>(y) * picture.width;
        auto* line = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(out) +
                                                  static_cast<ptrdiff_t>(y - rows.first) * pitch);
        for (int x = 0; x < picture.width; ++x) line[x] = picture.argb[row[x]];
    }
}

}  // namespace posix::screen
