#include "platform/posix/screen/picture_conversion.h"

#include <cstring>

namespace posix::screen {

namespace {

bool UsesAny(const uint8_t* row, size_t width, const uint8_t* entries) {
    for (size_t x = 0; x < width; ++x)
        if (entries[row[x]] != 0) return true;
    return false;
}

}  // namespace

RowSpan ConvertChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                           const uint8_t* changedEntries, std::vector<uint8_t>* shown,
                           std::vector<uint32_t>* picture) {
    const size_t width = static_cast<size_t>(page.width);
    const size_t size = width * page.height;
    const bool everything = shown->size() != size || picture->size() != size;
    shown->resize(size);
    picture->resize(size);
    RowSpan span{page.height, 0};
    for (int y = 0; y < page.height; ++y) {
        const uint8_t* row = page.pixels + static_cast<ptrdiff_t>(y) * page.pitch;
        uint8_t* kept = shown->data() + y * width;
        const bool convert = everything || std::memcmp(row, kept, width) != 0 ||
                             (changedEntries != nullptr && UsesAny(row, width, changedEntries));
        if (!convert) continue;
        std::memcpy(kept, row, width);
        uint32_t* out = picture->data() + y * width;
        for (size_t x = 0; x < width; ++x) out[x] = argbTable[row[x]];
        if (y < span.first) span.first = y;
        span.end = y + 1;
    }
    if (span.empty()) span = RowSpan{};
    return span;
}

}  // namespace posix::screen
