// Presents take and send only the rows of the page that changed colour.
#include "platform/posix/screen/picture_conversion.h"

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

TEST(ChangedRows, OnlyRowsThatChangeColourAreTakenUntilThePaletteChanges) {
    Page page;
    for (int y = 0; y < Page::kHeight; ++y)
        for (int x = 0; x < Page::kWidth; ++x) page.At(x, y) = static_cast<uint8_t>(y * 10 + x);
    page.bytes[Page::kPitch - 1] = 77;  // padding: never part of the picture
    Table table(0xFF000000u);
    std::vector<uint8_t> shown;

    posix::screen::RowSpan span =
        posix::screen::TakeChangedRows(page.View(), table.argb, nullptr, &shown);
    EXPECT_EQ(0, span.first);
    EXPECT_EQ(Page::kHeight, span.end);
    EXPECT_EQ(31, shown[3 * Page::kWidth + 1]);

    span = posix::screen::TakeChangedRows(page.View(), table.argb, nullptr, &shown);
    EXPECT_TRUE(span.empty());
    page.bytes[Page::kPitch - 1] = 78;  // padding changes do not count
    EXPECT_TRUE(posix::screen::TakeChangedRows(page.View(), table.argb, nullptr, &shown).empty());

    // Rows 1 and 2 change: both, and nothing else, are taken again.
    page.At(2, 1) = 200;
    page.At(0, 2) = 201;
    span = posix::screen::TakeChangedRows(page.View(), table.argb, nullptr, &shown);
    EXPECT_EQ(1, span.first);
    EXPECT_EQ(3, span.end);
    EXPECT_EQ(200, shown[1 * Page::kWidth + 2]);

    // New indices of the same colours change nothing on screen, but are kept.
    table.argb[202] = table.argb[200];
    page.At(2, 1) = 202;
    EXPECT_TRUE(posix::screen::TakeChangedRows(page.View(), table.argb, nullptr, &shown).empty());
    EXPECT_EQ(202, shown[1 * Page::kWidth + 2]);

    // A new palette recolours every row, even with the indices unchanged.
    const Table brighter(0xFF100000u);
    uint8_t everyEntry[256];
    std::memset(everyEntry, 1, sizeof everyEntry);
    span = posix::screen::TakeChangedRows(page.View(), brighter.argb, everyEntry, &shown);
    EXPECT_EQ(0, span.first);
    EXPECT_EQ(Page::kHeight, span.end);
}

TEST(ChangedRows, AForgottenPageIsTakenWhole) {
    Page page;
    const Table table(0xFF000000u);
    std::vector<uint8_t> shown;
    posix::screen::TakeChangedRows(page.View(), table.argb, nullptr, &shown);
    shown.clear();  // as when the presents are forgotten
    const posix::screen::RowSpan span =
        posix::screen::TakeChangedRows(page.View(), table.argb, nullptr, &shown);
    EXPECT_EQ(0, span.first);
    EXPECT_EQ(Page::kHeight, span.end);
}

TEST(ChangedRows, APaletteChangeTakesOnlyTheRowsThatUseAChangedEntry) {
    Page page;
    page.At(1, 2) = 9;
    Table table(0xFF000000u);
    std::vector<uint8_t> shown;
    posix::screen::TakeChangedRows(page.View(), table.argb, nullptr, &shown);
    table.argb[9] = 0xFF123456u;  // only row 2 uses entry 9
    uint8_t changed[256] = {};
    changed[9] = 1;
    posix::screen::ColumnSpan columns;
    posix::screen::RowSpan span =
        posix::screen::TakeChangedRows(page.View(), table.argb, changed, &shown, &columns);
    EXPECT_EQ(2, span.first);
    EXPECT_EQ(3, span.end);
    EXPECT_EQ(1, columns.first);
    EXPECT_EQ(2, columns.end);
    // New indices under a new palette count, whatever their colours now.
    page.At(0, 1) = 5;
    span = posix::screen::TakeChangedRows(page.View(), table.argb, changed, &shown, &columns);
    EXPECT_EQ(1, span.first);
    EXPECT_EQ(3, span.end);
    EXPECT_EQ(0, columns.first);  // the columns of every row taken
    EXPECT_EQ(2, columns.end);
}

}  // namespace
