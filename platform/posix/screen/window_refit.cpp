#include "platform/posix/screen/window_refit.h"

#include <algorithm>
#include <cstring>

namespace posix::screen {

namespace {

// The taps of the fitted size's pixels, each centre mapped into the sharp picture
// (pageSize x scale pixels) as a texture sampler maps it: position (i + 0.5) x
// sharp / fitted - 0.5, in 256ths, rounded; clamped at both edges. Whole factors
// land on pixel centres (weight 0) and so copy.
std::vector<Tap> TapsFor(int pageSize, int scale, int fitted) {
    const long long sharp = static_cast<long long>(pageSize) * scale;
    std::vector<Tap> taps(fitted);
    for (int i = 0; i < fitted; ++i) {
        const long long offset = (2LL * i + 1) * sharp - fitted;
        const long long position = offset <= 0 ? 0 : (offset * 256 + fitted) / (2LL * fitted);
        long long pixel = position >> 8;
        int weight = static_cast<int>(position & 255);
        if (pixel >= sharp - 1) {
            pixel = sharp - 1;
            weight = 0;
        }
        const int first = static_cast<int>(pixel / scale);
        const int second = static_cast<int>((pixel + 1) / scale);
        Tap& tap = taps[i];
        tap.first = tap.second = static_cast<uint16_t>(first);
        if (weight != 0 && second != first) {
            tap.second = static_cast<uint16_t>(second);
            tap.weight = static_cast<uint16_t>(weight);
        }
    }
    return taps;
}

// Pixels blended byte by byte, b's weighing weights[i]/256: 16-bit arithmetic on
// contiguous bytes, which the compiler turns into vector instructions.
void BlendBytes(const uint8_t* a, const uint8_t* b, const uint8_t* weights,
                uint8_t* __restrict out, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        const uint16_t weight = weights[i];
        out[i] = static_cast<uint8_t>(
            static_cast<uint16_t>(a[i] * (256 - weight) + b[i] * weight + 128) >> 8);
    }
}

// Two fitted rows blended byte by byte with one weight, as above.
void BlendRows(const uint8_t* a, const uint8_t* b, unsigned weight, uint8_t* __restrict out,
               int bytes) {
    const uint16_t second = static_cast<uint16_t>(weight);
    const uint16_t first = static_cast<uint16_t>(256 - weight);
    for (int i = 0; i < bytes; ++i)
        out[i] = static_cast<uint8_t>(static_cast<uint16_t>(a[i] * first + b[i] * second + 128) >> 8);
}

}  // namespace

bool RefitGeometry::Fits(int width, int height, const ScreenLayout& layout) const {
    return pageWidth == width && pageHeight == height && sharpScale == layout.sharpScale &&
           picture.x == layout.picture.x && picture.y == layout.picture.y &&
           picture.width == layout.picture.width && picture.height == layout.picture.height;
}

RefitGeometry RefitGeometryFor(int pageWidth, int pageHeight, const ScreenLayout& layout) {
    RefitGeometry geometry;
    geometry.pageWidth = pageWidth;
    geometry.pageHeight = pageHeight;
    geometry.sharpScale = layout.sharpScale;
    geometry.picture = layout.picture;
    const std::vector<Tap> columns = TapsFor(pageWidth, layout.sharpScale, layout.picture.width);
    for (size_t x = 0; x < columns.size(); ++x) {
        geometry.columnSource.push_back(columns[x].first);
        if (columns[x].weight == 0) continue;
        geometry.blended.push_back(BlendedColumn{static_cast<uint16_t>(x), columns[x].first});
        geometry.blendWeights.insert(geometry.blendWeights.end(), 4,
                                     static_cast<uint8_t>(columns[x].weight));
    }
    geometry.sameWidth = layout.sharpScale == 1 && layout.picture.width == pageWidth;
    geometry.rows = TapsFor(pageHeight, layout.sharpScale, layout.picture.height);
    return geometry;
}

RowSpan PictureRowsFor(const RefitGeometry& geometry, RowSpan changed) {
    RowSpan rows{static_cast<int>(geometry.rows.size()), 0};
    for (int y = 0; y < static_cast<int>(geometry.rows.size()); ++y) {
        const Tap& tap = geometry.rows[y];
        const bool depends = (tap.first >= changed.first && tap.first < changed.end) ||
                             (tap.second >= changed.first && tap.second < changed.end);
        if (!depends) continue;
        if (y < rows.first) rows.first = y;
        rows.end = y + 1;
    }
    return rows.empty() ? RowSpan{} : rows;
}

