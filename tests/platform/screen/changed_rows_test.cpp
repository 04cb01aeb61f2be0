// Presents convert and send only the rows of the page that changed.
#include "platform/posix/screen/picture_conversion.h"
#include "platform/posix/screen/window_refit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Page {
    static constexpr int kWidth = 3, kHeight = 4, kPitch = 4;  // one byte of padding a row
    uint8_t bytes[kPitch * kHeight] = {};
    posix::IndexedPixels View() {
        posix::IndexedPixels view;
        view.width = kWidth;
        view.height = kHeight;
        view.pitch = kPitch;
        view.pixels = bytes;
        return view;
    }
    uint8_t& At(int x, int y) { return bytes[y * kPitch + x]; }
};

struct Table {
    uint32_t argb[256];
    explicit Table(uint32_t base) {
        for (int i = 0; i < 256; ++i) argb[i] = base + static_cast<uint32_t>(i);
    }
};

TEST(ChangedRows, OnlyRowsThatDifferAreConvertedUntilThePaletteChanges) {
    Page page;
    for (int y = 0; y < Page::kHeight; ++y)
        for (int x = 0; x < Page::kWidth; ++x) page.At(x, y) = static_cast<uint8_t>(y * 10 + x);
    page.bytes[Page::kPitch - 1] = 77;  // padding: never part of the picture
    const Table table(0xFF000000u);
    std::vector<uint8_t> shown;
    std::vector<uint32_t> picture;

    posix::screen::RowSpan span =
        posix::screen::ConvertChangedRows(page.View(), table.argb, nullptr, &shown, &picture);
    EXPECT_EQ(0, span.first);
    EXPECT_EQ(Page::kHeight, span.end);
    EXPECT_EQ(0xFF000000u + 31, picture[3 * Page::kWidth + 1]);

    span = posix::screen::ConvertChangedRows(page.View(), table.argb, nullptr, &shown, &picture);
    EXPECT_TRUE(span.empty());
    page.bytes[Page::kPitch - 1] = 78;  // padding changes do not count
    EXPECT_TRUE(posix::screen::ConvertChangedRows(page.View(), table.argb, nullptr, &shown, &picture)
                    .empty());

    // Rows 1 and 2 change: both, and nothing else, are converted again.
    page.At(2, 1) = 200;
    page.At(0, 2) = 201;
    span = posix::screen::ConvertChangedRows(page.View(), table.argb, nullptr, &shown, &picture);
    EXPECT_EQ(1, span.first);
    EXPECT_EQ(3, span.end);
    EXPECT_EQ(0xFF000000u + 200, picture[1 * Page::kWidth + 2]);
    EXPECT_EQ(0xFF000000u + 201, picture[2 * Page::kWidth + 0]);

    // A new palette recolours every row, even with the indices unchanged.
    const Table brighter(0xFF100000u);
    uint8_t everyEntry[256];
    std::memset(everyEntry, 1, sizeof everyEntry);
    span = posix::screen::ConvertChangedRows(page.View(), brighter.argb, everyEntry, &shown,
                                             &picture);
    EXPECT_EQ(0, span.first);
    EXPECT_EQ(Page::kHeight, span.end);
    for (int y = 0; y < Page::kHeight; ++y)
        for (int x = 0; x < Page::kWidth; ++x)
            EXPECT_EQ(brighter.argb[page.At(x, y)], picture[y * Page::kWidth + x]) << x << "," << y;
}

TEST(ChangedRows, AForgottenPictureIsConvertedWhole) {
    Page page;
    const Table table(0xFF000000u);
    std::vector<uint8_t> shown;
    std::vector<uint32_t> picture;
    posix::screen::ConvertChangedRows(page.View(), table.argb, nullptr, &shown, &picture);
    picture.clear();  // as when the presents are forgotten
    const posix::screen::RowSpan span =
        posix::screen::ConvertChangedRows(page.View(), table.argb, nullptr, &shown, &picture);
    EXPECT_EQ(0, span.first);
    EXPECT_EQ(Page::kHeight, span.end);
    EXPECT_EQ(static_cast<size_t>(Page::kWidth * Page::kHeight), picture.size());
}

TEST(ChangedRows, APaletteChangeReportsOnlyTheRowsThatUseAChangedEntry) {
    Page page;
    page.At(1, 2) = 9;
    Table table(0xFF000000u);
    std::vector<uint8_t> shown;
    std::vector<uint32_t> picture;
    posix::screen::ConvertChangedRows(page.View(), table.argb, nullptr, &shown, &picture);
    table.argb[9] = 0xFF123456u;  // only row 2 uses entry 9
    uint8_t changed[256] = {};
    changed[9] = 1;
    const posix::screen::RowSpan span =
        posix::screen::ConvertChangedRows(page.View(), table.argb, changed, &shown, &picture);
    EXPECT_EQ(2, span.first);
    EXPECT_EQ(3, span.end);
    EXPECT_EQ(0xFF123456u, picture[2 * Page::kWidth + 1]);
}

TEST(ChangedRows, ScaledRowsLandAtTheStartOfTheDestination) {
    const std::vector<uint32_t> picture = {1, 2, 3, 4, 5, 6};  // 2 wide, 3 high
    const int pitch = 4 * sizeof(uint32_t);
    const posix::screen::RefitGeometry geometry =
        posix::screen::RefitGeometryFor(2, 3, posix::screen::LayoutFor(2, 3, 4, 6));
    std::vector<uint32_t> out(4 * 4, 0);
    posix::screen::FittedLines lines;
    posix::screen::RefitRows(geometry, picture.data(), posix::screen::RowSpan{2, 6}, out.data(),
                             pitch, &lines);
    EXPECT_EQ((std::vector<uint32_t>{3, 3, 4, 4, 3, 3, 4, 4, 5, 5, 6, 6, 5, 5, 6, 6}), out);
}

}  // namespace
