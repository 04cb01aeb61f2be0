// BitBlt: copies between device contexts, colours mapped from the source's
// colour table to the target's palette.
#include "platform/posix/gdi/colour_match.h"
#include "platform/posix/gdi/gdi_objects.h"
#include "platform/posix/idle/idle.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

using namespace posix::gdi;

namespace {

bool SameColour(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

// For each source index, the target index of the nearest colour. An index that
// has the same colour in both keeps its value, so equal tables copy pixel for pixel.
std::array<uint8_t, 256> TranslationTable(const DeviceContext& source, const DeviceContext& dest) {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        if (i >= source.paletteSize) {
            // Values beyond the colour table have no colour: they show black.
            table[i] = NearestIndex(dest.palette, dest.paletteSize, RGB(0, 0, 0));
            continue;
        }
        const PALETTEENTRY& colour = source.palette[i];
        if (i < dest.paletteSize && SameColour(colour, dest.palette[i])) {
            table[i] = static_cast<uint8_t>(i);
        } else {
            table[i] = NearestIndex(dest.palette, dest.paletteSize,
                                    RGB(colour.peRed, colour.peGreen, colour.peBlue));
        }
    }
    return table;
}

}  // namespace

BOOL WINAPI BitBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle,
                   int sourceX, int sourceY, DWORD rop) {
    DeviceContext* dest = LiveDeviceContext(destHandle);
    DeviceContext* source = LiveDeviceContext(sourceHandle);
    if (dest == nullptr || source == nullptr || rop != SRCCOPY) return FALSE;
    posix::idle::NoteWork();
    if (width <= 0 || height <= 0) return TRUE;

    // Clip the block to both the target and the source, keeping them aligned.
    long long left = 0, top = 0, right = width, bottom = height;  // offsets in the block
    left = std::max({left, -static_cast<long long>(x), -static_cast<long long>(sourceX)});
    top = std::max({top, -static_cast<long long>(y), -static_cast<long long>(sourceY)});
    right = std::min({right, static_cast<long long>(dest->target.width) - x,
                      static_cast<long long>(source->target.width) - sourceX});
    bottom = std::min({bottom, static_cast<long long>(dest->target.height) - y,
                       static_cast<long long>(source->target.height) - sourceY});
    if (left >= right || top >= bottom) return TRUE;

    const std::array<uint8_t, 256> table = TranslationTable(*source, *dest);
    const size_t count = static_cast<size_t>(right - left);
    std::vector<uint8_t> row(count);
    // Rows go in the order that keeps an overlapping copy within one picture right.
    const bool upwards = source->target.pixels == dest->target.pixels && y > sourceY;
    for (long long i = 0; i < bottom - top; ++i) {
        const long long offset = upwards ? bottom - 1 - i : top + i;
        const uint8_t* from = source->target.pixels + (sourceY + offset) * source->target.pitch +
                              sourceX + left;
        uint8_t* to = dest->target.pixels + (y + offset) * dest->target.pitch + x + left;
        std::memcpy(row.data(), from, count);
        for (size_t k = 0; k < count; ++k) to[k] = table[row[k]];
    }
    return TRUE;
}
