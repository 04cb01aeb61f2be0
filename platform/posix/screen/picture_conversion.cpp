#include "platform/posix/screen/picture_conversion.h"

#include <cstring>

namespace posix::screen {

void ConvertPicture(const IndexedPixels& page, const uint32_t* argbTable,
                    std::vector<uint32_t>* picture) {
    picture->resize(static_cast<size_t>(page.width) * page.height);
    uint32_t* out = picture->data();
    for (int y = 0; y < page.height; ++y) {
        const uint8_t* row = page.pixels + static_cast<ptrdiff_t>(y) * page.pitch;
        for (int x = 0; x < page.width; ++x) *out++ = argbTable[row[x]];
    }
}

RowSpan ConvertChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                           bool paletteChanged, std::vector<uint8_t>* shown,
                           std::vector<uint32_t>* picture) {
    const size_t width = static_cast<size_t>(page.width);
    const size_t size = width * page.height;
    const bool everything = paletteChanged || shown->size() != size || picture->size() != size;
    shown->resize(size);
    picture->resize(size);
    RowSpan span{page.height, 0};
    for (int y = 0; y < page.height; ++y) {
        const uint8_t* row = page.pixels + static_cast<ptrdiff_t>(y) * page.pitch;
        uint8_t* kept = shown->data() + y * width;
        if (!everything && std::memcmp(row, kept, width) == 0) continue;
        std::memcpy(kept, row, width);
        uint32_t* out = picture->data() + y * width;
        for (size_t x = 0; x < width; ++x) out[x] = argbTable[row[x]];
        if (y < span.first) span.first = y;
        span.end = y + 1;
    }
    if (span.empty()) span = RowSpan{};
    return span;
}

void CopyScaled(const std::vector<uint32_t>& picture, int width, int height, int scale,
                void* destination, int pitch) {
    CopyScaledRows(picture, width, RowSpan{0, height}, scale, destination, pitch);
}

void CopyScaledRows(const std::vector<uint32_t>& picture, int width, RowSpan span, int scale,
                    void* destination, int pitch) {
    auto* base = static_cast<uint8_t*>(destination);
    const size_t rowBytes = static_cast<size_t>(width) * scale * sizeof(uint32_t);
    for (int y = span.first; y < span.end; ++y) {
        const uint32_t* source = picture.data() + static_cast<size_t>(y) * width;
        const ptrdiff_t outRow = static_cast<ptrdiff_t>(y - span.first) * scale;
        auto* first = reinterpret_cast<uint32_t*>(base + outRow * pitch);
        if (scale == 1) {
            std::memcpy(first, source, rowBytes);
            continue;
        }
        uint32_t* out = first;
        for (int x = 0; x < width; ++x) {
            for (int copy = 0; copy < scale; ++copy) *out++ = source[x];
        }
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(base + (outRow + copy) * pitch, first, rowBytes);
    }
}

}  // namespace posix::screen
