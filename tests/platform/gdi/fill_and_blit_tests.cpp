// PatBlt with the selected brush and BitBlt of a DIB section onto surface pixels.
#include "dib_builder.h"
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

using gditest::Canvas;

class FillAndBlit : public ::testing::Test {
protected:
    std::array<PALETTEENTRY, 256> palette = gditest::ReaderPalette();

    void Fill(Canvas& canvas, int x, int y, int width, int height, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        HGDIOBJ previous = SelectObject(canvas.dc(), brush);
        EXPECT_TRUE(PatBlt(canvas.dc(), x, y, width, height, PATCOPY));
        SelectObject(canvas.dc(), previous);
        DeleteObject(brush);
    }

    // Expects exactly [left, right) x [top, bottom) to hold index.
    static void ExpectOnly(const Canvas& canvas, int left, int top, int right, int bottom,
                           uint8_t index) {
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const bool inside = x >= left && x < right && y >= top && y < bottom;
                ASSERT_EQ(canvas.at(x, y), inside ? index : gditest::kUntouched) << x << "," << y;
            }
        EXPECT_TRUE(canvas.guardIntact());
    }
};

TEST_F(FillAndBlit, PatBltFillsTheRectangleWithTheBrush) {
    Canvas canvas(20, 10, palette.data());
    Fill(canvas, 3, 2, 5, 4, 0xFFB32B);
    ExpectOnly(canvas, 3, 2, 8, 6, 225);
}

TEST_F(FillAndBlit, PatBltIsClippedToTheTarget) {
    Canvas canvas(20, 10, palette.data(), 24);
    Fill(canvas, -5, -5, 10, 8, 0x010101);
    ExpectOnly(canvas, 0, 0, 5, 3, 240);
    Canvas right(20, 10, palette.data(), 24);
    Fill(right, 15, 7, 100, 100, 0x010101);
    ExpectOnly(right, 15, 7, 20, 10, 240);
    Canvas whole(20, 10, palette.data());
    Fill(whole, -2147483647, -2147483647, 2147483647, 2147483647, 0);
    ExpectOnly(whole, 0, 0, 0, 0, 0);  // the rectangle ends at -1: nothing on the canvas
}

TEST_F(FillAndBlit, PatBltWithANegativeSizeReachesBack) {
    Canvas canvas(20, 10, palette.data());
    Fill(canvas, 10, 8, -4, -3, 0x00FFFF);
    ExpectOnly(canvas, 6, 5, 10, 8, 224);
}

TEST_F(FillAndBlit, StockAndHollowBrushes) {
    Canvas canvas(8, 8, palette.data());
    HGDIOBJ previous = SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    ASSERT_NE(previous, nullptr);
    EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 8, 8, PATCOPY));
    ExpectOnly(canvas, 0, 0, 0, 0, 0);
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(PatBlt(canvas.dc(), 1, 1, 2, 2, PATCOPY));
    ExpectOnly(canvas, 1, 1, 3, 3, 0);
    SelectObject(canvas.dc(), previous);  // the DC's own brush is white
    EXPECT_TRUE(PatBlt(canvas.dc(), 1, 1, 2, 2, PATCOPY));
    ExpectOnly(canvas, 1, 1, 3, 3, 98);
}

TEST_F(FillAndBlit, UnsupportedRasterOperationsDrawNothing) {
    Canvas canvas(8, 8, palette.data());
    EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 8, 8, SRCCOPY));
    EXPECT_FALSE(PatBlt(nullptr, 0, 0, 8, 8, PATCOPY));
    ExpectOnly(canvas, 0, 0, 0, 0, 0);
}

// A memory DC holding a DIB section loaded from a resource, for the blit tests.
class LoadedBitmap {
public:
    explicit LoadedBitmap(const std::string& name) {
        bitmap_ = gditest::LoadBitmapResource(name);
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~LoadedBitmap() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC dc() const { return dc_; }
    bool loaded() const { return bitmap_ != nullptr && previous_ != nullptr; }

private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ previous_;
};

uint8_t Pattern(int x, int y) { return static_cast<uint8_t>((x * 7 + y * 31) % 256); }

TEST_F(FillAndBlit, BitBltIsPixelForPixelWhenThePaletteIsTheTable) {
    gditest::DibShape shape;
    shape.width = 37;  // rows padded in the resource
    shape.height = 19;
    shape.table = gditest::TableOf(palette.data());
    shape.pixel = Pattern;  // every index, the duplicate whites included
    gditest::AddBitmapResource("BLIT_EQUAL", gditest::BuildDib(shape));
    LoadedBitmap bitmap("BLIT_EQUAL");
    ASSERT_TRUE(bitmap.loaded());
    Canvas canvas(37, 19, palette.data());
    EXPECT_TRUE(BitBlt(canvas.dc(), 0, 0, 37, 19, bitmap.dc(), 0, 0, SRCCOPY));
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 37; ++x) ASSERT_EQ(canvas.at(x, y), Pattern(x, y)) << x << "," << y;
}

