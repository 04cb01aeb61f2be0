#include "platform/posix/screen/picture_conversion.h"

#include <cstring>

namespace posix::screen {

namespace {

// The columns [first, end) from the first to the last for which changed holds;
// empty when it holds for none.
template <typename Changed>
ColumnSpan ColumnsWhere(int width, Changed changed) {
    int first = 0;
    while (first < width && !changed(first)) ++first;
    if (first == width) return ColumnSpan{};
    int end = width;
    while (!changed(end - 1)) --end;
    return ColumnSpan{first, end};
}

// The columns of a row that show another colour than kept did: under the same
// palette, those whose colour differs; after a palette change, those whose index
// changed or whose entry did.
ColumnSpan ChangedColumns(const uint8_t* row, const uint8_t* kept, int width, bool newIndices,
                          const uint32_t* argb, const uint8_t* entries) {
    if (entries == nullptr)
        return ColumnsWhere(width, [&](int x) { return argb[row[x]] != argb[kept[x]]; });
    if (!newIndices) return ColumnsWhere(width, [&](int x) { return entries[row[x]] != 0; });
    return ColumnsWhere(width,
                        [&](int x) { return row[x] != kept[x] || entries[row[x]] != 0; });
}

}  // namespace

RowSpan TakeChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                        const uint8_t* changedEntries, std::vector<uint8_t>* shown,
                        ColumnSpan* columns) {
    const size_t width = static_cast<size_t>(page.width);
    const size_t size = width * page.height;
    const bool everything = shown->size() != size;
    shown->resize(size);
    RowSpan span{page.height, 0};
    ColumnSpan across{page.width, 0};
    for (int y = 0; y < page.height; ++y) {
        const uint8_t* row = page.pixels + static_cast<ptrdiff_t>(y) * page.pitch;
        uint8_t* kept = shown->data() + y * width;
        const bool newIndices = everything || std::memcmp(row, kept, width) != 0;
        if (!newIndices && changedEntries == nullptr) continue;
        const ColumnSpan changed =
            everything ? ColumnSpan{0, page.width}
                       : ChangedColumns(row, kept, page.width, newIndices, argbTable,
                                        changedEntries);
        if (newIndices) std::memcpy(kept, row, width);
        if (changed.empty()) continue;
        if (y < span.first) span.first = y;
        span.end = y + 1;
        if (changed.first < across.first) across.first = changed.first;
        if (changed.end > across.end) across.end = changed.end;
    }
    if (span.empty()) span = RowSpan{};
    if (columns != nullptr) *columns = span.empty() ? ColumnSpan{} : across;
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
