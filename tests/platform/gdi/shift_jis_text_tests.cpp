// What text made of broken or single bytes draws.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using gditest::Canvas;

class ShiftJisText : public ::testing::Test {
protected:
    std::array<PALETTEENTRY, 256> palette = gditest::ReaderPalette();
};

const std::string kMiddleDot = "\x81\x45";  // ・, what code page 932 puts for bad bytes

TEST_F(ShiftJisText, FullWidthSpaceAdvancesButDrawsNothing) {
    Canvas canvas(60, 40, palette.data());
    SetBkMode(canvas.dc(), TRANSPARENT);
    gditest::SelectedFont font(canvas.dc(), 26, 1000);
    gditest::Draw(canvas.dc(), 2, 2, "\x81\x40");
    EXPECT_EQ(canvas.ink().count, 0);
    EXPECT_EQ(gditest::Extent(canvas.dc(), "\x81\x40").cx, 25);  // 24 and the bold pixel
}

TEST_F(ShiftJisText, AsciiAndHalfWidthKatakanaDrawAsSingleBytes) {
    Canvas canvas(200, 40, palette.data());
    gditest::SelectedFont font(canvas.dc(), 26);
    EXPECT_EQ(gditest::Extent(canvas.dc(), "\xB1\xB2").cx, 24);  // two 12-pixel katakana
    SetBkMode(canvas.dc(), TRANSPARENT);
    gditest::Draw(canvas.dc(), 2, 2, "Ab\xB1");
    EXPECT_GT(canvas.ink().count, 30);
}

TEST_F(ShiftJisText, BrokenBytesDrawTheVisibleReplacement) {
    Canvas canvas(200, 40, palette.data());
    SetBkMode(canvas.dc(), TRANSPARENT);
    gditest::SelectedFont font(canvas.dc(), 26);
    const int dot = gditest::Extent(canvas.dc(), kMiddleDot).cx;
    ASSERT_GT(dot, 0);
    EXPECT_EQ(gditest::Extent(canvas.dc(), "\x82\xFF").cx, 2 * dot);  // lead byte, then 0xFF
    EXPECT_EQ(gditest::Extent(canvas.dc(), "\x82\x41").cx, dot);
    EXPECT_EQ(gditest::Extent(canvas.dc(), "\x82").cx, dot);
    gditest::Draw(canvas.dc(), 2, 2, "\x82\xFF");
    EXPECT_GT(canvas.ink().count, 4);
}

TEST_F(ShiftJisText, ALeadByteAtTheEndIsNotReadPast) {
    Canvas reference(60, 40, palette.data());
    Canvas canvas(60, 40, palette.data());
    gditest::SelectedFont referenceFont(reference.dc(), 26);
    gditest::SelectedFont font(canvas.dc(), 26);
    gditest::Draw(reference.dc(), 2, 2, kMiddleDot);
    // The lead byte is the last byte of its allocation; a read past it would be
    // out of bounds (and caught by the sanitizer build).
    std::unique_ptr<char[]> lone(new char[1]{'\x82'});
    EXPECT_TRUE(TextOutA(canvas.dc(), 2, 2, lone.get(), 1));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) ASSERT_EQ(canvas.at(x, y), reference.at(x, y));
}

TEST_F(ShiftJisText, OnlyTheGivenLengthIsDrawn) {
    Canvas one(80, 40, palette.data());
    Canvas cut(80, 40, palette.data());
    gditest::SelectedFont oneFont(one.dc(), 26);
    gditest::SelectedFont cutFont(cut.dc(), 26);
    gditest::Draw(one.dc(), 2, 2, "\x82\xA0");
    TextOutA(cut.dc(), 2, 2, "\x82\xA0\x82\xA2", 2);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) ASSERT_EQ(cut.at(x, y), one.at(x, y));
    SIZE size;
    ASSERT_TRUE(GetTextExtentPoint32A(cut.dc(), "\x82\xA0\x82\xA2", 2, &size));
    EXPECT_EQ(size.cx, gditest::Extent(one.dc(), "\x82\xA0").cx);
}

}  // namespace
