// Text drawn onto 8-bit pixels: metrics, ink, background modes and clipping.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

using gditest::Canvas;
using gditest::Draw;
using gditest::Extent;
using gditest::SelectedFont;

const std::string kKana = "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9";  // あいうえおか
const std::string kKanji = "\x8A\xBF";                                       // 漢

class TextDrawing : public ::testing::Test {
protected:
    std::array<PALETTEENTRY, 256> palette = gditest::ReaderPalette();
};

TEST_F(TextDrawing, CellHeightIsTheRequestedHeight) {
    Canvas canvas(8, 8, palette.data());
    for (int height : {26, 32, 40, 50, 100}) {
        SelectedFont font(canvas.dc(), height, 1000, true);
        EXPECT_EQ(Extent(canvas.dc(), kKanji).cy, height) << height;
    }
    // A negative height is the em: 24 pixels to the em makes the 26-pixel cell.
    SelectedFont font(canvas.dc(), -24);
    EXPECT_EQ(Extent(canvas.dc(), kKanji).cy, 26);
}

TEST_F(TextDrawing, MetricsMatchWindowsForTheMinchoFace) {
    Canvas canvas(8, 8, palette.data());
    {
        SelectedFont font(canvas.dc(), 26);
        testhooks::GdiFontMetrics metrics;
        ASSERT_TRUE(testhooks::SelectedFontMetrics(canvas.dc(), &metrics));
        EXPECT_NE(metrics.file.find("ipamp.ttf"), std::string::npos) << metrics.file;
        EXPECT_EQ(metrics.ascent, 21);
        EXPECT_EQ(metrics.descent, 5);
        EXPECT_FALSE(metrics.syntheticBold);
        EXPECT_EQ(Extent(canvas.dc(), kKana).cx, 129);
        EXPECT_EQ(Extent(canvas.dc(), "ABC").cx, 52);
        EXPECT_EQ(Extent(canvas.dc(), "\x81\x42").cx, 12);  // 。
    }
    {
        SelectedFont font(canvas.dc(), 100);
        EXPECT_EQ(Extent(canvas.dc(), kKana).cx, 484);
    }
}

TEST_F(TextDrawing, MeasuredWidthIsTheSumOfTheCharactersAdvances) {
    Canvas whole(200, 40, palette.data());
    Canvas pieces(200, 40, palette.data());
    SelectedFont wholeFont(whole.dc(), 26, 1000);
    SelectedFont piecesFont(pieces.dc(), 26, 1000);
    SetBkMode(whole.dc(), TRANSPARENT);
    SetBkMode(pieces.dc(), TRANSPARENT);
    SetTextColor(whole.dc(), RGB(255, 255, 255));
    SetTextColor(pieces.dc(), RGB(255, 255, 255));

    Draw(whole.dc(), 5, 5, kKana);
    int pen = 5;
    for (size_t i = 0; i < kKana.size(); i += 2) {
        const std::string character = kKana.substr(i, 2);
        Draw(pieces.dc(), pen, 5, character);
        pen += Extent(pieces.dc(), character).cx;
    }
    EXPECT_EQ(pen - 5, Extent(whole.dc(), kKana).cx);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) ASSERT_EQ(whole.at(x, y), pieces.at(x, y)) << x << "," << y;
}

TEST_F(TextDrawing, GlyphsAreNotAntialiased) {
    Canvas canvas(120, 120, palette.data());
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), RGB(255, 255, 255));
    for (int height : {26, 100}) {
        SelectedFont font(canvas.dc(), height, 1000, true);
        Draw(canvas.dc(), 2, 2, kKanji);
    }
    EXPECT_EQ(canvas.values(), (std::vector<uint8_t>{gditest::kUntouched, 98}));
    EXPECT_GT(canvas.ink().count, 500);
}

TEST_F(TextDrawing, TheGlyphSitsInItsCellOnTheBaseline) {
    Canvas canvas(60, 60, palette.data());
    SetBkMode(canvas.dc(), TRANSPARENT);
    SelectedFont font(canvas.dc(), 26);
    Draw(canvas.dc(), 10, 20, "\x82\xA0");  // あ: Windows puts its ink on rows 1 to 21 of the cell
    const Canvas::Ink ink = canvas.ink();
    EXPECT_NEAR(ink.top - 20, 1, 1);
    EXPECT_NEAR(ink.bottom - 20, 21, 1);
    EXPECT_NEAR(ink.left - 10, 1, 1);
    EXPECT_NEAR(ink.right - 10, 19, 1);
}

