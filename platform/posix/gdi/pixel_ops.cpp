#include "platform/posix/gdi/pixel_ops.h"

#include <algorithm>
#include <cstring>

namespace posix::gdi {

void FillClipped(const IndexedPixels& target, long long left, long long top, long long right,
                 long long bottom, uint8_t index) {
    left = std::max<long long>(left, 0);
    top = std::max<long long>(top, 0);
    right = std::min<long long>(right, target.width);
    bottom = std::min<long long>(bottom, target.height);
    if (left >= right || top >= bottom) return;
    for (long long row = top; row < bottom; ++row)
        std::memset(target.pixels + row * target.pitch + left, index,
                    static_cast<size_t>(right - left));
}

void DrawGlyphClipped(const IndexedPixels& target, long long x, long long y, const Glyph& glyph,
                      uint8_t index) {
    const long long firstRow = std::max<long long>(0, -y);
    const long long lastRow = std::min<long long>(glyph.rows, target.height - y);
    const long long firstColumn = std::max<long long>(0, -x);
    const long long lastColumn = std::min<long long>(glyph.width, target.width - x);
    for (long long row = firstRow; row < lastRow; ++row) {
        const uint8_t* ink = glyph.mask.data() + row * glyph.width;
        uint8_t* out = target.pixels + (y + row) * target.pitch + x;
        for (long long column = firstColumn; column < lastColumn; ++column)
            if (ink[column]) out[column] = index;
    }
}

}  // namespace posix::gdi
