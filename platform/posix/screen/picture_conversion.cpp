#include "platform/posix/screen/picture_conversion.h"

#include <cstring>

namespace posix::screen {

RowSpan ConvertChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                           bool paletteChanged, std::vector<uint8_t>* shown,
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
        if (!everything && !paletteChanged && std::memcmp(row, kept, width) == 0) continue;
        std::memcpy(kept, row, width);
        uint32_t* out = picture->data() + y * width;
        uint32_t differs = everything ? 1 : 0;
        for (size_t x = 0; x < width; ++x) {
            const uint32_t colour = argbTable[row[x]];
            differs |= colour ^ out[x];
            out[x] = colour;
        }
        if (differs == 0) continue;
        if (y < span.first) span.first = y;
        span.end = y + 1;
    }
    if (span.empty()) span = RowSpan{};
    return span;
}

}  // namespace posix::screen
