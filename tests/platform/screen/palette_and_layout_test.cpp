// The palette table, the conversion through it and where the picture goes in the window.
#include "platform/posix/screen/palette_table.h"
#include "platform/posix/screen/picture_conversion.h"
#include "platform/posix/screen/screen_layout.h"

#include <gtest/gtest.h>

namespace {

using posix::screen::LayoutFor;
using posix::screen::PaletteTable;
using posix::screen::ScreenLayout;

TEST(PaletteTable, ConvertsToOpaqueArgbAndOnlyWhenTheEntriesChange) {
    PALETTEENTRY entries[256] = {};
    entries[1] = PALETTEENTRY{0x12, 0x34, 0x56, 0xFF};  // the flags byte is no colour
    entries[255] = PALETTEENTRY{255, 255, 255, 0};
    PaletteTable table;
    EXPECT_EQ(table.Argb()[1], 0xFF000000u);  // black before any palette
    EXPECT_TRUE(table.Update(entries));
    EXPECT_EQ(table.Argb()[0], 0xFF000000u);
    EXPECT_EQ(table.Argb()[1], 0xFF123456u);
    EXPECT_EQ(table.Argb()[255], 0xFFFFFFFFu);
    EXPECT_FALSE(table.Update(entries));
    entries[200].peGreen = 1;
    EXPECT_TRUE(table.Update(entries));
    EXPECT_EQ(table.Argb()[200], 0xFF000100u);
    EXPECT_EQ(table.ChangedEntries()[200], 1);  // and only that one
    EXPECT_EQ(table.ChangedEntries()[1], 0);
    EXPECT_TRUE(table.Update(nullptr));
    EXPECT_EQ(table.Argb()[1], 0xFF000000u);
}

TEST(PictureConversion, IndicesGoThroughTheTable) {
    uint32_t table[256];
    for (int i = 0; i < 256; ++i) table[i] = 0xFF000000u | static_cast<uint32_t>(i);
    // 3x2 page in a pitch of 5: the padding must not be read as pixels.
    uint8_t bytes[10] = {1, 2, 3, 99, 99, 4, 5, 6, 99, 99};
    posix::IndexedPixels page;
    page.width = 3;
    page.height = 2;
    page.pitch = 5;
    page.pixels = bytes;
    std::vector<uint8_t> shown;
    posix::screen::TakeChangedRows(page, table, nullptr, &shown);
    const posix::screen::Picture picture{shown.data(), table, 3, 2};
    std::vector<uint32_t> argb(6);
    posix::screen::ConvertRows(picture, posix::screen::RowSpan{0, 2}, argb.data(), 3 * 4);
    EXPECT_EQ(argb, (std::vector<uint32_t>{0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u,
                                           0xFF000005u, 0xFF000006u}));
}

TEST(ScreenLayout, ExactModeSizeIsOneToOneAndFourThreeWindowsHaveNoBars) {
    const ScreenLayout exact = LayoutFor(640, 480, 640, 480);
    EXPECT_EQ(exact.sharpScale, 1);
    EXPECT_FALSE(exact.smoothFit);
    EXPECT_EQ(exact.bars, 0);
    EXPECT_EQ(exact.picture.width, 640);

    const ScreenLayout xga = LayoutFor(640, 480, 1024, 768);
    EXPECT_EQ(xga.sharpScale, 1);
    EXPECT_TRUE(xga.smoothFit);
    EXPECT_EQ(xga.bars, 0);
    EXPECT_EQ(xga.picture.width, 1024);
    EXPECT_EQ(xga.picture.height, 768);

    EXPECT_FALSE(LayoutFor(640, 480, 1280, 960).smoothFit);  // a whole factor needs no smoothing
}

TEST(ScreenLayout, WideScreenIsScaledTwiceSharpThenFittedBetweenSideBars) {
    const ScreenLayout layout = LayoutFor(640, 480, 1920, 1080);
    EXPECT_EQ(layout.sharpScale, 2);
    EXPECT_TRUE(layout.smoothFit);
    EXPECT_EQ(layout.picture.x, 240);
    EXPECT_EQ(layout.picture.y, 0);
    EXPECT_EQ(layout.picture.width, 1440);
    EXPECT_EQ(layout.picture.height, 1080);
    ASSERT_EQ(layout.bars, 2);
    EXPECT_EQ(layout.bar[0].width, 240);
    EXPECT_EQ(layout.bar[1].x, 1680);
    EXPECT_EQ(layout.bar[1].width, 240);
    EXPECT_EQ(layout.bar[1].height, 1080);
}

TEST(ScreenLayout, TallScreenGetsBarsAboveAndBelowThatCoverTheRest) {
    const ScreenLayout layout = LayoutFor(640, 480, 1280, 1024);
    EXPECT_EQ(layout.sharpScale, 2);
    EXPECT_EQ(layout.picture.width, 1280);
    EXPECT_EQ(layout.picture.height, 960);
    EXPECT_FALSE(layout.smoothFit);
    ASSERT_EQ(layout.bars, 2);
    EXPECT_EQ(layout.bar[0].height + layout.picture.height + layout.bar[1].height, 1024);
    EXPECT_EQ(layout.bar[1].y, layout.picture.y + layout.picture.height);

    // An odd leftover: the bars still meet the picture with no gap.
    const ScreenLayout odd = LayoutFor(640, 480, 1365, 768);
    ASSERT_EQ(odd.bars, 2);
    EXPECT_EQ(odd.bar[0].width, odd.picture.x);
    EXPECT_EQ(odd.bar[1].x + odd.bar[1].width, 1365);
    EXPECT_EQ(odd.bar[1].x, odd.picture.x + odd.picture.width);
}

TEST(ScreenLayout, AWindowSmallerThanTheModeShrinksSmoothly) {
    const ScreenLayout layout = LayoutFor(640, 480, 320, 300);
    EXPECT_EQ(layout.sharpScale, 1);
    EXPECT_TRUE(layout.smoothFit);
    EXPECT_EQ(layout.picture.width, 320);
    EXPECT_EQ(layout.picture.height, 240);
    EXPECT_EQ(layout.picture.y, 30);
}

}  // namespace