TEST_F(FillAndBlit, BitBltMatchesTheTablesColoursToThePalette) {
    gditest::DibShape shape;
    shape.width = 3;
    shape.height = 1;
    shape.coloursUsed = 3;
    shape.table = {{0, 0, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0}, {0xFF, 0xB3, 0x2B, 0}};  // RGBQUAD: blue first
    shape.pixel = [](int x, int) { return static_cast<uint8_t>(x); };
    gditest::AddBitmapResource("BLIT_MATCHED", gditest::BuildDib(shape));
    palette[7] = {255, 0, 0, 0};  // red lives at 7 on the display
    LoadedBitmap bitmap("BLIT_MATCHED");
    ASSERT_TRUE(bitmap.loaded());
    Canvas canvas(3, 1, palette.data());
    BitBlt(canvas.dc(), 0, 0, 3, 1, bitmap.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.at(0, 0), 7);
    EXPECT_EQ(canvas.at(1, 0), 98);   // white: the first white
    EXPECT_EQ(canvas.at(2, 0), 225);
}

TEST_F(FillAndBlit, BitBltIsClippedToTargetAndSource) {
    gditest::DibShape shape;
    shape.width = 10;
    shape.height = 8;
    shape.topDown = true;
    shape.table = gditest::TableOf(palette.data());
    shape.pixel = [](int x, int y) { return static_cast<uint8_t>(100 + x + 10 * y); };
    gditest::AddBitmapResource("BLIT_CLIP", gditest::BuildDib(shape));
    LoadedBitmap bitmap("BLIT_CLIP");
    ASSERT_TRUE(bitmap.loaded());
    const struct { int x, y, width, height, sourceX, sourceY; } blits[] = {
        {-3, -2, 10, 8, 0, 0}, {15, 9, 10, 8, 0, 0}, {2, 2, 50, 50, 5, 4}, {0, 0, 10, 8, -4, -3},
        {0, 0, 10, 8, 20, 20}};
    for (const auto& blit : blits) {
        Canvas canvas(20, 12, palette.data(), 21);
        EXPECT_TRUE(BitBlt(canvas.dc(), blit.x, blit.y, blit.width, blit.height, bitmap.dc(),
                           blit.sourceX, blit.sourceY, SRCCOPY));
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const int bx = x - blit.x, by = y - blit.y;  // offset in the block
                const int sx = blit.sourceX + bx, sy = blit.sourceY + by;
                const bool copied = bx >= 0 && bx < blit.width && by >= 0 && by < blit.height &&
                                    sx >= 0 && sx < 10 && sy >= 0 && sy < 8;
                ASSERT_EQ(canvas.at(x, y), copied ? 100 + sx + 10 * sy : gditest::kUntouched)
                    << blit.x << "," << blit.y << " at " << x << "," << y;
            }
        EXPECT_TRUE(canvas.guardIntact());
    }
}

TEST_F(FillAndBlit, BitBltBetweenSurfacesAndWithBadArguments) {
    Canvas source(6, 6, palette.data());
    Canvas dest(6, 6, palette.data());
    source.fill(42);
    EXPECT_TRUE(BitBlt(dest.dc(), 1, 1, 2, 2, source.dc(), 0, 0, SRCCOPY));
    ExpectOnly(dest, 1, 1, 3, 3, 42);
    EXPECT_FALSE(BitBlt(dest.dc(), 0, 0, 6, 6, source.dc(), 0, 0, PATCOPY));
    EXPECT_FALSE(BitBlt(dest.dc(), 0, 0, 6, 6, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dest.dc(), 0, 0, -6, 6, source.dc(), 0, 0, SRCCOPY));
    ExpectOnly(dest, 1, 1, 3, 3, 42);
}

}  // namespace