TEST_F(TextDrawing, TransparentModeDrawsOnlyTheGlyphs) {
    Canvas canvas(60, 40, palette.data());
    SetBkMode(canvas.dc(), TRANSPARENT);
    SelectedFont font(canvas.dc(), 26);
    Draw(canvas.dc(), 4, 4, kKanji);
    const Canvas::Ink ink = canvas.ink();
    const int cell = (ink.right - ink.left + 1) * (ink.bottom - ink.top + 1);
    EXPECT_GT(ink.count, 20);
    EXPECT_LT(ink.count, cell / 2);  // the cell around the strokes is left alone
    EXPECT_EQ(canvas.values(), (std::vector<uint8_t>{0, gditest::kUntouched}));
}

TEST_F(TextDrawing, OpaqueModeFillsTheCellWithTheBackground) {
    Canvas canvas(60, 40, palette.data());
    EXPECT_EQ(SetBkMode(canvas.dc(), TRANSPARENT), OPAQUE);  // a DC starts opaque
    EXPECT_EQ(SetBkMode(canvas.dc(), OPAQUE), TRANSPARENT);
    SelectedFont font(canvas.dc(), 26);
    Draw(canvas.dc(), 4, 6, kKanji);
    const SIZE extent = Extent(canvas.dc(), kKanji);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const bool inCell = x >= 4 && x < 4 + extent.cx && y >= 6 && y < 6 + extent.cy;
            const uint8_t value = canvas.at(x, y);
            if (inCell)
                ASSERT_TRUE(value == 0 || value == 98) << x << "," << y;  // black ink, white cell
            else
                ASSERT_EQ(value, gditest::kUntouched) << x << "," << y;
        }
}

TEST_F(TextDrawing, BoldIsWiderByAPixelACharacterAndHeavier) {
    Canvas regular(200, 40, palette.data());
    Canvas bold(200, 40, palette.data());
    SelectedFont regularFont(regular.dc(), 26, FW_NORMAL);
    SelectedFont boldFont(bold.dc(), 26, 1000);
    SetBkMode(regular.dc(), TRANSPARENT);
    SetBkMode(bold.dc(), TRANSPARENT);
    EXPECT_EQ(Extent(bold.dc(), kKana).cx, Extent(regular.dc(), kKana).cx + 6);
    Draw(regular.dc(), 2, 2, kKana);
    Draw(bold.dc(), 2, 2, kKana);
    EXPECT_GT(bold.ink().count, regular.ink().count * 5 / 4);
    testhooks::GdiFontMetrics metrics;
    ASSERT_TRUE(testhooks::SelectedFontMetrics(bold.dc(), &metrics));
    EXPECT_TRUE(metrics.syntheticBold);
}

// Mean column of the ink in rows [top, bottom).
double MeanInkColumn(const Canvas& canvas, int top, int bottom) {
    double sum = 0;
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.at(x, y) != gditest::kUntouched) {
                sum += x;
                ++count;
            }
    return count ? sum / count : -1;
}

TEST_F(TextDrawing, ItalicLeansToTheRightAndKeepsItsAdvance) {
    const std::string bar = "\x81\x62";  // ｜, one upright stroke
    Canvas upright(60, 110, palette.data());
    Canvas italic(60, 110, palette.data());
    SelectedFont uprightFont(upright.dc(), 100);
    SelectedFont italicFont(italic.dc(), 100, FW_NORMAL, true);
    SetBkMode(upright.dc(), TRANSPARENT);
    SetBkMode(italic.dc(), TRANSPARENT);
    Draw(upright.dc(), 5, 0, bar);
    Draw(italic.dc(), 5, 0, bar);
    const Canvas::Ink ink = italic.ink();
    const int third = (ink.bottom - ink.top) / 3;
    const double lean = MeanInkColumn(italic, ink.top, ink.top + third) -
                        MeanInkColumn(italic, ink.bottom - third, ink.bottom + 1);
    const Canvas::Ink straight = upright.ink();
    const double uprightLean = MeanInkColumn(upright, straight.top, straight.top + third) -
                               MeanInkColumn(upright, straight.bottom - third, straight.bottom + 1);
    // Windows leans synthetic italic by a quarter of a pixel per row.
    const int rowsBetweenThirds = ink.bottom - ink.top - (third - 1);
    EXPECT_NEAR(lean / rowsBetweenThirds, 0.25, 0.02);
    EXPECT_NEAR(uprightLean, 0.0, 1.0);
    EXPECT_EQ(Extent(italic.dc(), bar).cx, Extent(upright.dc(), bar).cx);
}

