// The page fitted to the window by the processor, as the GPU would fit it: the
// sharp picture (the page scaled up by the layout's whole factor, nearest
// neighbour) sampled linearly at the centre of every window pixel. Each window
// pixel is then a blend of at most two page pixels across and two down, so it is
// computed straight from the page: the sharp picture is never made, and a window
// row is redone only when one of its two page rows changed.
#ifndef PLATFORM_POSIX_SCREEN_WINDOW_REFIT_H
#define PLATFORM_POSIX_SCREEN_WINDOW_REFIT_H

#include "platform/posix/screen/picture_conversion.h"
#include "platform/posix/screen/screen_layout.h"

#include <cstdint>
#include <vector>

namespace posix::screen {

// Where one column (or row) of the fitted picture takes its colour from: two page
// columns (rows), the second weighing weight/256; weight 0 takes the first alone.
struct Tap {
    uint16_t first = 0;
    uint16_t second = 0;
    uint16_t weight = 0;
};

// A column of the picture that blends page columns source and source + 1.
struct BlendedColumn {
    uint16_t column = 0;
    uint16_t source = 0;
};

struct RefitGeometry {
    int pageWidth = 0;
    int pageHeight = 0;
    int sharpScale = 1;
    Rect picture;                        // in the window
    std::vector<uint16_t> columnSource;  // the first page column of each picture column
    std::vector<BlendedColumn> blended;  // the columns that blend two, left to right
    std::vector<uint8_t> blendWeights;   // their second column's weights, four bytes each
    std::vector<Tap> rows;               // one for each row of picture
    bool sameWidth = false;              // the page's rows are the picture's as they stand
    bool Fits(int width, int height, const ScreenLayout& layout) const;
};

RefitGeometry RefitGeometryFor(int pageWidth, int pageHeight, const ScreenLayout& layout);

// The rows of the picture (0 at its top) that depend on the page rows of changed.
RowSpan PictureRowsFor(const RefitGeometry& geometry, RowSpan changed);

// The columns of the picture (0 at its left) that depend on the page columns of changed.
ColumnSpan PictureColumnsFor(const RefitGeometry& geometry, ColumnSpan changed);

// Every column of the picture.
ColumnSpan AllPictureColumns(const RefitGeometry& geometry);

// The two page rows last fitted across, kept while a present goes down the window:
// each page row is fitted once, however many window rows it feeds. A line holds
// the columns it was fitted for; the others are left as they were.
class FittedLines {
public:
    const uint32_t* Line(const RefitGeometry& geometry, const Picture& picture, int row, int keep,
                         ColumnSpan columns);
    void Forget() { row_[0] = row_[1] = -1; }
    uint32_t* Blended(int width);  // a row to blend two lines into

private:
    std::vector<uint32_t> line_[2];
    std::vector<uint32_t> blended_;
    std::vector<uint32_t> left_, right_, mixed_;  // the blended columns' two sources and blend
    int row_[2] = {-1, -1};
    ColumnSpan columns_;  // of both lines
};

// Writes rows [rows.first, rows.end) of the fitted picture, columns
// [columns.first, columns.end) of them, as 32-bit pixels in the palette's byte
// order (ARGB); destination is the picture's left edge in the first of those
// rows, pitch bytes apart. Whole factors give each page pixel as a block of
// equal pixels, exactly.
void RefitRows(const RefitGeometry& geometry, const Picture& picture, RowSpan rows,
               ColumnSpan columns, void* destination, int pitch, FittedLines* lines);

// The same, every column.
void RefitRows(const RefitGeometry& geometry, const Picture& picture, RowSpan rows,
               void* destination, int pitch, FittedLines* lines);

}  // namespace posix::screen

#endif
