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

void CopyScaled(const std::vector<uint32_t>& picture, int width, int height, int scale,
                void* destination, int pitch) {
    auto* base = static_cast<uint8_t*>(destination);
    const size_t rowBytes = static_cast<size_t>(width) * scale * sizeof(uint32_t);
    for (int y = 0; y < height; ++y) {
        const uint32_t* source = picture.data() + static_cast<size_t>(y) * width;
        auto* first = reinterpret_cast<uint32_t*>(base + static_cast<ptrdiff_t>(y) * scale * pitch);
        if (scale == 1) {
            std::memcpy(first, source, rowBytes);
            continue;
        }
        uint32_t* out = first;
        for (int x = 0; x < width; ++x) {
            for (int copy = 0; copy < scale; ++copy) *out++ = source[x];
        }
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(base + (static_cast<ptrdiff_t>(y) * scale + copy) * pitch, first, rowBytes);
    }
}

}  // namespace posix::screen