TEST_F(TextDrawing, StrokeTipsOfBoldItalicLandWhereWindowsPutsThem) {
    // The second title card's line, as the reader draws it: the tip of each
    // slanted "ろ" earns one pixel in the row just below the baseline (176), not
    // the row above, as Wine's GDI draws it.
    const std::string troupe = "\x82\xB1\x82\xEB\x82\xB1\x82\xEB\x82\xCF\x82\xF1\x82\xBE\x82\xBE"
                               "\x82\xF1";  // ころころぱんだだん
    Canvas canvas(640, 200, palette.data());
    SelectedFont font(canvas.dc(), 32, 1000, true);
    SetBkMode(canvas.dc(), TRANSPARENT);
    Draw(canvas.dc(), 320 - Extent(canvas.dc(), troupe).cx / 2, 150, troupe);
    for (int x : {235, 285}) {
        EXPECT_NE(canvas.at(x, 176), gditest::kUntouched) << x;
        EXPECT_EQ(canvas.at(x, 175), gditest::kUntouched) << x;
    }
}

TEST_F(TextDrawing, InkStaysInsideTheCellAtEveryHeightAndStyle) {
    // Marks that reach past the Windows ascent or descent once emboldened or
    // leant: handakuten, dakuten, brackets, a descender.
    const std::string tall = "\x82\xDB\x82\xC3\x81\x75\x81\x76\x82\x70\x82\x99";  // ぽづ「」Ｑｙ
    for (int height : {26, 32, 40, 50, 100})
        for (bool italic : {false, true}) {
            Canvas canvas(700, 140, palette.data());
            SelectedFont font(canvas.dc(), height, 1000, italic);
            SetBkMode(canvas.dc(), TRANSPARENT);
            Draw(canvas.dc(), 10, 20, tall);
            const Canvas::Ink ink = canvas.ink();
            ASSERT_GT(ink.count, 0);
            EXPECT_GE(ink.top, 20) << height << (italic ? " italic" : "");
            EXPECT_LT(ink.bottom, 20 + Extent(canvas.dc(), tall).cy) << height << (italic ? " italic" : "");
        }
}

TEST_F(TextDrawing, TextIsClippedAtEveryEdge) {
    // The same text drawn whole on a large canvas and across the edges of a
    // small one: every pixel of the small canvas matches its place on the large.
    Canvas large(420, 200, palette.data());
    SelectedFont largeFont(large.dc(), 50, 1000, true);
    SetBkMode(large.dc(), OPAQUE);
    SetTextColor(large.dc(), 0x00FFFF);
    Draw(large.dc(), 100, 100, kKana);
    const struct { int x, y; } origins[] = {{110, 110}, {200, 120}, {150, 80}, {-50, -50}, {330, 100}, {400, 100}};
    for (const auto& origin : origins) {
        Canvas small(60, 30, palette.data(), 64);  // a pitch wider than the row
        SelectedFont font(small.dc(), 50, 1000, true);
        SetTextColor(small.dc(), 0x00FFFF);
        Draw(small.dc(), 100 - origin.x, 100 - origin.y, kKana);
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x) {
                const int lx = origin.x + x, ly = origin.y + y;
                const bool onLarge = lx >= 0 && lx < large.width() && ly >= 0 && ly < large.height();
                ASSERT_EQ(small.at(x, y), onLarge ? large.at(lx, ly) : gditest::kUntouched)
                    << origin.x << "," << origin.y << " at " << x << "," << y;
            }
        EXPECT_TRUE(small.guardIntact());
    }
}

TEST_F(TextDrawing, FarOutsideCoordinatesDrawNothingAndDoNotFault) {
    Canvas canvas(20, 20, palette.data());
    SelectedFont font(canvas.dc(), 26);
    for (int x : {-2147483647 - 1, -1000, 1000, 2147483647})
        EXPECT_TRUE(TextOutA(canvas.dc(), x, x, kKana.data(), static_cast<int>(kKana.size())));
    EXPECT_EQ(canvas.ink().count, 0);
    EXPECT_TRUE(canvas.guardIntact());
}

TEST_F(TextDrawing, BadArgumentsFailWithoutDrawing) {
    Canvas canvas(20, 20, palette.data());
    SIZE size;
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, nullptr, 2));
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, "ab", -1));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "ab", 2));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "ab", 2, nullptr));
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc(), "", 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_GT(size.cy, 0);
    EXPECT_EQ(canvas.ink().count, 0);
}

TEST_F(TextDrawing, SetTextColorReturnsThePreviousColour) {
    Canvas canvas(4, 4, palette.data());
    EXPECT_EQ(SetTextColor(canvas.dc(), 0x00FFFF), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(canvas.dc(), 0xFFFFFF), 0x00FFFFu);
    EXPECT_EQ(SetTextColor(canvas.dc(), 0), 0xFFFFFFu);
}

}  // namespace
