#include "platform/posix/gdi/colour_match.h"

#include <array>
#include <cstring>

namespace posix::gdi {

uint8_t NearestIndex(const PALETTEENTRY* palette, int count, COLORREF colour) {
    const int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < count && i < 256; ++i) {
        const int dr = palette[i].peRed - red;
        const int dg = palette[i].peGreen - green;
        const int db = palette[i].peBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return static_cast<uint8_t>(best);
}

namespace {

// The palette the cached answers were found in, and the answers.
struct MatchCache {
    std::array<PALETTEENTRY, 256> entries{};
    int count = -1;
    static constexpr int kSlots = 8;
    std::array<COLORREF, kSlots> colours{};
    std::array<uint8_t, kSlots> indices{};
    int used = 0;
    int next = 0;
};

MatchCache& Cache() {
    static MatchCache cache;
    return cache;
}

bool SamePalette(const MatchCache& cache, const PALETTEENTRY* palette, int count) {
    return cache.count == count &&
           std::memcmp(cache.entries.data(), palette, sizeof(PALETTEENTRY) * count) == 0;
}

}  // namespace

uint8_t MatchColour(const PALETTEENTRY* palette, int count, COLORREF colour) {
    if (count <= 0) return 0;
    if (count > 256) count = 256;
    colour &= 0x00FFFFFF;
    MatchCache& cache = Cache();
    if (!SamePalette(cache, palette, count)) {
        std::memcpy(cache.entries.data(), palette, sizeof(PALETTEENTRY) * count);
        cache.count = count;
        cache.used = 0;
        cache.next = 0;
    }
    for (int i = 0; i < cache.used; ++i)
        if (cache.colours[i] == colour) return cache.indices[i];
    const uint8_t index = NearestIndex(palette, count, colour);
    cache.colours[cache.next] = colour;
    cache.indices[cache.next] = index;
    cache.next = (cache.next + 1) % MatchCache::kSlots;
    if (cache.used < MatchCache::kSlots) ++cache.used;
    return index;
}

}  // namespace posix::gdi
