#include "platform/posix/pixels/pixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace posix::pixels {

namespace {

constexpr uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;
constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr uint64_t kOnes = 0x0101010101010101ull;

// 0xFF in every byte of word that is zero, 0x00 elsewhere (exact: no carries
// cross bytes because the add works on the low seven bits only).
uint64_t ZeroByteMask(uint64_t word) {
    const uint64_t nonZeroHigh = (((word & kLowBits) + kLowBits) | word) & kHighBits;
    const uint64_t zeroHigh = ~nonZeroHigh & kHighBits;
    return (zeroHigh >> 7) * 0xFF;
}

// Eight pixels of a single-index keyed copy.
void CopyWordSkippingIndex(const uint8_t* from, uint8_t* to, uint64_t keyWord) {
    uint64_t source, target;
    std::memcpy(&source, from, 8);
    const uint64_t keep = ZeroByteMask(source ^ keyWord);
    if (keep == ~0ull) return;
    if (keep == 0) {
        std::memcpy(to, &source, 8);
        return;
    }
    std::memcpy(&target, to, 8);
    target = (source & ~keep) | (target & keep);
    std::memcpy(to, &target, 8);
}

// True when all 64 pixels at from are the key: a text layer is mostly key, and
// such a run is passed over with one test.
bool AllKey(const uint8_t* from, uint64_t keyWord) {
    uint64_t differs = 0;
    for (int word = 0; word < 8; ++word) {
        uint64_t source;
        std::memcpy(&source, from + 8 * word, 8);
        differs |= source ^ keyWord;
    }
    return differs == 0;
}

// True when the whole row is the key: most rows of a text layer are, and they are
// passed over with one pass of word comparisons.
bool RowIsKey(const uint8_t* from, int count, uint8_t key) {
    const uint64_t keyWord = kOnes * key;
    uint64_t differs = 0;
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t source;
        std::memcpy(&source, from + i, 8);
        differs |= source ^ keyWord;
    }
    for (; i < count; ++i) differs |= from[i] ^ key;
    return differs == 0;
}

// One row of a single-index keyed copy, 64 pixels at a time where it can.
void CopyRowSkippingIndex(const uint8_t* from, uint8_t* to, int count, uint8_t key) {
    const uint64_t keyWord = kOnes * key;
    int i = 0;
    for (; i + 64 <= count; i += 64) {
        if (AllKey(from + i, keyWord)) continue;
        for (int word = 0; word < 64; word += 8)
            CopyWordSkippingIndex(from + i + word, to + i + word, keyWord);
    }
    for (; i + 8 <= count; i += 8) CopyWordSkippingIndex(from + i, to + i, keyWord);
    for (; i < count; ++i) {
        if (from[i] != key) to[i] = from[i];
    }
}

void CopyRowSkippingRange(const uint8_t* from, uint8_t* to, int count, KeyRange key) {
    const unsigned span = static_cast<unsigned>(key.high - key.low);
    for (int i = 0; i < count; ++i) {
        if (static_cast<unsigned>(from[i] - key.low) > span) to[i] = from[i];
    }
}

void CopyRowKeyed(const uint8_t* from, uint8_t* to, int count, KeyRange key) {
    if (key.low == key.high) {
        CopyRowSkippingIndex(from, to, count, key.low);
    } else {
        CopyRowSkippingRange(from, to, count, key);
    }
}

bool SamePage(const IndexedPixels& a, const IndexedPixels& b) { return a.pixels == b.pixels; }

// Within one page, a block moving down must be copied bottom row first, or it
// would read rows it has already written.
bool CopyBottomUp(const IndexedPixels& source, const RECT& rect, const IndexedPixels& destination,
                  int y) {
    return SamePage(source, destination) && y > rect.top;
}

}  // namespace

bool RectFits(const RECT& rect, int width, int height) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= width && rect.bottom <= height;
}

bool BlockFits(DWORD x, DWORD y, int width, int height, int pageWidth, int pageHeight) {
    // 64-bit sums: a point near the top of the range must not wrap into the page.
    return width > 0 && height > 0 && static_cast<int64_t>(x) + width <= pageWidth &&
           static_cast<int64_t>(y) + height <= pageHeight;
}

void CopyOpaque(const IndexedPixels& source, const RECT& rect, const IndexedPixels& destination,
                int x, int y) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // Whole pages that are laid out alike are copied in one go.
    if (!SamePage(source, destination) && rect.left == 0 && x == 0 && width == source.pitch &&
        source.pitch == destination.pitch) {
        std::memcpy(destination.pixels + y * destination.pitch,
                    source.pixels + rect.top * source.pitch, size_t(width) * height);
        return;
    }
    const bool bottomUp = CopyBottomUp(source, rect, destination, y);
    for (int step = 0; step < height; ++step) {
        const int row = bottomUp ? height - 1 - step : step;
        const uint8_t* from = source.pixels + (rect.top + row) * source.pitch + rect.left;
        uint8_t* to = destination.pixels + (y + row) * destination.pitch + x;
        std::memmove(to, from, width);  // memmove: rows of one page may overlap
    }
}

void CopyKeyed(const IndexedPixels& source, const RECT& rect, const IndexedPixels& destination,
               int x, int y, KeyRange key) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const bool bottomUp = CopyBottomUp(source, rect, destination, y);
    // Within one page a row may overlap itself: read it whole before writing.
    std::vector<uint8_t> rowCopy(SamePage(source, destination) ? width : 0);
    for (int step = 0; step < height; ++step) {
        const int row = bottomUp ? height - 1 - step : step;
        const uint8_t* from = source.pixels + (rect.top + row) * source.pitch + rect.left;
        uint8_t* to = destination.pixels + (y + row) * destination.pitch + x;
        if (key.low == key.high && RowIsKey(from, width, key.low)) continue;
        if (!rowCopy.empty()) {
            std::memcpy(rowCopy.data(), from, width);
            from = rowCopy.data();
        }
        CopyRowKeyed(from, to, width, key);
    }
}

void FillRect(const IndexedPixels& destination, const RECT& rect, uint8_t index) {
    const int width = rect.right - rect.left;
    for (LONG row = rect.top; row < rect.bottom; ++row) {
        std::memset(destination.pixels + row * destination.pitch + rect.left, index, width);
    }
}

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

}  // namespace posix::pixels
