// Colours matched to the palette in effect when each call draws.
#include "gdi_test_support.h"

#include "platform/posix/gdi/colour_match.h"

#include <gtest/gtest.h>

namespace {

using gditest::Canvas;

uint8_t FillIndex(Canvas& canvas, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previous = SelectObject(canvas.dc(), brush);
    PatBlt(canvas.dc(), 0, 0, 1, 1, PATCOPY);
    SelectObject(canvas.dc(), previous);
    DeleteObject(brush);
    return canvas.at(0, 0);
}

TEST(ColourMatching, ReaderColoursGiveTheEntriesWindowsGives) {
    const auto palette = gditest::ReaderPalette();
    Canvas canvas(1, 1, palette.data());
    EXPECT_EQ(FillIndex(canvas, RGB(255, 255, 255)), 98);  // the first of the whites
    EXPECT_EQ(FillIndex(canvas, 0x00FFFF), 224);
    EXPECT_EQ(FillIndex(canvas, 0xFFB32B), 225);
    EXPECT_EQ(FillIndex(canvas, 0x010101), 240);
    EXPECT_EQ(FillIndex(canvas, RGB(0, 0, 0)), 0);
    // Near colours go to the nearest entry, not to an exact one only.
    EXPECT_EQ(FillIndex(canvas, RGB(250, 252, 251)), 98);
    EXPECT_EQ(FillIndex(canvas, RGB(2, 2, 2)), 240);
    EXPECT_EQ(FillIndex(canvas, RGB(250, 250, 10)), 224);
}

TEST(ColourMatching, EqualDistancesGoToTheFirstEntry) {
    std::array<PALETTEENTRY, 256> palette{};
    palette.fill({255, 0, 0, 0});
    palette[5] = {10, 10, 10, 0};
    palette[9] = {30, 30, 30, 0};
    EXPECT_EQ(posix::gdi::NearestIndex(palette.data(), 256, RGB(20, 20, 20)), 5);
    std::swap(palette[5], palette[9]);
    EXPECT_EQ(posix::gdi::NearestIndex(palette.data(), 256, RGB(20, 20, 20)), 5);
    // Only the first `count` entries take part.
    EXPECT_EQ(posix::gdi::NearestIndex(palette.data(), 3, RGB(20, 20, 20)), 0);
}

TEST(ColourMatching, APaletteChangeBetweenDrawsIsFollowed) {
    auto palette = gditest::ReaderPalette();
    Canvas canvas(1, 1, palette.data());
    EXPECT_EQ(FillIndex(canvas, RGB(255, 255, 255)), 98);
    palette[98] = {0, 0, 255, 0};  // the DC sees the palette as it stands now
    EXPECT_EQ(FillIndex(canvas, RGB(255, 255, 255)), 99);
    palette[98] = {255, 255, 255, 0};
    EXPECT_EQ(FillIndex(canvas, RGB(255, 255, 255)), 98);
}

TEST(ColourMatching, TextInkIsTheMatchedIndexOfTheTextColour) {
    auto palette = gditest::ReaderPalette();
    Canvas canvas(40, 40, palette.data());
    SetBkMode(canvas.dc(), TRANSPARENT);
    gditest::SelectedFont font(canvas.dc(), 26, 1000);
    SetTextColor(canvas.dc(), 0x00FFFF);
    gditest::Draw(canvas.dc(), 0, 0, "\x8A\xBF");
    EXPECT_EQ(canvas.values(), (std::vector<uint8_t>{gditest::kUntouched, 224}));
    // A shadow in black lands on index 0, which the display keeps black.
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    gditest::Draw(canvas.dc(), 0, 0, "\x8A\xBF");
    EXPECT_EQ(canvas.values(), (std::vector<uint8_t>{0, gditest::kUntouched}));
}

}  // namespace