ColumnSpan PictureColumnsFor(const RefitGeometry& geometry, ColumnSpan changed) {
    const int width = static_cast<int>(geometry.columnSource.size());
    ColumnSpan columns{width, 0};
    size_t blended = 0;
    for (int x = 0; x < width; ++x) {
        while (blended < geometry.blended.size() && geometry.blended[blended].column < x) ++blended;
        const int source = geometry.columnSource[x];
        const bool blends =
            blended < geometry.blended.size() && geometry.blended[blended].column == x;
        const bool depends = (source >= changed.first && source < changed.end) ||
                             (blends && source + 1 >= changed.first && source + 1 < changed.end);
        if (!depends) continue;
        if (x < columns.first) columns.first = x;
        columns.end = x + 1;
    }
    return columns.empty() ? ColumnSpan{} : columns;
}

ColumnSpan AllPictureColumns(const RefitGeometry& geometry) {
    return ColumnSpan{0, static_cast<int>(geometry.columnSource.size())};
}

uint32_t* FittedLines::Blended(int width) {
    blended_.resize(width);
    return blended_.data();
}

const uint32_t* FittedLines::Line(const RefitGeometry& geometry, const Picture& picture,
                                  int row, int keep, ColumnSpan columns) {
    if (columns.first != columns_.first || columns.end != columns_.end) {
        Forget();
        columns_ = columns;
    }
    const size_t width = geometry.pageWidth;
    const uint8_t* pageRow = picture.indices + row * width;
    for (int i = 0; i < 2; ++i)
        if (row_[i] == row) return line_[i].data();
    // Rows of one flat colour (a card's fill, the black between lines of text)
    // repeat: a row equal to one kept is fitted as that one was. The line then
    // stands for this row, unless it must stay for keep.
    for (int i = 0; i < 2; ++i) {
        if (row_[i] < 0 || std::memcmp(picture.indices + row_[i] * width, pageRow, width) != 0)
            continue;
        if (row_[i] != keep) row_[i] = row;
        return line_[i].data();
    }
    const int slot = row_[0] == keep ? 1 : 0;
    row_[slot] = row;
    std::vector<uint32_t>& line = line_[slot];
    line.resize(geometry.columnSource.size());
    const uint32_t* argb = picture.argb;
    const size_t first = columns.first, end = columns.end;
    if (geometry.sameWidth) {
        for (size_t x = first; x < end; ++x) line[x] = argb[pageRow[x]];
        return line.data();
    }
    // Every column takes its first page pixel; the blended ones (a third to a half
    // of them) are then gathered in two rows, blended as bytes and put in place.
    for (size_t x = first; x < end; ++x) line[x] = argb[pageRow[geometry.columnSource[x]]];
    const auto byColumn = [](const BlendedColumn& blended, size_t x) { return blended.column < x; };
    const size_t from = std::lower_bound(geometry.blended.begin(), geometry.blended.end(), first,
                                         byColumn) - geometry.blended.begin();
    const size_t to = std::lower_bound(geometry.blended.begin() + from, geometry.blended.end(), end,
                                       byColumn) - geometry.blended.begin();
    const size_t count = to - from;
    left_.resize(count);
    right_.resize(count);
    mixed_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        left_[i] = argb[pageRow[geometry.blended[from + i].source]];
        right_[i] = argb[pageRow[geometry.blended[from + i].source + 1]];
    }
    BlendBytes(reinterpret_cast<const uint8_t*>(left_.data()),
               reinterpret_cast<const uint8_t*>(right_.data()),
               geometry.blendWeights.data() + from * 4, reinterpret_cast<uint8_t*>(mixed_.data()),
               static_cast<int>(count * 4));
    for (size_t i = 0; i < count; ++i) line[geometry.blended[from + i].column] = mixed_[i];
    return line.data();
}

void RefitRows(const RefitGeometry& geometry, const Picture& picture, RowSpan rows,
               ColumnSpan columns, void* destination, int pitch, FittedLines* lines) {
    const int width = static_cast<int>(geometry.columnSource.size());
    const int bytes = (columns.end - columns.first) * static_cast<int>(sizeof(uint32_t));
    auto* out = static_cast<uint8_t*>(destination) + columns.first * sizeof(uint32_t);
    for (int y = rows.first; y < rows.end; ++y, out += pitch) {
        const Tap& tap = geometry.rows[y];
        const uint32_t* row = lines->Line(geometry, picture, tap.first, tap.second, columns);
        const uint32_t* lower =
            tap.weight != 0 ? lines->Line(geometry, picture, tap.second, tap.first, columns) : row;
        if (lower != row) {  // equal rows blend into themselves
            uint32_t* blended = lines->Blended(width);
            BlendRows(reinterpret_cast<const uint8_t*>(row + columns.first),
                      reinterpret_cast<const uint8_t*>(lower + columns.first), tap.weight,
                      reinterpret_cast<uint8_t*>(blended + columns.first), bytes);
            row = blended;
        }
        std::memcpy(out, row + columns.first, bytes);
    }
}

void RefitRows(const RefitGeometry& geometry, const Picture& picture, RowSpan rows,
               void* destination, int pitch, FittedLines* lines) {
    RefitRows(geometry, picture, rows, AllPictureColumns(geometry), destination, pitch, lines);
}

}  // namespace posix::screen
